#!/usr/bin/env bash
# Builds the Debian package of the calculator (build-package/kalvora_<version>_<arch>.deb) and
# checks it: lintian must report no error, the desktop entry and the AppStream metadata must
# validate.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" dpkg-dev lintian desktop-file-utils appstream

build=build-package
# Debian's hardening flags (fortified functions, full RELRO, bind-now), as a Debian build of
# the package would use them. CMake reads no CPPFLAGS, so they go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
# Flags are read on the first configure only: start afresh so a change of flags takes effect.
rm -rf "$build"
step "Configuring $build" cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
step "Building the release" cmake --build "$build" -j "$(nproc)"
step "Packing with CPack" sh -c 'cd "$1" && cpack' cpack "$build"

shopt -s nullglob
packages=("$build"/kalvora_*.deb)
if [ ${#packages[@]} -ne 1 ]; then
    echo "expected one package in $build, found ${#packages[@]}" >&2
    exit 1
fi
package=${packages[0]}

# lintian exits non-zero on errors only (its default --fail-on=error); warnings are printed.
step "Checking $package with lintian" lintian --fail-on error --display-info "$package"

# Check the files as the package installs them, not only their sources.
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
dpkg-deb -x "$package" "$staging"
desktop-file-validate "$staging"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$staging"/usr/share/metainfo/*.metainfo.xml

echo "built $package"
dpkg-deb --field "$package" Package Version Section Depends
