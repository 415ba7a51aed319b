#!/usr/bin/env bash
# Builds the core's fuzz target with clang and libFuzzer and runs it for a fixed time.
# Usage: scripts/fuzz.sh [seconds]   (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages clang libclang-rt-14-dev cmake make
seconds="${1:-300}"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORA_FUZZ=ON \
    -DKALVORA_BUILD_WINDOW=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target estimate_fuzzer -j "$(nproc)"
# New inputs go to a scratch corpus; the seeds in the repository stay as they are.
mkdir -p build-fuzz/corpus
build-fuzz/fuzz/estimate_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus
