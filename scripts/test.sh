#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite through CTest:
# the program's tests (unit, OpenGL on Mesa's software renderer, end to end under Xvfb), then
# the file readers' tests again under AddressSanitizer and UBSan; then the Windows build: both
# zips made by build-windows.sh, their programs end to end under Wine (in the first tree), and
# the unit tests built for 32-bit Windows under Wine. VORN_SKIP_WINDOWS=1 leaves Windows out.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/virtual-display.sh

jobs=$(nproc)
windows=()
if [ "${VORN_SKIP_WINDOWS:-0}" != 1 ]; then
    windowsStart=$SECONDS
    VORN_BUILD_JOBS=$jobs scripts/build-windows.sh
    # The Wine tests run the programs as the zips unpack.
    rm -rf build/windows-programs
    mkdir -p build/windows-programs
    for zip in dist/vorn-win32.zip dist/vorn-win64.zip; do
        unzip -q "$zip" -d build/windows-programs
    done
    windows=(-DVORN_WINDOWS_PROGRAMS="$PWD/build/windows-programs")
    cmake --build build-win32 -j"$jobs"
    echo "Windows: installed and built in $((SECONDS - windowsStart)) s"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${windows[@]}" >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"

start_virtual_display
export LIBGL_ALWAYS_SOFTWARE=1
status=0
ctest --test-dir build --output-on-failure -j"$jobs" || status=1
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" || status=1
if [ ${#windows[@]} -gt 0 ]; then
    testStart=$SECONDS
    # A prefix of this run's own, and one Wine server for all the test programs.
    WINEPREFIX=$(mktemp -d)/wine
    export WINEPREFIX
    scripts/wine-run.sh cmd /c exit >/dev/null 2>&1 || true
    wineserver -p || true  # one may run already, started by the prefix's first program
    ctest --test-dir build-win32 --output-on-failure -j"$jobs" || status=1
    wineserver -k || true
    echo "Windows: unit tests under Wine in $((SECONDS - testStart)) s"
fi
exit $status
