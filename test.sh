#!/usr/bin/env bash
# Builds everything and runs every test through CTest:
#   1. the Release build: unit, GUI (offscreen), CLI and install tests;
#   2. the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. a short run of each fuzz target over its checked-in corpus.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --timeout 600

cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUIRA_SANITIZE=ON \
      -DQUIRA_BUILD_GUI=OFF -DQUIRA_BUILD_BENCHMARKS=OFF
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan -j "$jobs" --timeout 900 -LE slow

if command -v clang++ >/dev/null; then
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
          -DQUIRA_FUZZ=ON -DQUIRA_BUILD_GUI=OFF -DQUIRA_BUILD_BENCHMARKS=OFF
    cmake --build build/fuzz -j "$jobs" --target fuzzers
    ctest --test-dir build/fuzz -j "$jobs" --timeout 600 -L fuzz
fi
