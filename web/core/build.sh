#!/usr/bin/env bash
# Builds the estimation core for the web page into BUILD_DIR (build-web/ under the checkout):
#   BUILD_DIR/core/kalvora-core.wasm     the module that web/src/core.js loads from beside itself
#   BUILD_DIR/core/core_tests.wasm       the core's GoogleTest suite, for node (web/core/test.sh)
#   BUILD_DIR/core/core-compare.wasm     and BUILD_DIR/native/core-compare: the same inputs
#                                        through both builds, compared by web/core/test.sh; the
#                                        native one answers the page's tests too
# It installs nothing: the caller runs ensure_packages "${WEB_PACKAGES[@]}" (scripts/packages.sh).
#
# Why clang 14 for wasm32-wasi and not emscripten: the core needs no more of the system than
# memory, so a WASI library module (a "reactor") does, and the page's loader is core.js alone,
# our own code, with no generated glue to check for eval and no Emscripten runtime to keep in
# step with Debian's node. It is also the smaller: the module with its loader is about 25 KB
# compressed, against 27 to 30 KB for emscripten's -Oz and -O2 output. Its compiler is the one
# clang-tidy already uses, and node runs the same module under its built-in WASI. Size first
# (-Oz, and -flto, which alone saves 7 %): the module is most of what a first visit loads.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(realpath -m "${1:?usage: web/core/build.sh BUILD_DIR}")
jobs=${KALVORA_JOBS:-2}

# CTest runs the wasm tests through node (node 18 runs WASI only with the flag).
emulator="node;--no-warnings;--experimental-wasi-unstable-preview1;$root/web/core/run-wasi.mjs"

# The CMake trees; the files others use are copied out of them under fixed names.
cmake -S "$root" -B "$out/cmake-wasm" --toolchain "$root/cmake/wasm32-wasi-toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel "-DCMAKE_CXX_FLAGS_MINSIZEREL=-Oz -flto -DNDEBUG" \
    -DKALVORA_BUILD_WINDOW=OFF -DKALVORA_WEB_CORE=ON \
    -DBUILD_TESTING=ON "-DCMAKE_CROSSCOMPILING_EMULATOR=$emulator" >/dev/null
cmake --build "$out/cmake-wasm" -j "$jobs" --target kalvora_core_module core-compare core_tests
cmake -S "$root" -B "$out/cmake-native" -DCMAKE_BUILD_TYPE=Release -DKALVORA_BUILD_WINDOW=OFF \
    -DKALVORA_WEB_CORE=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$out/cmake-native" -j "$jobs" --target core-compare

mkdir -p "$out/core" "$out/native"
cp "$out/cmake-wasm/web/core/kalvora-core.wasm" "$out/cmake-wasm/web/core/core-compare.wasm" \
    "$out/cmake-wasm/tests/core_tests.wasm" "$out/core/"
cp "$out/cmake-native/web/core/core-compare" "$out/native/"
