#!/usr/bin/env bash
# Installs the Debian 12 packages that cross-building for Windows and testing under Wine need,
# if any is missing: both mingw-w64 compilers, Wine for 32 and 64 bits with the i386 GL
# libraries Wine's 32-bit OpenGL loads, and GoogleTest's source. Uses apt-get as root or sudo.
set -euo pipefail

packages=(
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest libstb-dev zip unzip
    wine wine64 wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
    libxrandr2 libxrender1 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxxf86vm1
    xvfb xauth xdotool x11-utils imagemagick
)

run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Wine's 32-bit half comes from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    run_as_root dpkg --add-architecture i386
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
# A newly added architecture still needs apt-get update, which the install below runs.
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
run_as_root apt-get update -qq
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
