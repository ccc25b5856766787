# Sourced by demo.sh and soak.sh: a virtual display of our own, and the demo driven on it as a
# user would drive it (start question, boxes, keys). The caller defines fail(), and sets $demo
# (the program) and $log (where its output goes) before start_demo.

demo_pid=
display_pid=
number_file=$(mktemp)
stop_all() {
    [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
    [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
    rm -f "$number_file"
}
trap stop_all EXIT

# A virtual 1024 x 768 screen. Xvfb picks a free display number itself and writes it out once
# it takes clients, so it never meets another server started at the same moment. Without
# -noreset it resets whenever its last client leaves, and drops a client that connects just
# then: the program connects right after its start question closes, with often no one else on.
start_demo_display() {
    local tries
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
    display_pid=$!
    for tries in $(seq 100); do
        grep -q . "$number_file" && break
        sleep 0.1
    done
    grep -q . "$number_file" || { echo "$(basename "$0"): Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$number_file")"
}

# True while the program runs (an ended child stays a zombie until it is waited for).
demo_running() {
    local stat
    stat=$(cat "/proc/$demo_pid/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [ "${stat%% *}" != Z ]
}

# The id of the top-level window with exactly this title, if there is one. A window that goes
# away while xwininfo walks the tree makes it fail; the callers simply look again.
window_titled() {
    { xwininfo -root -tree 2>/dev/null || true; } |
        awk -v title=" \"$1\": " 'index($0, title) && !found { print $1; found = 1 }'
}

# Every X tool call is bounded: xdotool --sync waits for good on a window that went away.
xdo() {
    timeout 10 xdotool "$@"
}

viewable() {
    [[ "$(xwininfo -id "$1" 2>/dev/null)" == *"Map State: IsViewable"* ]]
}

# Waits up to 30 s for a shown window with this title and prints its id.
wait_for_window() {
    local tries id
    for tries in $(seq 300); do
        id=$(window_titled "$1")
        if [ -n "$id" ] && viewable "$id"; then echo "$id"; return 0; fi
        demo_running || return 1
        sleep 0.1
    done
    return 1
}

# Answers a message box with a key, and again should it miss the key while it starts up.
answer_box() {
    local attempt tries
    for attempt in 1 2 3; do
        xdo windowfocus --sync "$1" key "$2"
        for tries in $(seq 20); do
            viewable "$1" || return 0
            sleep 0.1
        done
    done
    return 1
}

# The program's main thread sleeps 300 ms right after flipping an effect switch; the system
# call it waits in shows in /proc, by number.
case "$(uname -m)" in
    x86_64) sleep_calls=" 35 230 " ;;        # nanosleep, clock_nanosleep
    aarch64) sleep_calls=" 101 115 " ;;
    *) sleep_calls= ;;
esac
in_switch_sleep() {
    local number rest
    read -r number rest <"/proc/$demo_pid/syscall" 2>/dev/null || return 1
    [[ "$sleep_calls" == *" $number "* ]]
}

# Keypad keys flip a switch in every frame in which they are down: hold the key until the
# program has taken it and gone into its sleep, then let go, as a quick hand would. Where the
# system does not show what the program waits in, a hold of 150 ms does nearly as well.
press_switch_key() {
    local tries
    if [ -z "$sleep_calls" ] || ! cat "/proc/$demo_pid/syscall" >/dev/null 2>&1; then
        xdo windowfocus --sync "$1" keydown "$2" sleep 0.15 keyup "$2"
        return
    fi
    xdo windowfocus --sync "$1" keydown "$2"
    for tries in $(seq 1000); do
        in_switch_sleep && break
        sleep 0.003
    done
    xdo keyup "$2"
}

# Starts the demo, answers its start question with No (windowed) and any box of a missing
# OpenGL extension with OK, and sets $window to the id of the window once it is shown.
start_demo() {
    local question box tries shown=
    "$@" "$demo" >"$log" 2>&1 &
    demo_pid=$!

    question=$(wait_for_window "Start FullScreen?") || fail "the start question did not appear"
    answer_box "$question" Escape || fail "the start question took no answer"  # No: windowed

    # A driver without multitexturing or DOT3 says so in a box or two before the first frame.
    window=
    for tries in $(seq 300); do
        window=$(window_titled "Vorn Engine Dev.")
        box=$(window_titled "Erreur")
        if viewable "$question"; then
            answer_box "$question" Escape || true  # the first answer went astray
        elif [ -n "$box" ] && viewable "$box"; then
            echo "The program reports a missing OpenGL extension; answering OK"
            answer_box "$box" Return || fail "the box \"Erreur\" took no answer"
        elif [ -n "$window" ] && viewable "$window"; then
            shown=yes
            break
        fi
        demo_running || fail "the program ended before opening its window"
        sleep 0.1
    done
    [ -n "$shown" ] || fail "the window \"Vorn Engine Dev.\" did not appear"
}

# Ends the demo with Escape, held until it has ended, and checks its exit code.
end_demo() {
    local tries status=0
    # Escape is looked at once per frame: hold it until the program has ended.
    xdo windowfocus --sync "$window" keydown Escape
    for tries in $(seq 100); do
        demo_running || break
        sleep 0.1
    done
    xdo keyup Escape 2>/dev/null || true
    if demo_running; then fail "the program did not end on Escape"; fi
    wait "$demo_pid" || status=$?
    demo_pid=
    [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
}
