#!/usr/bin/env bash
# Fails when a source of the project (C++, and the web edition's JavaScript) is
# not as clang-format, with the repository's .clang-format, would write it, and
# names each such file.
# Usage: scripts/check-format.sh          check
#        scripts/check-format.sh --fix    rewrite the files named in place
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
case "${1:-}" in
  '') ;;
  --fix) fix=1 ;;
  *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

# Every folder of the tree, new ones too; build folders and npm's modules aside.
mapfile -d '' files < <(find . \( -name '.git' -o -name 'build*' -o -name node_modules \) -prune \
  -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.js' -o -name '*.mjs' \) -print0 | sort -z)
# One clang-format for all: it names each file it would change.
mapfile -t unformatted < <(clang-format --dry-run "${files[@]}" 2>&1 |
  sed -n 's/^\.\/\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)

if [ ${#unformatted[@]} -eq 0 ]; then
  echo "check-format: all ${#files[@]} sources are clang-formatted"
elif [ $fix -eq 1 ]; then
  clang-format -i "${unformatted[@]}"
  printf 'check-format: formatted %s\n' "${unformatted[@]}"
else
  printf 'check-format: not clang-formatted: %s\n' "${unformatted[@]}" >&2
  echo "check-format: ${#unformatted[@]} of ${#files[@]} sources differ; scripts/check-format.sh --fix rewrites them" >&2
  exit 1
fi
