#!/usr/bin/env bash
# Builds the web edition and runs its tests with node's test runner: the
# reference cases through the WebAssembly core in node, and the page in
# Chromium, Firefox and WebKit (web/tests/driver.mjs; VORLAINE_ENGINES=a,b
# narrows the list). The npm drivers are pinned in web/package-lock.json and
# download no browser: the browsers are Debian's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh web
scripts/build-web.sh # installs the npm packages as well

# WebKit's MiniBrowser needs an X display, and a window manager to give its
# window the keyboard focus.
if [[ ",${VORLAINE_ENGINES:-webkit}," == *,webkit,* ]]; then
  exec 3< <(Xvfb -displayfd 1 -screen 0 1600x1200x24 -nolisten tcp 2>/dev/null)
  xvfb=$!
  read -r -t 10 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$display"
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
fi

# The core test loads the module by file; the page tests serve the site.
node --test web/tests/*.test.mjs
