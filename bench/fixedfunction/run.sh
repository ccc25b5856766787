#!/bin/bash
# Frame cost through the fixed-function layer against Mesa's fixed function, in one run:
# imports the model (2CylinderEngine, 75,730 triangles, from Debian's assimp-testmodels) with
# vorn-import, runs both builds of the benchmark on the same display, one after the other,
# and prints each frame's cost with the layer's ratios to Mesa and to its floor.
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
export VORN_BENCH_MODEL=$out
results=$(mktemp)
trap 'rm -f "$results"' EXIT
for variant in gl es2; do
    "$build/bench/fixedfunction/fixedfunction_bench_$variant" --benchmark_format=csv 2>/dev/null |
        awk -F, -v variant="$variant" '$1 ~ /^"BM_/ { gsub(/"/, "", $1); sub(/\/.*/, "", $1); print variant, $1, $3 }' >>"$results"
done
awk '
    { time[$1 " " $2] = $3 }
    END {
        printf "%-12s %10s %10s %10s %12s %12s\n", "frame", "mesa ms", "layer ms", "floor ms", "layer/mesa", "layer/floor"
        split("Demo Model", frames, " ")
        for (i = 1; i <= 2; ++i) {
            f = frames[i]; mesa = time["gl BM_" f "Frame"]; layer = time["es2 BM_" f "Frame"]; floor = time["es2 BM_" f "Floor"]
            printf "%-12s %10.2f %10.2f %10.2f %12.2f %12.2f\n", f, mesa, layer, floor, layer / mesa, layer / floor
        }
    }' "$results"
