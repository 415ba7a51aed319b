#!/usr/bin/env bash
# Cross-builds Kalvora for 64-bit Windows and tests it under Wine. It makes, in build-windows/:
#
#   app/kalvora.exe              the program, one file that needs no DLL beside it
#   kalvora-2.2-setup.exe        the setup program (NSIS)
#   kalvora-2.2-x64.msi          the Windows Installer package (wixl)
#   SHA256SUMS                   the checksums of these three, as sha256sum -c reads them
#
# With KALVORA_SIGN_PKCS12 (a PKCS#12 file) and KALVORA_SIGN_PASSWORD set, the program, the
# uninstaller, the setup program and the MSI are signed (SHA-256); KALVORA_SIGN_TIMESTAMP_URL
# adds an RFC 3161 time stamp.
#
# The first run builds a static Qt for Windows from Debian's own qt6-base source into
# ~/.cache/kalvora (the better part of an hour on two cores); later runs reuse it.
#
#   scripts/windows.sh               builds what is missing, then tests under Wine
#   scripts/windows.sh --if-cached   the same when the cached Qt exists; otherwise says that it
#                                    skips the Windows build, and why, and succeeds (for CI)
#   scripts/windows.sh --no-tests    builds only
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
source scripts/windows-qt.sh

mode=${1:-}
case "$mode" in
"" | --if-cached | --no-tests) ;;
*)
    echo "usage: $0 [--if-cached | --no-tests]" >&2
    exit 2
    ;;
esac

# The Qt version and the cache folder come from the Linux build's Qt, whose tools serve both.
ensure_packages "${BUILD_PACKAGES[@]}"
if [ "$mode" = --if-cached ] && [ ! -f "$(windows_qt_prefix)/.complete" ]; then
    echo "Windows build and Wine tests skipped: no Qt for Windows cached in $(windows_qt_prefix);" \
        "bash scripts/windows.sh builds it (the better part of an hour)"
    exit 0
fi

ensure_packages g++-mingw-w64-x86-64-posix ninja-build dpkg-dev googletest nsis wixl \
    osslsigncode wine wine64 xvfb xdotool imagemagick tesseract-ocr tesseract-ocr-eng

# The certificate is tried before anything is built, so that a wrong one stops the build at once.
sign=OFF
if [ -n "${KALVORA_SIGN_PKCS12:-}" ] || [ -n "${KALVORA_SIGN_PASSWORD:-}" ]; then
    stop() {
        echo "Not building: $*" >&2
        exit 1
    }
    [ -n "${KALVORA_SIGN_PKCS12:-}" ] || stop "KALVORA_SIGN_PASSWORD is set, KALVORA_SIGN_PKCS12 is not"
    [ -r "$KALVORA_SIGN_PKCS12" ] && [ -f "$KALVORA_SIGN_PKCS12" ] ||
        stop "KALVORA_SIGN_PKCS12 names $KALVORA_SIGN_PKCS12, which cannot be read"
    [ -n "${KALVORA_SIGN_PASSWORD+set}" ] || stop "KALVORA_SIGN_PASSWORD is not set"
    openssl pkcs12 -in "$KALVORA_SIGN_PKCS12" -passin env:KALVORA_SIGN_PASSWORD -noout 2>/dev/null ||
        openssl pkcs12 -legacy -in "$KALVORA_SIGN_PKCS12" -passin env:KALVORA_SIGN_PASSWORD \
            -noout 2>/dev/null ||
        stop "KALVORA_SIGN_PASSWORD does not open KALVORA_SIGN_PKCS12 ($KALVORA_SIGN_PKCS12)," \
            "or it is no PKCS#12 file"
    sign=ON
    echo "Signing with the certificate in $KALVORA_SIGN_PKCS12${KALVORA_SIGN_TIMESTAMP_URL:+, time stamps from $KALVORA_SIGN_TIMESTAMP_URL}"
else
    echo "Not signing: KALVORA_SIGN_PKCS12 and KALVORA_SIGN_PASSWORD are not set"
fi
build_windows_qt

export KALVORA_QT_WINDOWS
KALVORA_QT_WINDOWS=$(windows_qt_prefix)
build=build-windows
step "Configuring the Windows build in $build" \
    cmake --preset windows -DKALVORA_SIGN="$sign" "${CMAKE_WARNING_OPTIONS[@]}" >/dev/null
# A build that fails half-way leaves no outputs, signed or not, to be taken for finished ones.
remove_outputs() {
    rm -f "$build"/app/kalvora.exe "$build"/kalvora-*-setup.exe "$build"/kalvora-*-x64.msi \
        "$build"/SHA256SUMS
}
remove_outputs
if ! step "Building the program, its tests and installers" \
    cmake --build "$build" --parallel "$(nproc)"; then
    remove_outputs
    exit 1
fi
(cd "$build" && sha256sum kalvora-*-setup.exe kalvora-*-x64.msi app/kalvora.exe >SHA256SUMS)

# A program that runs from wherever it is copied: it may import Windows' own DLLs only, not
# MinGW's runtime (libstdc++, libgcc, winpthread) nor Qt's.
windows_dlls='^(advapi32|authz|comdlg32|d3d9|d3d11|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|api-ms-win-[a-z0-9-]+)\.dll$'
imported_dlls() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
for program in "$build"/app/kalvora.exe "$build"/tests/core_tests.exe "$build"/tests/window_tests.exe; do
    foreign=$(imported_dlls "$program" | grep -viE "$windows_dlls" || true)
    if [ -n "$foreign" ]; then
        echo "$program needs DLLs that Windows does not have:" $foreign >&2
        exit 1
    fi
done
echo "kalvora.exe imports only Windows system DLLs:" $(imported_dlls "$build/app/kalvora.exe" | sort -f)
for file in "$build"/app/kalvora.exe "$build"/kalvora-*-setup.exe "$build"/kalvora-*-x64.msi; do
    printf '%8.1f MB  %s\n' "$(stat -c %s "$file" | awk '{ print $1 / 1048576 }')" "$file"
done

[ "$mode" = --no-tests ] && exit 0
step "Testing under Wine" bash tests/windows/check-under-wine.sh "$build"
