#!/usr/bin/env bash
# Fails when a C++ source or header of the project is not as clang-format,
# with the repository's .clang-format, would write it.
# Usage: scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."
find calc design ui tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
echo "check-format: every source is clang-formatted"
