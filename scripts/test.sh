#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite through CTest:
# the program's tests (unit, OpenGL on Mesa's software renderer, end to end under Xvfb), then
# the file readers' tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/virtual-display.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"

start_virtual_display
export LIBGL_ALWAYS_SOFTWARE=1
status=0
ctest --test-dir build --output-on-failure -j"$jobs" || status=1
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" || status=1
exit $status
