#!/usr/bin/env bash
# Takes a screenshot of the calculator window as a real X server draws it.
#
#   scripts/screenshot.sh [start|estimate] [program] [output.png]
#
#   start     the window as it opens (the default)
#   estimate  after an estimate typed in by the keyboard and the mouse: "Carbon steel",
#             "Round bar", 100 mm by 1000 mm, 4 pieces at 2,50 per kilogram, CALCULATE
#   program   defaults to build/app/kalvora
#   output    defaults to docs/screenshot.png
#
# QT_SCALE_FACTOR (for instance 1.5 or 2) is passed on to the program; the clicks scale along.
set -euo pipefail

mode=${1:-start}
program=${2:-build/app/kalvora}
output=${3:-docs/screenshot.png}

case "$mode" in
start | estimate) ;;
*)
    echo "usage: $0 [start|estimate] [program] [output.png]" >&2
    exit 2
    ;;
esac
if [[ ! -x "$program" ]]; then
    echo "no program at $program; build it first (cmake --build build)" >&2
    exit 1
fi

# ImageMagick from Debian; another convert may come first on the PATH.
IMPORT=/usr/bin/import
CONVERT=/usr/bin/convert

scripts=$(dirname "$0")
source "$scripts/packages.sh"
source "$scripts/xvfb.sh"
ensure_packages xvfb xdotool imagemagick

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    set +e # a killed process reports a failure, and the server must go all the same
    if [[ -n $app_pid ]]; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# 1024 x 768, or larger when a scale factor makes the window taller than that.
screen=$(awk -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN {
    w = int(442 * s + 64); h = int(488 * s + 64)
    printf "%dx%d", (w > 1024 ? w : 1024), (h > 768 ? h : 768) }')

start_xvfb "$screen"

[[ -n ${QT_SCALE_FACTOR:-} ]] && export QT_SCALE_FACTOR
# A private runtime folder, gone with $work.
QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" "$program" >"$work/app.log" 2>&1 &
app_pid=$!

if ! window=$(timeout 30 xdotool search --sync --name "Kalvora 2.2" | head -n 1) ||
    [[ -z $window ]]; then
    echo "the window did not appear:" >&2
    cat "$work/app.log" >&2
    exit 1
fi
# A bare X server has no window manager to hand the focus to a new window.
xdotool windowfocus --sync "$window"

eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y, WIDTH, HEIGHT

# The form is laid out in logical pixels on a 442 x 488 client area.
scale=$(awk -v w="$WIDTH" 'BEGIN { printf "%.4f", w / 442 }')

# Clicks the middle of a control given by its window coordinates (x, y, width, height).
click_control() {
    local x y
    x=$(awk -v s="$scale" -v l="$1" -v w="$3" -v o="$X" 'BEGIN { printf "%d", o + (l + w / 2) * s }')
    y=$(awk -v s="$scale" -v t="$2" -v h="$4" -v o="$Y" 'BEGIN { printf "%d", o + (t + h / 2) * s }')
    xdotool mousemove --sync "$x" "$y" click 1
}

# Replaces a field's text; End and BackSpace work whatever the field selected on entry.
retype_field() {
    click_control "$@"
    xdotool key --clearmodifiers End
    xdotool key --clearmodifiers --repeat 12 BackSpace
    xdotool type --delay 40 "$5"
}

if [[ $mode == estimate ]]; then
    # Grade box (in the window) and shape list (in the frame "shape" at 8, 195).
    # Typed text chooses no grade: step down the list to "Carbon steel", its seventh entry.
    click_control 80 136 193 23
    xdotool key --clearmodifiers --delay 40 Down Down Down Down Down Down Down
    # Tab leads from the grade box to the shape list, whose keyboard search picks the entry
    # without opening the list.
    xdotool key --clearmodifiers Tab
    xdotool type --delay 40 "Round"
    # Dimension rows 1 and 2 in the frame "shape"; pieces and price in the frame "price"
    # at 8, 317.
    retype_field $((8 + 112)) $((195 + 48)) 97 19 "100"
    retype_field $((8 + 112)) $((195 + 72)) 97 19 "1000"
    retype_field $((8 + 96)) $((317 + 24)) 65 19 "4"
    retype_field $((8 + 96)) $((317 + 48)) 65 19 "2,50"
    click_control 288 144 129 25 # CALCULATE
fi

# Waits until two captures in a row are alike, so that the window has finished drawing.
previous=
for _ in $(seq 1 40); do
    # PPM carries no time stamp, so equal pictures give equal files.
    "$IMPORT" -window root "$work/screen.ppm"
    current=$(md5sum <"$work/screen.ppm")
    [[ $current == "$previous" ]] && break
    previous=$current
    sleep 0.25
done

mkdir -p "$(dirname "$output")"
"$CONVERT" "$work/screen.ppm" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT}, window at ${X},${Y}, mode $mode)"
