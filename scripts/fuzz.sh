#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
# Usage: scripts/fuzz.sh [SECONDS]   (default 180 seconds per target)
#
# Each target starts from its committed seeds in fuzz/corpus/<target>/, copied
# to a scratch folder so that the inputs it discovers never end up in the tree.
# Inputs that broke a target are kept in build-fuzz/findings/<target>/.
# Reproducers under fuzz/regressions/<target>/ are replayed before fuzzing.
# Exits non-zero when any target found anything.
set -euo pipefail

secs="${1:-180}"
case "$secs" in
  '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"
cd "$root"

cmake --preset fuzz >/dev/null # build-fuzz, with clang
cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1 || { cat "$build/build.log"; exit 1; }

declare -A max_len=([fuzz_parse_number]=4096 [fuzz_format_number]=4096 [fuzz_calculate]=8192 [fuzz_load_list]=8192)
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failed=0
for target in fuzz_parse_number fuzz_format_number fuzz_calculate fuzz_load_list; do
  exe="$build/fuzz/$target"
  findings="$build/findings/$target"
  rm -rf "$findings"
  mkdir -p "$findings" "$scratch/$target"
  cp -R "fuzz/corpus/$target/." "$scratch/$target/"
  log="$build/findings/$target.log"

  regressions=()
  if [ -d "fuzz/regressions/$target" ]; then
    mapfile -t regressions < <(find "fuzz/regressions/$target" -type f | sort)
  fi
  if [ ${#regressions[@]} -gt 0 ] && ! "$exe" "${regressions[@]}" >"$log.regressions" 2>&1; then
    echo "$target: a saved reproducer still fails, see $log.regressions"
    failed=1
  fi

  echo "$target: fuzzing for ${secs} s ..." >&2
  status=0
  "$exe" -max_total_time="$secs" -max_len="${max_len[$target]}" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$scratch/$target" >"$log" 2>&1 || status=$?

  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)"
  found="$(find "$findings" -type f -printf '%f ' | sed 's/ $//')"
  if [ -n "$found" ] || [ "$status" -ne 0 ]; then
    failed=1
    echo "$target: ${runs:-?} executions, findings: ${found:-none kept, exit $status} (log: $log)"
  else
    echo "$target: ${runs:-?} executions, findings: 0"
  fi
done
exit "$failed"
