#!/usr/bin/env bash
# Prints how much of the source is tests: lines under the test folders (tests/,
# fuzz/ without its saved inputs, testing/, web/test/,
# packaging/tests/) against every C++, CMake, shell, Python and web source file
# the repository tracks. We aim for between a quarter and a third.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files | grep -E '\.(cpp|cc|h|hpp|cmake|sh|py|js|mjs|html|css)$|CMakeLists\.txt$|(^|/)\.ci/run$' |
  grep -v '^fuzz/corpus/')
count() { if [ -n "$1" ]; then printf '%s\n' "$1" | tr '\n' '\0' | xargs -0 cat | wc -l; else echo 0; fi; }
all=$(count "$files")
tests=$(count "$(printf '%s\n' "$files" | grep -E '^(tests|fuzz|testing|web/test|packaging/tests)/' || true)")
awk -v t="$tests" -v a="$all" 'BEGIN { printf "tests: %d of %d source lines (%.1f%%)\n", t, a, 100 * t / a }'
