#!/usr/bin/env bash
# Builds the web edition into build-web/web/site/, the folder to publish: the
# page written from the control table, the core in WebAssembly, and the script,
# style, icon, manifest and service worker. Needs cmake, g++ and emscripten.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset web >/dev/null
cmake --build --preset web
