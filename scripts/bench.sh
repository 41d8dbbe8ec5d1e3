#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/) and runs them, each figure
# printed beside its goal:
#   - the calculation core: whole calculations a second on one core, and the
#     number conversions alone;
#   - one press of 计算 in the real window (offscreen), median per click;
#   - start-up time and peak memory against a bare Qt window, under Xvfb.
# Exits 1 when a goal is missed, 2 when a benchmark could not run.
# Needs: cmake g++ qt6-base-dev libbenchmark-dev xvfb python3.
# Environment: BENCH_STARTUP_RUNS (default 15) runs of each program at start-up.
set -uo pipefail
cd "$(dirname "$0")/.."

build=build-bench
# Qt wants a private runtime folder and says so on every start otherwise.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset bench >/dev/null || exit 2
cmake --build "$build" -j "$jobs" --target calc_bench click_bench bare_window vorlaine \
    >"$build/bench-build.log" 2>&1 || {
    tail -40 "$build/bench-build.log" >&2
    exit 2
}

summary=()
worst=0
run() { # title, command...
    local title=$1 out status
    shift
    echo
    echo "=== $title"
    out=$("$@" 2>&1)
    status=$?
    echo "$out"
    # The goal lines each benchmark prints last.
    while IFS= read -r line; do
        summary+=("$line")
    done < <(grep -E ' (met|MISSED|NOT RUN)$' <<<"$out")
    [ $status -gt $worst ] && worst=$status
}

run "calculation core (one core, median of 5 repetitions)" \
    "$build/bench/calc_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
run "one click on 计算 in the window (offscreen)" \
    env QT_QPA_PLATFORM=offscreen "$build/bench/click_bench"
run "start-up against a bare Qt window (Xvfb)" \
    python3 bench/startup.py "$build/ui/vorlaine" "$build/bench/bare_window" \
    --runs "${BENCH_STARTUP_RUNS:-15}"

echo
echo "=== summary ($(date -u +%Y-%m-%d), $(nproc) cores)"
printf '%s\n' "${summary[@]}"
exit $worst
