#!/usr/bin/env bash
# Installs what is missing, builds the demo and runs it from the repository root (it reads
# scene/ from there). On a desktop it simply runs. Without a display it runs on a virtual one,
# plays a short session as a user would and saves screenshots of it under out/.
# VORN_BUILD_DIR names another build directory than build/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
build=${VORN_BUILD_DIR:-build}

scripts/install-deps.sh
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target vorn-demo -j"$(nproc)"
demo="$build/app/vorn-demo"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$demo"
fi

out="$root/out"
mkdir -p "$out"

source scripts/demo-session.sh
start_demo_display

fail() {
    echo "demo.sh: $*" >&2
    import -window root "$out/demo-failure.png" 2>/dev/null &&
        echo "Screen at the failure: $out/demo-failure.png" >&2
    [ -s "$out/demo.log" ] && echo "Program output: $out/demo.log" >&2
    exit 1
}

screenshot() {
    import -window root "$out/$1"
    echo "Saved $out/$1"
}

echo "No display: running the demo on the virtual display $DISPLAY"
log="$out/demo.log"
start_demo

sleep 4
screenshot demo-start.png
press_switch_key "$window" KP_1
sleep 1
screenshot demo-detail-off.png
press_switch_key "$window" KP_2
sleep 1
screenshot demo-bump-off.png

end_demo

echo "The demo ended with exit code 0. Screenshots:"
echo "  $out/demo-start.png       (a few seconds after the start)"
echo "  $out/demo-detail-off.png  (after keypad 1: the detail map switched)"
echo "  $out/demo-bump-off.png    (after keypad 2: the bump map switched too)"
