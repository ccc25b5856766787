#!/usr/bin/env bash
# Cross-builds the demo and its tools for 32-bit (i686) and 64-bit (x86_64) Windows with
# mingw-w64, statically linked, and packs each into dist/vorn-win32.zip and dist/vorn-win64.zip:
# one folder with the programs, the demo's scene/ and README.txt. Installs what it needs.
# VORN_WINDOWS_BUILD_PREFIX puts the build trees elsewhere than build-win32/ and build-win64/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
scripts/install-windows-deps.sh

# Each program and where the build tree makes it.
declare -A made=([vorn-demo]=app [vorn-view]=tools/view [vorn-check]=tools/check
    [vorn-inspect]=tools/inspect)
programs=(vorn-demo vorn-view vorn-check vorn-inspect)
jobs=${VORN_BUILD_JOBS:-$(nproc)}
prefix=${VORN_WINDOWS_BUILD_PREFIX:-build-win}
mkdir -p dist

for bits in 32 64; do
    if [ "$bits" = 32 ]; then processor=i686; else processor=x86_64; fi
    build="${prefix}${bits}"
    toolchain=()  # a tree is cross-built from its first configuration on
    [ -f "$build/CMakeCache.txt" ] ||
        toolchain=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$processor.cmake")
    cmake -S . -B "$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" --target "${programs[@]}" -j"$jobs"

    folder="vorn-win$bits"
    stage="$build/dist/$folder"
    rm -rf "$build/dist"
    mkdir -p "$stage/scene"
    for program in "${programs[@]}"; do
        # Without the debugging information: the zip carries what a user runs.
        "$processor-w64-mingw32-strip" -o "$stage/$program.exe" "$build/${made[$program]}/$program.exe"
    done
    cp scene/*.vno scene/*.vnt scene/*.png scene/*.bmp scene/*.tga "$stage/scene/"
    # Windows' own line ends, for Notepad.
    sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
    rm -f "dist/$folder.zip"
    (cd "$build/dist" && zip -q -r -X "$root/dist/$folder.zip" "$folder")
    echo "dist/$folder.zip: $(unzip -Z1 "dist/$folder.zip" | grep -c -v '/$') files"
done
