# Installs the Debian packages given as arguments when any is missing (non-interactive; sudo
# when not root), and times the long steps of the scripts. Sourced by the other scripts.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "This user is not root and sudo is not installed. Run this as root, then try again:" >&2
            echo "    apt-get install --no-install-recommends ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    step "Installing ${missing[*]}" \
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive sh -c \
        'apt-get -o DPkg::Lock::Timeout=300 update &&
         apt-get -o DPkg::Lock::Timeout=300 install -y --no-install-recommends "$@"' \
        apt-get "${missing[@]}"
}

# step DESCRIPTION COMMAND...: runs the command between a line that says what starts and one
# that says how long it took.
step() {
    local what=$1 start=$SECONDS
    shift
    echo "==> $what" >&2
    "$@"
    echo "==> $what: done in $((SECONDS - start)) s" >&2
}

# What building the program needs.
BUILD_PACKAGES=(g++ cmake make qt6-base-dev libgl-dev fonts-liberation)
# What building and running the tests needs in addition, the check through AT-SPI included.
TEST_PACKAGES=(libgtest-dev xvfb xdotool dbus-daemon dbus-session-bus-common at-spi2-core
    python3-pyatspi)
