#!/usr/bin/env bash
# Builds everything and runs every test through CTest:
#   1. the Release build: unit, GUI (offscreen), CLI and install tests;
#   2. the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer (a Debug build,
#      which also checks the solver's and the document's invariants at every method);
#   3. the threaded tests under ThreadSanitizer;
#   4. a short run of each fuzz target over its checked-in corpus.
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

# The worker threads under ThreadSanitizer: the parallel exact method, the runs that start it from
# the core's series, the optimum's progress, and the console's Ctrl+C during a parallel run.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIRA_SANITIZE_THREAD=ON \
      -DQUIRA_BUILD_GUI=OFF -DQUIRA_BUILD_BENCHMARKS=OFF
cmake --build build/tsan -j "$jobs" --target threads_tests quira-cli
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    ctest --test-dir build/tsan -j "$jobs" --timeout 900 -L threads

if command -v clang++ >/dev/null; then
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
          -DQUIRA_FUZZ=ON -DQUIRA_BUILD_GUI=OFF -DQUIRA_BUILD_BENCHMARKS=OFF
    cmake --build build/fuzz -j "$jobs" --target fuzzers
    ctest --test-dir build/fuzz -j "$jobs" --timeout 600 -L fuzz
fi
