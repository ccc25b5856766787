#!/usr/bin/env bash
# Installs the Debian 12 packages that building the web pages and testing them in a browser
# need, if any is missing: Emscripten, Chromium, and Node.js with npm when no node is there.
set -euo pipefail

packages=(emscripten chromium python3 zip)
# A machine may already carry a Node.js of another vendor in the nodejs package; Debian's
# would conflict with it, and either runs puppeteer-core and Emscripten's optimizer.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing ${#missing[@]} Debian packages for the web build and its tests, and what they depend on: ${missing[*]}"
echo "(apt-get says below how much it downloads and how much disk it takes: Emscripten with its"
echo " LLVM about 1.1 GB, Chromium about 470 MB.)"
run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
run_as_root apt-get update
# Without -qq, and with its output shown: a download of hundreds of megabytes takes minutes on
# a slow mirror, and apt's own lines say it is under way.
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
    -o Dpkg::Use-Pty=0 "${missing[@]}"
