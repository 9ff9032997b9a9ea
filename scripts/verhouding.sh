#!/usr/bin/env bash
# The size of the test suite against the code it tests: non-blank lines of the C++ files under
# tests/ against those under src/ and tools/ together. The project keeps it within a third.
set -euo pipefail
cd "$(dirname "$0")/.."
tel() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | grep -cv '^\s*$'; }
t=$(tel tests)
c=$(tel src tools)
awk -v t="$t" -v c="$c" 'BEGIN { printf "tests %d / src and tools %d = %.3f\n", t, c, t / c }'
