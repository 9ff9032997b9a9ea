#!/usr/bin/env bash
# The robustness runs: the whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer, then the settings file reader under libFuzzer for a bounded time.
# Usage: robuust.sh [fuzz seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconden=${1:-60}
scripts/pakketten.sh clang libclang-rt-14-dev

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORVAK_SANITIZE=ON
cmake --build build-asan -j"$(nproc)"
# Qt's own libraries are not instrumented; their one-time allocations are not ours to report.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz
werk=$(mktemp -d)
cp fuzz/corpus/* "$werk"/
build-fuzz/fuzz_instellingen -max_total_time="$seconden" -timeout=5 -rss_limit_mb=2048 "$werk" 2>&1 | tail -n 5
rm -rf "$werk"
