#!/usr/bin/env bash
# The program started where it cannot open a window ends with one line and exit code 1, not an
# abort: without any display, and with a display that is not there.
set -u
program=$1
failures=0
# Each row: name | variables set | the reason the line gives.
for row in "no display||neither DISPLAY nor WAYLAND_DISPLAY is set." \
    "an X display that is not there|DISPLAY=:97|its display :97 could not be opened." \
    "a Wayland display that is not there|WAYLAND_DISPLAY=kalvora-none|its display kalvora-none could not be opened."; do
    IFS="|" read -r name variable reason <<<"$row"
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="${TMPDIR:-/tmp}" \
        ${variable:+"$variable"} "$program" 2>&1 </dev/null)
    status=$?
    lines=$(printf '%s\n' "$output" | wc -l)
    if [ "$status" = 1 ] && [ "$lines" = 1 ] &&
        [ "$output" = "Kalvora needs a graphical desktop session: $reason" ]; then
        echo "ok      $name"
    else
        echo "FAILED  $name: exit code $status, $lines lines:"
        printf '%s\n' "$output"
        failures=$((failures + 1))
    fi
done
exit "$failures"
