#!/usr/bin/env bash
# Builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" xdg-utils
step "Configuring build" cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Building the calculator" cmake --build build --target kalvora -j "$(nproc)"
if [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -d "$XDG_RUNTIME_DIR" ]; then
    exec build/app/kalvora
fi
# Outside a desktop session (su, ssh, a console) there is no runtime folder: a private one,
# gone when the program ends.
XDG_RUNTIME_DIR=$(mktemp -d "$PWD/build/runtime.XXXXXX")
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
build/app/kalvora
