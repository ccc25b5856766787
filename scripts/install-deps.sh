#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the demo need, if any
# is missing, and the packages named as arguments. Uses apt-get as root, or through sudo.
set -euo pipefail

# fonts-dejavu-core: the sans-serif face that fontconfig and the browser both fall back to
# for a face the system lacks, so that the overlay's glyphs are the same on every machine.
packages=(
    build-essential cmake pkg-config
    libsdl2-dev libfreetype-dev libfontconfig-dev fonts-liberation fonts-dejavu-core
    libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
    libdevil-dev libfast-float-dev
    libassimp-dev libsdl2-image-dev libstb-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libx11-dev libxfixes-dev xvfb xauth xfonts-base xdotool x11-utils imagemagick
    go-md2man man-db desktop-file-utils appstream shared-mime-info libglib2.0-bin
    "$@"
)

exec "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" "for building and testing the demo" \
    "${packages[@]}"
