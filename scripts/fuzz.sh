#!/usr/bin/env bash
# Builds the core's fuzz target with clang and libFuzzer and runs it for a fixed time.
# Usage: scripts/fuzz.sh [seconds]   (default 300)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# llvm-14 holds the symbolizer that turns the addresses of a crash report into source lines.
ensure_packages clang libclang-rt-14-dev llvm-14 cmake make
seconds="${1:-300}"
step "Configuring build-fuzz" env CXX=clang++ cmake -S . -B build-fuzz \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALVORA_FUZZ=ON -DKALVORA_BUILD_WINDOW=OFF \
    -DBUILD_TESTING=OFF "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Building the fuzz target" cmake --build build-fuzz --target estimate_fuzzer -j "$(nproc)"
# The one of clang's own version, wherever else the PATH leads.
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
export UBSAN_SYMBOLIZER_PATH=$ASAN_SYMBOLIZER_PATH
# New inputs go to a scratch corpus; the seeds in the repository stay as they are.
mkdir -p build-fuzz/corpus
step "Fuzzing the estimation core for $seconds s" \
    build-fuzz/fuzz/estimate_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus
