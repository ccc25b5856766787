# Sourced by the scripts: when there is no display, starts a virtual one (Xvfb, 1024 x 768,
# 24-bit) and exports DISPLAY; it stops when the calling script ends, or at
# stop_virtual_display for a script that has an EXIT trap of its own.
VIRTUAL_DISPLAY_PID=
start_virtual_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    # Xvfb picks the first display number free to it and writes it out once it takes clients:
    # a number guessed from lock files can belong to a server they do not show (one in another
    # root, holding the abstract socket), and the tests would then draw on that server.
    local numberFile number tries
    numberFile=$(mktemp)
    # The folder of the X sockets goes with the display when the display made it.
    [ -d /tmp/.X11-unix ] && VIRTUAL_DISPLAY_MADE_SOCKETS=0 || VIRTUAL_DISPLAY_MADE_SOCKETS=1
    # -noreset: a server that resets when its last client leaves drops the clients that
    # connect during the reset, as the demo does right after its start question.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$numberFile" \
        >/dev/null 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    for tries in $(seq 100); do
        [ -s "$numberFile" ] || ! kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null && break
        sleep 0.1
    done
    number=$(head -n 1 "$numberFile")
    rm -f "$numberFile"
    if [ -z "$number" ]; then
        echo "Xvfb did not start a virtual display" >&2
        stop_virtual_display
        return 1
    fi
    export DISPLAY=":${number}"
    [ -n "$(trap -p EXIT)" ] || trap stop_virtual_display EXIT
}

# Stops the virtual display, if one was started, and waits for it to remove its lock files.
stop_virtual_display() {
    [ -n "$VIRTUAL_DISPLAY_PID" ] || return 0
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    wait "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    VIRTUAL_DISPLAY_PID=
    [ "${VIRTUAL_DISPLAY_MADE_SOCKETS:-0}" = 1 ] && rmdir /tmp/.X11-unix 2>/dev/null || true
}
