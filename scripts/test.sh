#!/usr/bin/env bash
# Builds everything and runs every test: the GoogleTest suites under CTest, then the window
# read through AT-SPI as a screen reader reads it. With --sanitize, the suites in a separate
# build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

build=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    options+=(-DKALVORA_SANITIZE=ON)
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
if [ "$build" = build ]; then
    bash scripts/accessibility-check.sh "$build/app/kalvora"
fi
