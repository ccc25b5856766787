#!/usr/bin/env bash
# Long run: the demo on a virtual display for [minutes] (default 10), switching the display mode
# with F1 every few seconds and flipping both effect keys between switches. After each switch it
# samples the program's resident memory and open file descriptors, and it fails when either
# has grown, by the end, beyond a small allowance over its figure after the second switch.
# Not part of the test command. Usage: soak.sh [minutes]
# VORN_BUILD_DIR: build directory (build/). VORN_SOAK_RSS_KB (5120) and VORN_SOAK_FDS (2): the
# allowances. VORN_SOAK_PERIOD: seconds between switches (3). VORN_SOAK_WRAPPER: a command put
# in front of the program, such as "heaptrack -o out/soak", for a profile of the whole run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
if [ "${1:-}" = --help ] || [ "${1:-}" = -h ]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'
    exit 0
fi
minutes=${1:-10}
[[ "$minutes" =~ ^[0-9]+$ ]] && [ "$minutes" -gt 0 ] || { echo "usage: soak.sh [minutes]" >&2; exit 2; }
build=${VORN_BUILD_DIR:-build}
rss_allowance=${VORN_SOAK_RSS_KB:-5120}
fd_allowance=${VORN_SOAK_FDS:-2}
period=${VORN_SOAK_PERIOD:-3}
read -r -a wrapper <<<"${VORN_SOAK_WRAPPER:-}"

cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target vorn-demo -j"$(nproc)" >/dev/null
demo="$build/app/vorn-demo"
out="$root/out"
mkdir -p "$out"
log="$out/soak-demo.log"
samples="$out/soak-samples.txt"

fail() {
    echo "soak.sh: $*" >&2
    [ -s "$log" ] && echo "Program output: $log" >&2
    exit 1
}

source scripts/demo-session.sh
start_demo_display
echo "Soak of $minutes min on the virtual display $DISPLAY; samples in $samples"
start_demo "${wrapper[@]}"

# The process to measure: the program itself, also when a wrapper runs it as its child.
measured=$demo_pid
if [ ${#wrapper[@]} -gt 0 ]; then
    for tries in $(seq 100); do
        child=$(pgrep -n -P "$demo_pid" || true)
        [ -n "$child" ] && [ "$(readlink "/proc/$child/exe")" = "$(readlink -f "$demo")" ] &&
            { measured=$child; break; }
        sleep 0.1
    done
fi
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$measured/status"; }
open_fds() { ls "/proc/$measured/fd" | wc -l; }
# Resident memory by mapping (a library's file, [heap], [anon]): whose memory grew.
resident_by_mapping() {
    awk '/^[0-9a-f]+-[0-9a-f]+ / { name = $6 == "" ? "[anon]" : $6 }
         /^Rss:/ { rss[name] += $2 }
         END { for (name in rss) print name, rss[name] }' "/proc/$measured/smaps" | sort
}

# F1 is looked at in a frame while it is down: hold it until the window it closes has gone,
# then let go at once, before the key could repeat into the next window.
switch_mode() {
    local old=$window tries
    xdo windowfocus --sync "$old" keydown F1
    for tries in $(seq 500); do
        xwininfo -id "$old" >/dev/null 2>&1 || break
        demo_running || fail "the program ended during a switch"
        sleep 0.02
    done
    xdo keyup F1
    window=$(wait_for_window "Vorn Eng Dev") || fail "no window after switch $((switches + 1))"
    switches=$((switches + 1))
}

printf '%-8s %-10s %-8s %s\n' switch rss_kB fds seconds >"$samples"
sample() {
    printf '%-8s %-10s %-8s %s\n' "$switches" "$(resident_kb)" "$(open_fds)" "$SECONDS" >>"$samples"
}

switches=0
sleep "$period"
sample
end=$((SECONDS + minutes * 60))
while [ "$SECONDS" -lt "$end" ]; do
    switch_mode
    sleep 1
    press_switch_key "$window" KP_1
    press_switch_key "$window" KP_2
    sleep "$period"
    sample
    [ "$switches" -eq 2 ] && resident_by_mapping >"$out/soak-mappings-2.txt"
done
resident_by_mapping >"$out/soak-mappings-end.txt"
end_demo

if [ -s "$out/soak-mappings-2.txt" ]; then
    echo "Resident memory grown since switch 2, by mapping (over 100 kB):"
    join -a 2 -e 0 -o 0,1.2,2.2 "$out/soak-mappings-2.txt" "$out/soak-mappings-end.txt" |
        awk '$3 - $2 > 100 { print $3 - $2, $1 }' | sort -rn |
        awk '{ printf "  %+7d kB  %s\n", $1, $2 }'
fi

# The figure after the second switch is the reference: the first switches fill what the program
# keeps for good (caches of the driver and the libraries).
awk -v rss="$rss_allowance" -v fds="$fd_allowance" '
    NR == 1 { next }
    { last_rss = $2; last_fds = $3; last = $1; if ($2 > peak) peak = $2 }
    $1 == 0 { start_rss = $2 }
    $1 == 2 { ref_rss = $2; ref_fds = $3 }
    $1 == 50 { rss50 = $2 }
    END {
        if (ref_rss == "") { print "soak.sh: fewer than two switches were made"; exit 1 }
        printf "Switches: %d\n", last
        printf "Resident memory: %d kB at the start, %d kB after switch 2, ", start_rss, ref_rss
        if (rss50 != "") printf "%d kB after switch 50, ", rss50
        printf "%d kB at the end (peak %d kB): %+d kB since switch 2, allowance %d kB\n",
               last_rss, peak, last_rss - ref_rss, rss
        printf "Open descriptors: %d after switch 2, %d at the end, allowance %d\n",
               ref_fds, last_fds, fds
        if (last_rss - ref_rss > rss || last_fds - ref_fds > fds) { print "FAILED"; exit 1 }
        print "PASSED"
    }' "$samples"
