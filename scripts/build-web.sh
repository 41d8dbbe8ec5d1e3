#!/usr/bin/env bash
# Builds the web edition into build-web/web/site/, the folder to publish: the
# page written from the control table, the core in WebAssembly, and the script,
# style, icon, manifest and service worker, and the QR encoder. Needs cmake,
# g++, emscripten and npm.
set -euo pipefail
cd "$(dirname "$0")/.."
# The site ships one npm package (the QR encoder), pinned in the lock file.
(cd web && npm ci --no-audit --no-fund --loglevel=error)
cmake --preset web >/dev/null
cmake --build --preset web
