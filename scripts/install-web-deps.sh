#!/usr/bin/env bash
# Installs the Debian 12 packages that building the web pages and testing them in a browser
# need, if any is missing: Emscripten, Chromium, Firefox ESR, a virtual display for Firefox's
# WebGL, and Node.js with npm when no node is there.
set -euo pipefail

packages=(emscripten chromium firefox-esr xvfb python3 zip)
# A machine may already carry a Node.js of another vendor in the nodejs package; Debian's
# would conflict with it, and either runs puppeteer-core and Emscripten's optimizer.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
    packages+=(nodejs npm)
fi

# Emscripten with its LLVM takes about 1.1 GB, Chromium about 470 MB, Firefox ESR about 250 MB.
exec "$(dirname "${BASH_SOURCE[0]}")/install-packages.sh" \
    "for the web build and its tests in a browser" "${packages[@]}"
