#!/usr/bin/env bash
# Builds the mesh reader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, one job, on a
# seed corpus made from the format's worked example. Usage: run_mesh_fuzz.sh [seconds] [outdir]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
out=${2:-/tmp/vorn-mesh-fuzz}
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$root/tests/fuzz/mesh_reader_fuzz.cpp" \
    "$root"/meshfile/*.cpp \
    "$root/render/texture_list.cpp" \
    "$root/engine/gl_extensions.cpp" \
    "$root/platform/fake_platform.cpp" \
    "$root/platform/text_encoding.cpp" \
    "$root/tests/support/texture_image_stub.cpp" \
    -lGL -o "$out/mesh_reader_fuzz"

example='FICHIER_VNO
TEXTURE
textures/stone.jpg
REPEAT
FIN_TEXTURE
material
base layer
0
0.0
0.01
0
detail layer
-1
0.0
0.0
0
bump layer
-1
0.0
end of material
FIN_ALL_MATERIAUX
mesh
floor
0.0, -1.0, 0.0
0.0, 45.0, 0.0
2.0, 1.0, 2.0
face
0
0.0, 1.0, 0.0
corner
-1.0, 0.0, -1.0
0.0, 0.0
0.0, 0.0
0.0, 0.0
1.0, 1.0, 1.0
end of corner
corner
1.0, 0.0, -1.0
1.0, 0.0
4.0, 0.0
1.0, 0.0
1.0, 1.0, 1.0
end of corner
corner
0.0, 0.0, 1.0
0.5, 1.0
2.0, 4.0
0.5, 1.0
1.0, 1.0, 1.0
end of corner
end of face
FIN_MESH'

seeds="$out/seeds"
printf '%s\n' "$example" > "$seeds/worked_example.vno"
printf '%s\n' "$example" | sed 's/$/\r/' > "$seeds/crlf.vno"
printf '%s\n' "$example" | head -n 40 > "$seeds/cut_in_face.vno"
printf '%s\n' "$example" | sed '3,4d' > "$seeds/no_texture_entry.vno"
{   # more texture entries and material blocks than the tables take
    printf 'FICHIER_VNO\nTEXTURE\n'
    for i in $(seq 0 100); do printf 't%d\nREPEAT\n' "$i"; done
    printf 'FIN_TEXTURE\n'
    for i in $(seq 0 99); do printf 'm\nb\n%d\n%d\n0\n0\nd\n-1\n0\n0\n0\nb\n-1\n0\ne\n' "$i" "$i"; done
    printf 'FIN_ALL_MATERIAUX\n'
    printf '%s\n' "$example" | sed -n '22,$p'
} > "$seeds/full_tables.vno"
printf '%s\n' '-7.038531e-26' '0x1p-3' ' +.5e+2' 'inf' > "$seeds/numbers.txt"

cat > "$out/mesh.dict" <<'DICT'
"FICHIER_VNO\x0a"
"TEXTURE\x0a"
"FIN_TEXTURE\x0a"
"REPEAT\x0a"
"FIN_ALL_MATERIAUX\x0a"
"FIN_MESH\x0a"
", "
"\x0d\x0a"
"e-"
"0x"
DICT

"$out/mesh_reader_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/" -dict="$out/mesh.dict" \
    "$out/corpus" "$seeds"
