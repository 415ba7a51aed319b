# Starts a private X server for the scripts that need a real one. Sourced, not run.

# start_xvfb [WIDTHxHEIGHT]: starts Xvfb (1024x768 by default) and exports DISPLAY; sets
# xvfb_pid for the caller to stop. Needs $work, a private scratch folder. Xvfb picks a free
# display itself and writes its number once it accepts clients. -noreset keeps it from resetting
# whenever its last client leaves, which would turn away a client connecting just then.
start_xvfb() {
    local screen=${1:-1024x768} number=
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    if ! read -r -t 30 number <"$work/display" || [ -z "$number" ]; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$number"
}
