#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it,
# naming the files; `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  printf '%s\n' "$report" | grep -o '^[^: ]*:[0-9]*:' | cut -d: -f1 | sort -u |
    sed 's/^/format: differs from .clang-format: /' >&2
  exit 1
fi
echo "format: ${#files[@]} files match .clang-format"
