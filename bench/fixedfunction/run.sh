#!/bin/bash
# Frame cost through the fixed-function layer against Mesa's fixed function, in one run:
# imports the model (2CylinderEngine, 110,336 triangles as imported, from Debian's
# assimp-testmodels) with vorn-import, runs both builds of the benchmark on the same display
# in turn, round after round, and prints each frame's cost (medians) with the layer's ratios
# to Mesa and to its floor. VORN_BENCH_ROUNDS sets the rounds (5).
# Usage: bench/fixedfunction/run.sh [BUILD_DIR]   (from the repository root)
set -euo pipefail
build=${1:-build}
model=/usr/share/assimp/models/glTF2/2CylinderEngine-glTF-Binary/2CylinderEngine.glb
out=out/bench-model
[ -f "$model" ] || { echo "needs the Debian package assimp-testmodels ($model)" >&2; exit 1; }
source scripts/virtual-display.sh
start_virtual_display
export LIBGL_ALWAYS_SOFTWARE=1
rm -rf "$out"
"$build/tools/import/vorn-import" "$model" -o "$out" --scale 0.01 --detail scene/detail_dots.bmp >/dev/null
# Its 34 material blocks are equal (the colours are the vertices'), and the engine draws every
# face once per block: one block is kept, so that a frame draws each triangle once.
mesh="$out/2CylinderEngine.vno"
awk '/^MATERIAU/ { if (++blocks > 1) skip = 1 }
     skip { if (/^FIN_MATERIAU/) skip = 0; next }
     material { print "0"; material = 0; next }
     /^FACE/ { material = 1 }
     { print }' "$mesh" >"$mesh.one" && mv "$mesh.one" "$mesh"
export VORN_BENCH_MODEL=$out
results=$(mktemp)
trap 'rm -f "$results"' EXIT
# Rounds of both builds in turn, so that other load on the machine falls on both alike; each
# figure is the median of its rounds.
rounds=${VORN_BENCH_ROUNDS:-5}
for round in $(seq "$rounds"); do
    for variant in gl es2; do
        "$build/bench/fixedfunction/fixedfunction_bench_$variant" --benchmark_color=false 2>/dev/null |
            awk -v variant="$variant" '$1 ~ /^BM_/ { sub(/\/.*/, "", $1); print variant, $1, $2 }' >>"$results"
    done
done
sort -k1,1 -k2,2 -k3,3n "$results" | awk -v rounds="$rounds" '
    { key = $1 " " $2; values[key, ++count[key]] = $3 }
    END {
        for (key in count) time[key] = values[key, int((count[key] + 1) / 2)]
        printf "medians of %d rounds, ms per frame at 1024 x 768\n", rounds
        printf "%-6s %10s %10s %10s %12s %12s\n", "frame", "mesa", "layer", "floor", "layer/mesa", "layer/floor"
        split("Demo Model", frames, " ")
        for (i = 1; i <= 2; ++i) {
            f = frames[i]; mesa = time["gl BM_" f "Frame"]; layer = time["es2 BM_" f "Frame"]; floor = time["es2 BM_" f "Floor"]
            printf "%-6s %10.2f %10.2f %10.2f %12.2f %12.2f\n", f, mesa, layer, floor, layer / mesa, layer / floor
        }
    }'
