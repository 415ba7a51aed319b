#!/usr/bin/env bash
# Builds and runs the micro-benchmarks in a release build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev
step "Configuring build-bench" cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release \
    -DKALVORA_BENCHMARK=ON -DBUILD_TESTING=OFF "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Building the benchmarks" cmake --build build-bench -j "$(nproc)"
# A private runtime folder for the window, inside the build folder.
XDG_RUNTIME_DIR=$(mktemp -d "$PWD/build-bench/runtime.XXXXXX")
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
for benchmark in build-bench/bench/*_benchmark; do
    step "Running $(basename "$benchmark")" env QT_QPA_PLATFORM=offscreen "$benchmark" "$@"
done
