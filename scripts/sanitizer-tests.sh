#!/usr/bin/env bash
# Builds the project and its tests with GCC's AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs the tests; any sanitizer
# report, leaks included, fails the run.
# Usage: scripts/sanitizer-tests.sh
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"
cd "$root"

cmake --preset asan >/dev/null # build-asan, with g++
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Qt is not built with the sanitizers. Should it ever leak inside its system
# libraries, those leaks (and never the project's own) go into scripts/lsan.supp.
if [ -f "$root/scripts/lsan.supp" ]; then
  export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
fi
export QT_QPA_PLATFORM=offscreen

ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$(nproc)"
