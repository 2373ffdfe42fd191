#!/usr/bin/env bash
# Checks that every C and C++ file of the tree is as clang-format writes it with the project's
# .clang-format, and names the files that are not. To mend them:
#   git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i
set -uo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if ! report=$(clang-format --dry-run -Werror "${files[@]}" 2>&1); then
  echo "format: not as clang-format writes it:"
  grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u | sed 's/^/  /'
  echo "format: run  git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format -i"
  exit 1
fi
echo "format: ${#files[@]} files as clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -1) writes them"
