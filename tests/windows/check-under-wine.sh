#!/usr/bin/env bash
# Tests the Windows build under Wine, in a private 64-bit prefix on a private Xvfb display:
#
#   1. core_tests.exe and window_tests.exe pass (the window tests on the offscreen platform);
#   2. the setup program installs silently: program, Start-menu shortcut and uninstall entry;
#   3. the installed program opens its window, titled "Kalvora 2.2", with a 442 x 488 client area;
#   4. an estimate typed through X (Carbon steel, Round bar, 100 by 1000 mm, 4 pieces at 2,50 per
#      kilogram, CALCULATE) shows the six lines of the Linux program, read back by OCR;
#   5. a click on the web link leaves the program running and its window unchanged;
#   6. the silent uninstaller leaves no file, shortcut or registry key of the program behind;
#   7. the MSI package installs and uninstalls silently through msiexec, with the same checks;
#   8. /CurrentUser installs into the user's own folders and HKCU, and nothing under HKLM;
#   9. a signed 2.1 build (made in [build folder]-2.1) verifies; each installer upgrades its own
#      2.1, but neither replaces a running program nor installs beside the other's installation;
#  10. at 120 and 144 dpi the window scales, and at 144 dpi the figures read right.
#
#   tests/windows/check-under-wine.sh [build folder]   (default build-windows; KALVORA_QT_WINDOWS set)
#
# Screenshots are kept in the build folder as wine-*.png.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build-windows}")
source scripts/xvfb.sh

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    set +e
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
pass() { echo "ok      $1"; }
fail() {
    echo "FAILED  $1"
    failures=$((failures + 1))
}
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# Waits until every program in the prefix has ended.
settle() { timeout 120 wineserver -w; }

# A prefix of its own, 64-bit, with no menu entries written into the Linux desktop, and no
# prompts to install Wine's Mono or Gecko. Wine has neither Arial nor Microsoft Sans Serif:
# its replacement keys map both to the metric-compatible Liberation Sans.
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_xvfb 1024x768
echo "Wine $(wine --version) in a new prefix on display $DISPLAY"
wine wineboot --init >/dev/null 2>&1
for face in "Arial" "Microsoft Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ \
        /d "Liberation Sans" /f >/dev/null
done
# ClearType, as Windows has it by default: Wine's grey smoothing drops the one-pixel stem of a
# capital I at 8 points. And a caret that does not blink, so that two captures of an unchanged
# window are alike.
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v FontSmoothing /t REG_SZ /d 2 /f >/dev/null
wine reg add "$desktop" /v FontSmoothingType /t REG_DWORD /d 2 /f >/dev/null
wine reg add "$desktop" /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null
settle

drive_c="$WINEPREFIX/drive_c"
program_dir="$drive_c/Program Files/Kalvora"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kalvora.lnk"
# Wine's msiexec puts the shortcuts of a per-machine package into the user's Start menu, where
# Windows puts them into the one of all users.
user_dir="$drive_c/users/$(id -un)/AppData/Local/Programs/Kalvora"
user_shortcut="$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kalvora.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# --- 1. The unit tests --------------------------------------------------------------------------
# The offscreen platform reads fonts from a folder of font files, not from Windows. Wine keeps
# QT_ variables of Linux away from Windows programs; it hands them WINEQT_ ones without WINE.
fonts_dir=$(winepath -w /usr/share/fonts/truetype/liberation)
for suite in core_tests window_tests; do
    if WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR="$fonts_dir" \
        wine "$build/tests/$suite.exe" --gtest_brief=1 >"$work/$suite.log" 2>&1; then
        echo "ok      $suite.exe: $(grep -E '^\[  PASSED  \]' "$work/$suite.log")"
    else
        echo "FAILED  $suite.exe:"
        grep -E '^\[  (FAILED|PASSED)  \]|Failure|rror' "$work/$suite.log" | head -n 40 || true
        failures=$((failures + 1))
    fi
done

