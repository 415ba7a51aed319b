#!/usr/bin/env bash
# Builds everything and runs every test: the GoogleTest suites under CTest, the window read
# through AT-SPI as a screen reader reads it, then the web edition's tests (scripts/web.sh). With
# --sanitize, the suites in a separate build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# Everything at once, the AT-SPI check's and the run command's packages included, before minutes
# of building.
ensure_all_packages

build=build
what="the calculator and its tests"
tests="the tests"
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON "${CMAKE_WARNING_OPTIONS[@]}")
if [ "${1:-}" = "--sanitize" ]; then
    build=build-asan
    what="$what under the sanitizers"
    tests="the tests under the sanitizers"
    options+=(-DKALVORA_SANITIZE=ON)
fi
step "Configuring $what ($build)" cmake -S . -B "$build" "${options[@]}" >/dev/null
# A private runtime folder inside the build folder, for the test programs: the build already
# runs them, to list their tests.
XDG_RUNTIME_DIR=$(mktemp -d "$PWD/$build/runtime.XXXXXX")
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
step "Building $what" cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
step "Running $tests" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
if [ "$build" = build ]; then
    step "Reading the window through AT-SPI" bash scripts/accessibility-check.sh "$build/app/kalvora"
    step "Testing the web edition" bash scripts/web.sh --test
fi
