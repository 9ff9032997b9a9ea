#!/usr/bin/env bash
# Installs what is missing, builds Zorvak and its tests in build/ and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/pakketten.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