# --- Helpers for the installed program ----------------------------------------------------------
# What of the program the prefix holds: files and folders by name, registry lines by content.
traces() {
    settle # the registry reaches its files when the server ends
    (cd "$drive_c" && find . -ipath '*kalvora*' | sort)
    ls "$drive_c/windows/Installer" 2>/dev/null || true # the packages Windows Installer keeps
    { grep -hiE 'kalvora|valtorre' "$WINEPREFIX"/*.reg || true; } | sort
}

# Prints the first shown window whose title matches the pattern, waiting up to SECONDS for one.
# xdotool reads the properties of every window as it searches, and dies with BadWindow when one
# of the short-lived windows that Wine makes and destroys while a program starts vanishes under
# it (its --sync waits inside that one search): such a search is simply made again. A window not
# shown yet cannot take the focus (BadMatch), so only shown ones count.
find_window() { # find_window PATTERN [SECONDS]
    local deadline=$((SECONDS + ${2:-60})) found
    while :; do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$found" ] && echo "$found" && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        xdotool sleep 0.2
    done
}

# Gives the window the input focus. Wine may still be mapping it, or unmap it for a moment, and
# X then refuses the focus (BadMatch): the request is made again until it holds.
focus_window() { # focus_window WINDOW
    local deadline=$((SECONDS + 30))
    until timeout 10 xdotool windowfocus --sync "$1" 2>/dev/null; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        xdotool sleep 0.2
    done
}

setup=$(ls "$build"/kalvora-*-setup.exe)
version=$(basename "$setup" | sed 's/^kalvora-\(.*\)-setup\.exe$/\1/')
window=
start_program() { # start_program [FOLDER [VERSION]]
    local folder=${1:-C:\\Program Files\\Kalvora}
    (cd "$work" && exec wine "$folder\\kalvora.exe") >"$work/program.log" 2>&1 &
    window=$(find_window "^Kalvora ${2:-$version}\$")
}

stop_program() {
    # WM_CLOSE, as the window's close box sends it.
    wine taskkill /im kalvora.exe >/dev/null 2>&1 || true
    settle
}

# Waits until two captures of the window in a row are alike, and keeps the last.
capture() {
    local previous=
    for _ in $(seq 1 50); do
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/capture.ppm"
        if [ -n "$previous" ] && cmp -s "$work/capture.ppm" "$previous"; then
            convert "$work/capture.ppm" "$1"
            return 0
        fi
        previous="$work/previous.ppm"
        cp "$work/capture.ppm" "$previous"
        xdotool sleep 0.1
    done
    echo "the window kept changing" >&2
    return 1
}

click_at() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; }

# OCR of one line of text at window pixels X Y, W x H, enlarged and framed for tesseract. At this
# size it cannot tell a comma from a full stop, so it looks for neither (the window tests check
# the exact texts); it misreads "pc" as "pe" at times, never a digit.
read_line() {
    convert "$1" -crop "$4x$5+$2+$3" +repage -resize 400% -colorspace Gray -bordercolor white \
        -border 30 "$work/line.png"
    tesseract "$work/line.png" - --psm 7 -c tessedit_char_whitelist='0123456789,: pcsmetrKg€' \
        2>/dev/null
}

# The figures of a text in order.
figures() { grep -oE '[0-9]+(,[0-9]+)?' | paste -sd ' '; }

# The values of the uninstall entries ("Apps and features") whose display name is Kalvora, as
# the registry file holds them: system.reg for HKLM (by default), user.reg for HKCU.
uninstall_entry() { # uninstall_entry [system|user]
    settle
    awk 'function flush() { if (kalvora && key ~ /CurrentVersion\\\\Uninstall\\\\/) printf "%s", entry }
         /^\[/ { flush(); key = $0; entry = ""; kalvora = 0 }
         { entry = entry $0 "\n" }
         /^"DisplayName"="Kalvora"$/ { kalvora = 1 }
         END { flush() }' "$WINEPREFIX/${1:-system}.reg"
}

# Every uninstall entry of Kalvora as "installer hive version", for instance "setup HKCU 2.2".
entries() {
    local hive
    for hive in system:HKLM user:HKCU; do
        uninstall_entry "${hive%%:*}" | awk -v hive="${hive#*:}" '
            /^\[/ { installer = $0 ~ /Uninstall\\\\Kalvora\]/ ? "setup" : "msi" }
            /^"DisplayVersion"=/ { gsub(/"/, "", $2); print installer, hive, $2 }' FS==
    done | sort | paste -sd ';'
}

check_installed() { # check_installed HOW SHORTCUT VALUE...
    local how=$1 shortcut=$2 folder=${dir:-$program_dir} value
    shift 2
    check "$how: kalvora.exe is in $folder" test -f "$folder/kalvora.exe"
    check "$how: the Start menu has the shortcut" test -f "$shortcut"
    uninstall_entry "${hive:-system}" >"$work/entry"
    for value in "$@"; do
        check "$how: \"Apps and features\" lists Kalvora with its $value" \
            grep -q "^\"$value\"=[^\"]*\"[^\"]" "$work/entry"
    done
}

check_removed() { # check_removed HOW
    traces >"$work/after"
    check "$1: nothing of the program is left in the prefix" diff "$work/before" "$work/after"
}

# --- 2. Silent install with the setup program ---------------------------------------------------
traces >"$work/before"
wine "$build"/kalvora-*-setup.exe /S
settle
check_installed "setup /S" "$shortcut" DisplayName DisplayVersion Publisher DisplayIcon \
    UninstallString QuietUninstallString
check "setup /S: its uninstall entry gives the size" grep -q '^"EstimatedSize"=dword:' "$work/entry"

# --- 3. The installed program's window, at SCALE percent of 96 dpi -----------------------------
scaled() { echo $((($1 * scale + 50) / 100)); }
check_window() { # check_window SCALE
    local scale=$1 suffix=${1%100}
    local width height
    width=$(scaled 442) height=$(scaled 488)
    if ! start_program; then
        fail "at $scale %: the installed program opens a window titled \"Kalvora $version\""
        return
    fi
    pass "at $scale %: the installed program opens a window titled \"Kalvora $version\""
    if ! focus_window "$window"; then
        fail "at $scale %: its window takes the focus"
        return
    fi
    eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT
    check "its client area is $width x $height (it is ${WIDTH} x ${HEIGHT})" \
        test "$WIDTH" = "$width" -a "$HEIGHT" = "$height"
    capture "$build/wine-start${suffix:+-$suffix}.png"
    [ "$scale" = 125 ] && return

    # --- 4. A keyboard estimate through X -------------------------------------------------------
    # The grade box has the focus: Carbon steel is the seventh grade, Round bar the second shape.
    xdotool key --delay 60 Down Down Down Down Down Down Down Tab Down Down Tab
    xdotool type --delay 60 100
    xdotool key Tab
    xdotool type --delay 60 1000
    xdotool key Tab
    xdotool type --delay 60 4
    xdotool key Tab
    xdotool type --delay 60 2,50
    xdotool key --delay 60 Tab Return
    local estimate="$build/wine-estimate${suffix:+-$suffix}.png"
    capture "$estimate"
    # The result labels, in the window: three rows in each panel (at 280,195 and 280,293).
    local expected=("1 61,66" "4 246,64" "1 61,66" "1 154,15" "4 616,6" "1 154,15")
    local line=0 panel_top row_top text
    for panel_top in 195 293; do
        for row_top in 24 48 72; do
            text=$(read_line "$estimate" "$(scaled 288)" "$(scaled $((panel_top + row_top)))" \
                "$(scaled 137)" "$(scaled 17)")
            check "result line $((line + 1)) reads \"$text\", the figures ${expected[line]}" \
                test "$(figures <<<"$text")" = "${expected[line]}"
            line=$((line + 1))
        done
    done
    [ "$scale" != 100 ] && return

    # --- 5. The web link --------------------------------------------------------------------------
    click_at $((8 + 417 / 2)) $((464 + 25 / 2))
    capture "$build/wine-after-link.png"
    check "after a click on the link the program still runs" \
        find_window "^Kalvora ${version//./\\.}\$" 0 >/dev/null
    check "and its window is unchanged" \
        bash -c "[ \"\$(compare -metric AE '$estimate' '$build/wine-after-link.png' null: 2>&1)\" = 0 ]"
}
check_window 100
stop_program

# --- 6. Silent uninstall -------------------------------------------------------------------------
wine "C:\\Program Files\\Kalvora\\uninstall.exe" /S
settle # the uninstaller finishes from a copy of itself
check_removed "uninstall /S"

# --- 7. The MSI package -------------------------------------------------------------------------
msi=$(winepath -w "$(ls "$build"/kalvora-*-x64.msi)")
wine msiexec /i "$msi" /qn
settle
# Windows Installer keeps the product's icon with the package; Wine writes no DisplayIcon.
check_installed "msiexec /i /qn" "$user_shortcut" DisplayName DisplayVersion Publisher \
    UninstallString
check "msiexec /i /qn: the product has its icon" grep -q '^"ProductIcon"=".*kalvora.ico"' \
    "$WINEPREFIX/system.reg"
check "the program installed from the MSI opens its window" start_program
stop_program
wine msiexec /x "$msi" /qn
settle
check_removed "msiexec /x /qn"

# --- Installers, run one after the other ---------------------------------------------------------
# Runs an installer, closes the program, checks the exit code (Wine hands on its low byte only:
# 1603 arrives as 67), the uninstall entries and, unless empty, the program in Program Files.
expect() { # expect HOW EXIT_CODE ENTRIES PROGRAM COMMAND...
    local how=$1 code=$2 want=$3 program=$4 status=0 got
    shift 4
    wine "$@" >/dev/null 2>&1 || status=$?
    stop_program
    got="exit $status, entries \"$(entries)\""
    check "$how: $got" test "$got" = "exit $((code % 256)), entries \"$want\""
    [ -z "$program" ] || check "$how: Program Files holds $program" \
        cmp -s "$program_dir/kalvora.exe" "$program"
}

# --- 8. For the current user alone --------------------------------------------------------------
expect "setup /S /CurrentUser" 0 "setup HKCU $version" "" "$setup" /S /CurrentUser
dir=$user_dir hive=user check_installed "setup /S /CurrentUser" "$user_shortcut" DisplayName \
    DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString
check "setup /S /CurrentUser: nothing of the program is under HKLM" \
    bash -c "! grep -qiE 'kalvora|valtorre' '$WINEPREFIX/system.reg'"
expect "setup /S /AllUsers beside it" 2 "setup HKCU $version" "" "$setup" /S /AllUsers
expect "msiexec /i /qn beside it" 1603 "setup HKCU $version" "" msiexec /i "$msi" /qn
wine "$(winepath -w "$user_dir")\\uninstall.exe" /S
settle
check_removed "its uninstall /S"

# --- 9. Signing, upgrades, a running program, both installers -----------------------------------
older="$build-2.1"
new_exe="$build/app/kalvora.exe" old_exe="$older/app/kalvora.exe"
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Kalvora test" -days 2 \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export KALVORA_SIGN_PKCS12="$work/cert.p12" KALVORA_SIGN_PASSWORD="pass $RANDOM word"
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$KALVORA_SIGN_PKCS12" \
    -passout env:KALVORA_SIGN_PASSWORD
KALVORA_SIGN_PASSWORD=wrong$RANDOM bash scripts/windows.sh --no-tests >"$work/wrong.log" 2>&1 || true
check "a wrong password stops the build and names KALVORA_SIGN_PASSWORD, not the password" \
    bash -c "grep -q 'Not building: KALVORA_SIGN_PASSWORD' '$work/wrong.log' && ! grep -q wrong '$work/wrong.log'"
rm -rf "$older" # signed afresh with this run's certificate
cmake --preset windows -B "$older" -DBUILD_TESTING=OFF -DKALVORA_SIGN=ON \
    -DCMAKE_PROJECT_INCLUDE="$PWD/tests/windows/older-version.cmake" >/dev/null
cmake --build "$older" --target windows_installers >"$work/older.log" 2>&1 || cat "$work/older.log"
older_msi=$(winepath -w "$older/kalvora-2.1-x64.msi")

expect "setup 2.1 /S" 0 "setup HKLM 2.1" "$old_exe" "$older/kalvora-2.1-setup.exe" /S
signed() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >/dev/null 2>&1; }
for file in "$old_exe" "$older"/kalvora-2.1-{setup.exe,x64.msi} "$program_dir/uninstall.exe"; do
    check "$(basename "$file") of 2.1 is signed" signed "$file"
done
check "the older program runs" start_program "C:\\Program Files\\Kalvora" 2.1
expect "setup $version /S while 2.1 runs" 2 "setup HKLM 2.1" "$old_exe" "$setup" /S
expect "setup $version /S over 2.1" 0 "setup HKLM $version" "$new_exe" "$setup" /S
expect "msiexec /i /qn over it" 1603 "setup HKLM $version" "$new_exe" msiexec /i "$msi" /qn
expect "its uninstall /S" 0 "" "" "C:\\Program Files\\Kalvora\\uninstall.exe" /S

expect "msiexec /i 2.1 /qn" 0 "msi HKLM 2.1.0" "$old_exe" msiexec /i "$older_msi" /qn
check "the older program runs" start_program "C:\\Program Files\\Kalvora" 2.1
# Windows Installer replaces a file in use at the next restart, and says so with 3010.
expect "msiexec /i $version /qn while 2.1 runs" 3010 "msi HKLM $version.0" "$old_exe" \
    msiexec /i "$msi" /qn
expect "a restart" 0 "msi HKLM $version.0" "$new_exe" wineboot --restart
expect "setup /S over it" 2 "msi HKLM $version.0" "$new_exe" "$setup" /S
expect "msiexec /x /qn" 0 "" "" msiexec /x "$msi" /qn
check_removed "msiexec /x /qn after the upgrades"

# --- 10. At 120 and 144 dpi ---------------------------------------------------------------------
wine "$setup" /S
for dpi in 120 144; do
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    settle
    check_window $((dpi * 100 / 96))
    stop_program
done

if [ "$failures" -ne 0 ]; then
    echo "$failures checks under Wine failed"
    exit 1
fi
echo "every check under Wine passed"
