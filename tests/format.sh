#!/usr/bin/env bash
# One style: every C++ source is as the root's .clang-format makes it. Names each file that
# is not; `clang-format -i FILE` mends it.
#   usage: format.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
command -v clang-format >/dev/null || { echo "clang-format is missing (Debian package clang-format)"; exit 1; }
files=$(find . \( -path './build*' -o -path ./.git -o -path ./dist \) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print |
  sed 's#^\./##' | sort)
unformatted=""
for file in $files; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+="$file"$'\n'
done
if [ -n "$unformatted" ]; then
  printf 'not in the house style (clang-format -i FILE):\n%s' "$unformatted"
  exit 1
fi
echo "$(echo "$files" | wc -l) files in the house style"
