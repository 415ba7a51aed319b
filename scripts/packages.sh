# Sourced by the other scripts: installs the Debian packages they need when any is missing
# (non-interactive; sudo when not root), times their long steps, and holds the package lists
# and the CMake options that every build shares.

# ensure_packages PACKAGE...: installs the packages that are missing, all in one round.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        [[ " ${missing[*]} " == *" $package "* ]] && continue
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! find_root_prefix; then
        cat >&2 <<EOF
These Debian packages are missing: ${missing[*]}
Installing them needs root, and this user is not root and sudo is not installed.
As root (for instance after "su -"), run:

    apt-get install --no-install-recommends ${missing[*]}

then try again.
EOF
        exit 1
    fi
    # One sudo for both commands: one password prompt at most.
    step "Installing ${missing[*]}" \
        "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive sh -c \
        'apt-get -o DPkg::Lock::Timeout=300 update &&
         apt-get -o DPkg::Lock::Timeout=300 install -y --no-install-recommends "$@"' \
        apt-get "${missing[@]}"
}

# find_root_prefix: sets AS_ROOT to what runs a command as root: nothing for root, sudo for
# another user. Fails when this user is not root and sudo is not installed.
find_root_prefix() {
    AS_ROOT=()
    [ "$(id -u)" -eq 0 ] && return 0
    command -v sudo >/dev/null || return 1
    AS_ROOT=(sudo)
}

# step DESCRIPTION COMMAND...: runs the command between a line that says what starts and one
# that says how long it took, or that it failed. The command runs in a subshell, with errexit
# as the caller has it: a function that fails half-way must not carry on.
step() {
    local what=$1 start=$SECONDS status=0 errexit=
    shift
    echo "==> $what" >&2
    [[ $- == *e* ]] && errexit=1
    set +e
    (
        [ -n "$errexit" ] && set -e
        "$@"
    )
    status=$?
    [ -n "$errexit" ] && set -e
    local took=$((SECONDS - start))
    if [ "$took" -ge 60 ]; then took="$((took / 60)) min $((took % 60)) s"; else took="$took s"; fi
    if [ "$status" -ne 0 ]; then
        echo "==> $what: FAILED after $took" >&2
        return "$status"
    fi
    echo "==> $what: done in $took" >&2
}

# What building the program needs.
BUILD_PACKAGES=(g++ cmake make qt6-base-dev libgl-dev fonts-liberation)
# What the check through AT-SPI (scripts/accessibility-check.sh) needs to run.
ACCESSIBILITY_PACKAGES=(xvfb xdotool dbus-daemon dbus-session-bus-common at-spi2-core
    python3-pyatspi)
# What building and running every test needs in addition, installed before the build starts.
TEST_PACKAGES=(libgtest-dev "${ACCESSIBILITY_PACKAGES[@]}")

# Node and npm, for the web edition's tests and lint. Node from elsewhere (NodeSource) brings its
# own npm and conflicts with Debian's package.
NODE_PACKAGES=(nodejs)
command -v npm >/dev/null || NODE_PACKAGES+=(npm)
# What building and testing the web edition needs: the core's toolchain for WebAssembly (clang
# 14 for wasm32-wasi, see web/core/build.sh) and GoogleTest's source to build it with, node,
# python3 for the page's generator, and Chromium for the page's tests. Chromium run by a user
# other than root needs its setuid sandbox where the system does not let a user make namespaces
# of its own (containers, hardened kernels).
WEB_PACKAGES=(g++ cmake make clang-14 lld-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
    libclang-rt-14-dev-wasm32 googletest "${NODE_PACKAGES[@]}" python3 chromium chromium-sandbox
    fonts-liberation)

# What starting the calculator needs beyond building it: the link opens the browser through
# xdg-open.
RUN_PACKAGES=(xdg-utils)

# Compiler warnings in our own code fail the build when KALVORA_WARNINGS_AS_ERRORS=ON (CI sets
# it); Qt's and GoogleTest's headers are system headers, out of its reach. Given on every
# configure, so that an ON cached by an earlier run does not outlive it.
CMAKE_WARNING_OPTIONS=(-DCMAKE_COMPILE_WARNING_AS_ERROR="${KALVORA_WARNINGS_AS_ERRORS:-OFF}")

# ensure_web_tools: node and npm, and the npm packages that web/package-lock.json pins (puppeteer,
# ESLint), installed again only when the lock file changed since the last install.
ensure_web_tools() {
    ensure_packages "${NODE_PACKAGES[@]}"
    if ! cmp -s web/package-lock.json web/node_modules/.kalvora-installed-lock; then
        step "Installing the web edition's tools from web/package-lock.json" \
            sh -c 'cd web && npm ci --no-audit --no-fund' &&
            cp web/package-lock.json web/node_modules/.kalvora-installed-lock
    fi
}

# ensure_all_packages: everything that either command at the top of the README needs (build,
# run, every test, the web edition), in one round, so that root running either one once lets
# every user run both, and a user without root is told the whole list at once.
ensure_all_packages() {
    ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
        "${WEB_PACKAGES[@]}"
}
