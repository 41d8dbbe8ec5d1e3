#!/usr/bin/env bash
# Builds the web edition and runs its tests with node's test runner: the
# reference cases through the WebAssembly core in node, and the page in
# Debian's Chromium, headless, driven by playwright-core (pinned in
# web/package-lock.json; no browser is downloaded).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh web
scripts/build-web.sh
(cd web && npm ci --no-audit --no-fund --loglevel=error)
# The core test loads the module by file; the page tests serve the site.
exec node --test web/tests/core.test.mjs web/tests/page.test.mjs web/tests/behaviour.test.mjs
