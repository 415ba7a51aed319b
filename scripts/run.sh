#!/usr/bin/env bash
# Builds the calculator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# A console, ssh or su has no display: say so before minutes of installing and building.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kalvora needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 1
fi
ensure_all_packages
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
