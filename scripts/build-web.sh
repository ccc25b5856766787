#!/usr/bin/env bash
# Builds the web pages with Debian's Emscripten: dist/vorn-web/ (index.html for the demo,
# view.html for the viewer, the programs' wasm and JavaScript, the scene) and dist/vorn-web.zip.
# Installs what it misses through scripts/install-web-deps.sh. VORN_BUILD_JOBS sets the jobs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-web-deps.sh
# Emscripten's JavaScript optimizer needs Debian's node modules (acorn); a node of another
# vendor does not look for them there.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
# Emscripten's cache of system libraries is Debian's, frozen; nothing is written to it.
jobs="${VORN_BUILD_JOBS:-2}"
build=build-web
if [ ! -f "$build/CMakeCache.txt" ]; then
    emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
nice -n 10 cmake --build "$build" --target vorn-web -j"$jobs"

rm -rf dist/vorn-web dist/vorn-web.zip
mkdir -p dist/vorn-web
cp "$build"/vorn-web/{index.html,view.html,vorn-page.js,vorn-start.js,vorn-view-page.js,vorn.css} dist/vorn-web/
cp "$build"/vorn-web/{vorn-demo,vorn-view}.{js,wasm} "$build"/vorn-web/scene.{js,data} dist/vorn-web/
(cd dist && zip -qr vorn-web.zip vorn-web)
echo "dist/vorn-web/ and dist/vorn-web.zip are ready: scripts/serve-web.sh serves them."
