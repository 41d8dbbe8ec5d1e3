#!/usr/bin/env bash
# Runs the Orca screen reader (Debian's orca package, not installed by the
# project) over the screen-reader test of scripts/a11y-tests.sh and prints what
# Orca spoke, from its debug log. For people, not for ./test: Orca's timing
# varies, so nothing here is asserted.
# Usage: scripts/orca-speech.sh [BUILD_DIR] [LOCALE]   (default build, zh_CN.UTF-8)
# Environment: ORCA_LOG=FILE keeps Orca's whole debug log there.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
locale_name=${2:-zh_CN.UTF-8}
program=$PWD/$build/ui/vorlaine
command -v orca >/dev/null || { echo "orca-speech: needs the orca package" >&2; exit 1; }
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
# The locale, built here so that the machine needs none generated.
mkdir -p "$work/locale"
localedef -i "${locale_name%%.*}" -f UTF-8 "$work/locale/$locale_name" 2>/dev/null
export LOCPATH=$work/locale
export LANG=$locale_name LC_ALL=$locale_name 2>/dev/null
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
    sleep 1
    /usr/libexec/at-spi2-registryd & registry=$!
    orca --debug-file "$2/orca.log" -u "$2/orca-prefs" >"$2/orca.out" 2>&1 & orca=$!
    sleep 8
    SCREEN_READER_TEST_PACE=3 /usr/bin/python3 tests/a11y/screen_reader_test.py "$1" tests/reference/sizing-cases.jsonl
    sleep 3
    kill $orca $registry $launcher 2>/dev/null
    sleep 1
    kill -KILL $orca 2>/dev/null' _ "$program" "$work" </dev/null >"$work/session.log" 2>&1
tail -1 "$work/session.log"
echo "== what Orca spoke (SPEECH OUTPUT lines of $locale_name):"
grep -a "SPEECH OUTPUT:" "$work/orca.log"
[ -n "${ORCA_LOG:-}" ] && cp "$work/orca.log" "$ORCA_LOG"
