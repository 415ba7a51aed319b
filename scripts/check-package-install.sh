#!/usr/bin/env bash
# Installs the Debian package built by scripts/package.sh on this machine, starts the program
# the way a desktop would (the Exec line of the installed desktop entry, on a private Xvfb
# display), waits for its window, then purges the package and checks that none of its files is
# left behind. Needs root (or sudo); it changes the machine's installed packages.
#
#   scripts/check-package-install.sh [package.deb]   (default: build-package/kalvora_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
if ! find_root_prefix; then
    cat >&2 <<EOF
This check installs and purges a package on this machine, which needs root, and this user is
not root and sudo is not installed. As root (for instance after "su -"), run:

    bash $PWD/scripts/check-package-install.sh${*:+ $*}
EOF
    exit 1
fi
ensure_packages xvfb xdotool

shopt -s nullglob
if [ $# -gt 0 ]; then packages=("$1"); else packages=(build-package/kalvora_*.deb); fi
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "no single package found; run scripts/package.sh first" >&2
    exit 1
fi
package=$(realpath "${packages[0]}")

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    set +e # a killed process reports a failure, and the folder must go all the same
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

step "Installing $package" "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -o DPkg::Lock::Timeout=300 install -y "$package"
dpkg-query -L kalvora >"$work/files"
failed=0
while read -r path; do
    [ -e "$path" ] || { echo "not installed: $path" >&2; failed=1; }
done <"$work/files"
for path in /usr/bin/kalvora /usr/share/man/man1/kalvora.1.gz \
    /usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/kalvora.png \
    /usr/share/icons/hicolor/scalable/apps/kalvora.svg; do
    grep -qx "$path" "$work/files" || { echo "not in the package: $path" >&2; failed=1; }
done
desktop_files=(/usr/share/applications/*kalvora*.desktop)
[ ${#desktop_files[@]} -eq 1 ] || { echo "expected one desktop entry" >&2; exit 1; }
echo "$(grep -c . "$work/files") paths installed"

# Start it from its desktop entry: the Exec line, as a launcher runs it (no field codes).
exec_line=$(sed -n 's/^Exec=//p' "${desktop_files[0]}")
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r -t 30 display_number <"$work/display" || { cat "$work/xvfb.log" >&2; exit 1; }
# No session bus: without one, D-Bus would start a bus of its own for the display and leave it
# running after the test.
(cd / && exec env DISPLAY=":$display_number" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
    XDG_RUNTIME_DIR="$work" sh -c "exec $exec_line") >"$work/app.log" 2>&1 &
app_pid=$!
if window=$(DISPLAY=":$display_number" timeout 30 xdotool search --sync --name '^Kalvora 2\.2$' |
    head -n 1) && [ -n "$window" ]; then
    echo "\"$exec_line\" opened window $window: $(DISPLAY=":$display_number" xdotool getwindowname "$window")"
else
    echo "\"$exec_line\" showed no window:" >&2
    cat "$work/app.log" >&2
    failed=1
fi
kill "$app_pid" && wait "$app_pid" 2>/dev/null || true
app_pid=

step "Purging kalvora" "${AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get -o DPkg::Lock::Timeout=300 remove --purge -y kalvora
if dpkg-query -W kalvora >/dev/null 2>&1; then
    echo "kalvora is still known to dpkg" >&2
    failed=1
fi
# Files must be gone; a folder may stay only when another package owns it too.
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path" >&2
        failed=1
    elif [ -d "$path" ] && ! dpkg-query -S "$path" >/dev/null 2>&1; then
        echo "left behind (folder of no package): $path" >&2
        failed=1
    fi
done <"$work/files"
[ "$failed" -eq 0 ] && echo "install, start and purge: ok"
exit "$failed"
