# Sourced by the scripts: when there is no display, starts a virtual one (Xvfb, 1024 x 768,
# 24-bit) and exports DISPLAY; it stops when the calling script ends, or at
# stop_virtual_display for a script that has an EXIT trap of its own.
VIRTUAL_DISPLAY_PID=
start_virtual_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local number
    for number in $(seq 90 120); do
        [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ] && continue
        # -noreset: a server that resets when its last client leaves drops the clients that
        # connect during the reset, as the demo does right after its start question.
        Xvfb ":${number}" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        VIRTUAL_DISPLAY_PID=$!
        export DISPLAY=":${number}"
        local tries
        for tries in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
        [ -n "$(trap -p EXIT)" ] || trap stop_virtual_display EXIT
        return 0
    done
    echo "No free display number for Xvfb" >&2
    return 1
}

# Stops the virtual display, if one was started, and waits for it to remove its lock files.
stop_virtual_display() {
    [ -n "$VIRTUAL_DISPLAY_PID" ] || return 0
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    VIRTUAL_DISPLAY_PID=
}
