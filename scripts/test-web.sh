#!/usr/bin/env bash
# Builds the web pages and tests them in Debian's Chromium and Firefox ESR, headless, through
# puppeteer-core: the demo end to end, the capability messages, the viewer page with hostile
# images, and the viewer's pictures against the native vorn-view's through the fixed-function
# layer.
#   scripts/test-web.sh [NATIVE_BUILD_DIR]
# NATIVE_BUILD_DIR (build/ by default) holds the native vorn-view; without it the pictures are
# checked but not compared. Exits non-zero when a test fails. What the tests make (npm's cache,
# the browsers' profiles, the files they pick, the server) lives in a temporary folder removed at
# the end, also on failure; tests/web/node_modules stays as the kept cache.
set -euo pipefail
cd "$(dirname "$0")/.."
native_build="${1:-build}"

scripts/build-web.sh

# Firefox draws WebGL only on a display, headless or not; the native viewer needs one too.
source scripts/virtual-display.sh
start_virtual_display
export LIBGL_ALWAYS_SOFTWARE=1
native_view="$native_build/tools/view/vorn-view"
if [ -x "$native_view" ] && "$native_view" --help 2>/dev/null | grep -q -- "--renderer"; then
    VORN_NATIVE_VIEW="$(realpath "$native_view")"
    export VORN_NATIVE_VIEW
else
    echo "No native vorn-view with --renderer in $native_build: the viewer's pictures are not compared"
fi

# Set after the virtual display's own trap, which this one takes over.
work="$(mktemp -d "${TMPDIR:-/tmp}/vorn-web-tests.XXXXXX")"
cleanup() {
    rm -rf "$work"
    stop_virtual_display
}
trap cleanup EXIT

# puppeteer-core at the version of the lock file, from npm; installed again only when the lock
# file changed since.
if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.package-lock-installed 2>/dev/null; then
    echo "Installing puppeteer-core from npm, at the version tests/web/package-lock.json locks"
    (cd tests/web && npm_config_cache="$work/npm-cache" npm ci --no-audit --no-fund)
    cp tests/web/package-lock.json tests/web/node_modules/.package-lock-installed
fi


export TMPDIR="$work"
# The browsers keep settings, crash reports and a downloads folder in the home folder, whatever
# profile they are given: theirs is one of the run's. (npm above keeps the user's own settings.)
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
cd tests/web
status=0
for browser in chromium firefox; do
    echo "The pages in $browser"
    VORN_WEB_BROWSER="$browser" node --test --test-concurrency=1 demo.test.mjs view.test.mjs || status=1
done
exit "$status"
