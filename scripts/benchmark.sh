#!/usr/bin/env bash
# Builds and runs the micro-benchmarks in a release build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVORA_BENCHMARK=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j "$(nproc)"
for benchmark in build-bench/bench/*_benchmark; do
    QT_QPA_PLATFORM=offscreen "$benchmark" "$@"
done
