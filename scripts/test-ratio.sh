#!/usr/bin/env bash
# The size of the tests against the code they test: non-blank lines of the
# .c, .cpp and .h files that do not begin (after indentation) with //, /* or
# *, in tests/ against src/, include/ and tools/. The project keeps the
# ratio at 40% or less.
#
#   bash scripts/test-ratio.sh
set -euo pipefail
cd "$(dirname "$0")/.."

count_lines() {
  find "$@" -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 cat | grep -Ev '^[[:space:]]*($|//|/\*|\*)' | wc -l
}

tests=$(count_lines tests)
code=$(count_lines src include tools)
echo "tests: ${tests} lines, code: ${code} lines, ratio $((100 * tests / code))%"
