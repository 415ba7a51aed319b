# Installs the Debian packages given as arguments when any is missing (non-interactive; sudo
# when not root). Sourced by the other scripts.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing ${missing[*]}" >&2
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# What building the program needs.
BUILD_PACKAGES=(g++ cmake make qt6-base-dev libgl-dev fonts-liberation)
# What building and running the tests needs in addition.
TEST_PACKAGES=(libgtest-dev)
