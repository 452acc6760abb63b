#!/usr/bin/env bash
# Builds QUIRA1 in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUIRA_BUILD_BENCHMARKS=OFF
cmake --build build/release --target QUIRA1
exec build/release/windows/QUIRA1 "$@"
