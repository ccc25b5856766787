#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite through CTest:
# the program's tests (unit, OpenGL on Mesa's software renderer, end to end under Xvfb), then
# the file readers' tests again under AddressSanitizer and UBSan; then the Windows build: both
# zips made by build-windows.sh, their programs end to end under Wine (in the first tree), and
# the unit tests built for 32-bit Windows under Wine; and the web pages in headless Chromium
# and Firefox.
# VORN_SKIP_WINDOWS=1 leaves Windows out, VORN_SKIP_WEB=1 the web pages.
#
# The run keeps nothing outside the repository: what it makes for itself (a Wine prefix, the
# tests' temporary files, the caches of Mesa and fontconfig) lives in one folder under TMPDIR
# that is removed when the run ends, however it ends. Between runs only the build trees
# (build/, build-sanitize/, build-win32/, build-win64/, build-web/), dist/ and the web tests'
# npm packages (tests/web/node_modules/) are kept.
set -euo pipefail
cd "$(dirname "$0")/.."
windows=0
[ "${VORN_SKIP_WINDOWS:-0}" = 1 ] || windows=1

if [ $windows = 1 ]; then scripts/install-windows-deps.sh; else scripts/install-deps.sh; fi

run=$(mktemp -d "${TMPDIR:-/tmp}/vorn-test-run.XXXXXX")
source scripts/virtual-display.sh
source scripts/wine-prefix.sh
finish() {
    local status=$?
    trap - EXIT INT TERM
    stop_virtual_display
    [ $windows = 1 ] && remove_wine_prefix
    rm -rf "$run"
    exit $status
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
mkdir -p "$run/tmp" "$run/cache"
export TMPDIR="$run/tmp" XDG_CACHE_HOME="$run/cache"

jobs=$(nproc)
start_virtual_display
export LIBGL_ALWAYS_SOFTWARE=1

cmakeWindows=()
if [ $windows = 1 ]; then
    # Every Windows program under test runs in this prefix: it is made once, while the Linux
    # trees build, before anything needs it.
    export WINEPREFIX="$run/wine"
    make_wine_prefix &
    prefixMaker=$!
    windowsStart=$SECONDS
    VORN_BUILD_JOBS=$jobs scripts/build-windows.sh
    # The Wine tests run the programs as the zips unpack.
    rm -rf build/windows-programs
    mkdir -p build/windows-programs
    for zip in dist/vorn-win32.zip dist/vorn-win64.zip; do
        unzip -q "$zip" -d build/windows-programs
    done
    cmakeWindows=(-DVORN_WINDOWS_PROGRAMS="$PWD/build/windows-programs")
    cmake --build build-win32 -j"$jobs"
    echo "Windows: built in $((SECONDS - windowsStart)) s"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmakeWindows[@]}" >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"

if [ $windows = 1 ]; then
    wait "$prefixMaker" || { echo "test.sh: the Wine prefix could not be made" >&2; exit 1; }
fi

status=0
# The Windows programs of the first tree run on screens of their own and start their Wine
# server there: a server kept running on this run's screen would put their windows on a
# desktop of its size.
ctest --test-dir build --output-on-failure -j"$jobs" || status=1
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" || status=1
if [ "${VORN_SKIP_WEB:-0}" != 1 ]; then
    webStart=$SECONDS
    # The pages' pictures are compared with the first tree's vorn-view.
    scripts/test-web.sh build || status=1
    echo "Web: installed, built and tested in $((SECONDS - webStart)) s"
fi
if [ $windows = 1 ]; then
    testStart=$SECONDS
    # One Wine server for all the Windows test programs, which share this run's screen,
    # instead of one started and stopped by each; the first program starts the prefix's
    # services, which stay with the server. Started by a test's discovery instead, they would
    # hold its output open until its time ran out.
    wineserver -w
    wineserver -p
    scripts/wine-run.sh cmd /c exit >/dev/null 2>&1 || true
    ctest --test-dir build-win32 --output-on-failure -j"$jobs" || status=1
    echo "Windows: unit tests under Wine in $((SECONDS - testStart)) s"
fi
exit $status
