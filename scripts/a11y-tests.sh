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

echo "== command line, without a display"
# args | exit status | what stdout holds | what stderr holds (one line, or empty)
while IFS='|' read -r args status out err; do
    read -ra argv <<<"$args"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "${argv[@]}" \
        >"$work/out" 2>"$work/err"
    got=$?
    lines=$(wc -l <"$work/err")
    if [ "$got" -eq "$status" ] && { [ -z "$out" ] || grep -qF -- "$out" "$work/out"; } &&
        { [ -z "$err" ] && [ "$lines" -eq 0 ] || { [ -n "$err" ] && [ "$lines" -eq 1 ] && grep -qF -- "$err" "$work/err"; }; }; then
        ok "vorlaine $args"
    else
        fail "vorlaine $args: exit $got, stdout $(head -c 200 "$work/out"), stderr $(head -c 200 "$work/err")"
    fi
done <<'CASES'
--help|0|-V, --version|
-h|0|Usage: vorlaine|
--version|0|vorlaine 1.0.0|
-V|0|vorlaine 1.0.0|
--bogus|2||unknown option '--bogus'
-x|2||unknown option '-x'
-platform|2||option '-platform' needs a value
extra|2||unexpected argument 'extra'
-style fusion --nope|2||unknown option '--nope'
-style fusion --version|0|vorlaine 1.0.0|
|1||no display to open the window on
CASES
# The manual page lists every option of the help's option lines.
for option in $("$program" --help | grep -E '^  -' | grep -oE -- '--?[a-zA-Z]+'); do
    if grep -qF -- "$(sed 's/-/\\-/g' <<<"$option")" packaging/vorlaine.1; then
        ok "man page lists $option"
    else
        fail "man page lacks $option"
    fi
done
# A display that cannot be opened: one line, status 1, no abort or core dump.
for case in "DISPLAY=:$((60000 + RANDOM % 5000))|could not connect to display" \
            "WAYLAND_DISPLAY=vorlaine-none-$$|Failed to create wl_display" \
            "QT_QPA_PLATFORM=nosuch|Could not find the Qt platform plugin"; do
    IFS='|' read -r setting expected <<<"$case"
    (ulimit -c 0; env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$setting" \
        "$program" >"$work/out" 2>"$work/err")
    got=$?
    if [ "$got" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
        grep -q "^vorlaine: cannot open the window: .*$expected" "$work/err"; then
        ok "$setting vorlaine"
    else
        fail "$setting vorlaine: exit $got, stderr $(head -c 300 "$work/err")"
    fi
done

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

    echo "== window icon and class under X11"
    QT_QPA_PLATFORM=xcb "$program" >"$work/x11.log" 2>&1 &
    x11_pid=$!
    pids+=($x11_pid)
    icon_ok() {
        local props
        # Found by its title; carries its class and the icon in several sizes.
        props=$(xprop -name Vorlaine _NET_WM_ICON WM_CLASS 2>&1) || return 1
        grep -q '^WM_CLASS(STRING) = "vorlaine", "vorlaine"' <<<"$props" &&
            for size in 16 32 48 128; do
                grep -q "Icon ($size x $size)" <<<"$props" || return 1
            done
    }
    for _ in $(seq 50); do icon_ok && break; sleep 0.1; done
    if icon_ok; then ok "_NET_WM_ICON"; else fail "_NET_WM_ICON: $(xprop -name Vorlaine 2>&1 | head -5)"; fi
    kill "$x11_pid"
else
    fail "screen-reader (no X server)"
fi

echo "== native start on Wayland (weston, headless)"
weston --backend=headless-backend.so --socket=vorlaine-$$ --idle-time=0 \
    >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/vorlaine-$$" ] && break; sleep 0.1; done
# The session says Wayland and nothing names a platform: Qt must choose it.
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=vorlaine-$$ XDG_SESSION_TYPE=wayland \
    WAYLAND_DEBUG=client timeout 5 "$program" >"$work/wayland.log" 2>&1
wayland_ok() {
    local log=$work/wayland.log
    grep -q 'xdg_toplevel@[0-9]*\.set_min_size(615, 522)' "$log" &&
        grep -q 'xdg_toplevel@[0-9]*\.set_max_size(615, 522)' "$log" &&
        grep -q 'xdg_toplevel@[0-9]*\.set_title("Vorlaine")' "$log" &&
        grep -q 'xdg_toplevel@[0-9]*\.set_app_id("vorlaine")' "$log" &&
        grep -q 'xdg_surface@[0-9]*\.ack_configure' "$log" &&
        grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$log"
}
if wayland_ok; then
    ok wayland
else
    fail "wayland: $(grep -E 'xdg_toplevel|attach|could|Could' "$work/wayland.log" | head -8)"
fi

echo "a11y-tests: $passed passed, ${#failures[@]} failed"
[ ${#failures[@]} -eq 0 ]
