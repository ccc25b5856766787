#!/usr/bin/env bash
# Builds the scene description loader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, one
# job, on seeds made from the format's worked example. Usage: run_scene_fuzz.sh [seconds] [outdir]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
out=${2:-/tmp/vorn-scene-fuzz}
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"
out=$(cd "$out" && pwd)

# The engine without its image library and without a platform: the stub and the fake stand in.
sources=("$root"/engine/*.cpp "$root"/meshfile/*.cpp "$root"/scenedesc/*.cpp)
for source in "$root"/render/*.cpp; do
    case "$(basename "$source")" in texture_image.cpp | image_*.cpp) ;; *) sources+=("$source") ;; esac
done
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$root/tests/fuzz/scene_description_fuzz.cpp" \
    "${sources[@]}" \
    "$root/platform/fake_platform.cpp" \
    "$root/platform/text_encoding.cpp" \
    "$root/tests/support/texture_image_stub.cpp" \
    -lGL -lGLU -o "$out/scene_description_fuzz"

# Mesh entries name files relative to the working directory: one small mesh file lies there.
printf '%s\n' FICHIER_VNO TEXTURE room_walls.png REPEAT FIN_TEXTURE FIN_ALL_MATERIAUX mesh room \
    '1, 2, 3' '0, 90, 0' '1, 1, 1' FIN_MESH > "$out/room.vno"

example='FICHIER_VNT
TEXTURE
textures/stone.bmp
FIN_TEXTURE
CAMERA
Camera01
0,5,-20
0, 0, 0

LUMIERE
Lamp01
10,20.5,5
1,0.9,0.6
3.8

MESH
room.vno
FIN_FICHIER_VNT'

seeds="$out/seeds"
printf '%s\n' "$example" > "$seeds/worked_example.vnt"
printf '%s\n' "$example" | sed 's/$/\r/' > "$seeds/crlf.vnt"
printf '%s\n' "$example" | head -n 12 > "$seeds/cut_in_light.vnt"
printf '%s\n' "$example" | sed '4d' > "$seeds/open_texture_block.vnt"
printf '%s\n' "$example" | sed '1s/VNT/VNS/' > "$seeds/second_kind.vnt"
printf 'FICHIER_VNT\nLUMIERE\nl\n1,2\n-1e30,nan,inf\n-2.75\n\nFIN_FICHIER_VNT\n' > "$seeds/odd_numbers.vnt"
cp "$root/scene/example.vnt" "$seeds/example.vnt"

cat > "$out/scene.dict" <<'DICT'
"FICHIER_VNT\x0a"
"FICHIER_VNS\x0a"
"FIN_FICHIER_VNT"
"TEXTURE\x0a"
"FIN_TEXTURE\x0a"
"CAMERA\x0a"
"LUMIERE\x0a"
"MESH\x0aroom.vno\x0a"
", "
"\x0d\x0a"
"e+"
"nan"
DICT

# Run where room.vno lies, with nothing to read on standard input: a mesh entry may name any file.
cd "$out"
"$out/scene_description_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/artifacts/" \
    -dict="$out/scene.dict" "$out/corpus" "$seeds" </dev/null
