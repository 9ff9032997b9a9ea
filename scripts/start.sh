#!/usr/bin/env bash
# Installs what is missing, builds Zorvak in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/pakketten.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec ./build/zorvak
