#!/usr/bin/env bash
# Serves the web pages of dist/vorn-web/ on 127.0.0.1 (port 8080, or the one given), building
# them first when they are not there: http://127.0.0.1:PORT/ is the demo, view.html the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8080}"
[ -f dist/vorn-web/index.html ] || scripts/build-web.sh
echo "The demo: http://127.0.0.1:$port/   the viewer: http://127.0.0.1:$port/view.html"
exec python3 -m http.server --bind 127.0.0.1 --directory dist/vorn-web "$port"
