#!/usr/bin/env bash
# Makes an estimate in the real calculator window through the keyboard and reads the window
# back through AT-SPI, as a screen reader does (tests/accessibility/read_window.py), on a
# private Xvfb display and a private D-Bus session.
#
#   scripts/accessibility-check.sh [program]   (default: builds and uses build/app/kalvora)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/xvfb.sh

if [ $# -gt 0 ]; then
    ensure_packages "${ACCESSIBILITY_PACKAGES[@]}"
    program=$1
else
    ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # The same configuration as scripts/test.sh, so that one build serves both.
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
    cmake --build build --target kalvora -j "$(nproc)"
    program=build/app/kalvora
fi
program=$(realpath "$program")

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    set +e # a killed process reports a failure, and the folder must go all the same
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The program connects right after the accessibility bus launcher has looked up the display,
# which is why the server must not reset between clients (start_xvfb sees to it).
start_xvfb

# The accessibility bus and its registry start on demand inside the private session, and end
# with it. Debian's python3, where python3-pyatspi lives, whatever python3 comes first.
XDG_RUNTIME_DIR="$work" \
    timeout 120 dbus-run-session -- /usr/bin/python3 -u tests/accessibility/read_window.py \
    "$program" 2>&1 | grep -v -e 'Failed to set fd limit' -e 'Activating service' \
    -e 'Successfully activated' -e 'SpiRegistry daemon is running'
