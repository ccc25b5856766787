#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the demo need, if any
# is missing, and the packages named as arguments. Uses apt-get as root, or through sudo.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation
    libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
    libdevil-dev libfast-float-dev
    libassimp-dev libsdl2-image-dev libstb-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libx11-dev libxfixes-dev xvfb xauth xfonts-base xdotool x11-utils imagemagick
    go-md2man man-db desktop-file-utils appstream shared-mime-info libglib2.0-bin
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} Debian packages and what they depend on: ${missing[*]}"
echo "(apt-get says below how much it downloads and how much disk it takes.)"
run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
run_as_root apt-get update
# Without -qq, and with its output shown: a download of hundreds of megabytes takes minutes on
# a slow mirror, and apt's own lines say it is under way.
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o Dpkg::Use-Pty=0 "${missing[@]}"
