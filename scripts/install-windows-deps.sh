#!/usr/bin/env bash
# Installs the Debian 12 packages that cross-building for Windows and testing under Wine need,
# if any is missing: the build's own (install-deps.sh), both mingw-w64 compilers, Wine for 32
# and 64 bits with the i386 GL libraries Wine's 32-bit OpenGL loads, and GoogleTest's source.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Wine's 32-bit half comes from the i386 architecture; install-deps.sh runs apt-get update
# before it installs anything.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture to dpkg (dpkg --add-architecture i386): the 32-bit half"
    echo "of Wine, which runs the 32-bit Windows programs and their tests, comes from it."
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
fi

exec "$root/scripts/install-deps.sh" \
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest zip unzip \
    wine wine64 wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386 \
    libxrandr2 libxrender1 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxxf86vm1
