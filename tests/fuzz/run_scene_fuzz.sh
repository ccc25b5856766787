#!/usr/bin/env bash
# Builds the scene description loader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, one
# job, from the kept corpus (tests/fuzz/scene_corpus). Usage: run_scene_fuzz.sh [seconds] [outdir]
# New inputs go to outdir/corpus; crashes to outdir/artifacts, to be added to the kept corpus.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
out=${2:-/tmp/vorn-scene-fuzz}
mkdir -p "$out/corpus" "$out/artifacts"
out=$(cd "$out" && pwd)

# The engine without its image library and without a platform: the stub and the fake stand in.
sources=("$root"/engine/*.cpp "$root"/meshfile/*.cpp "$root"/scenedesc/*.cpp)
for source in "$root"/render/*.cpp; do
    case "$(basename "$source")" in texture_image.cpp | image_*.cpp) ;; *) sources+=("$source") ;; esac
done
clang++ -std=c++20 -g -O2 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$root/tests/fuzz/scene_description_fuzz.cpp" \
    "${sources[@]}" \
    "$root/platform/fake_platform.cpp" \
    "$root/platform/text_encoding.cpp" \
    "$root/tests/support/texture_image_stub.cpp" \
    -lGL -lGLU -o "$out/scene_description_fuzz"

# Mesh entries name files relative to the working directory: one small mesh file lies there.
cp "$root/tests/fuzz/scene_files/room.vno" "$out/room.vno"

# Run where room.vno lies, with nothing to read on standard input: a mesh entry may name any file.
cd "$out"
"$out/scene_description_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/artifacts/" \
    -dict="$root/tests/fuzz/scene.dict" "$out/corpus" "$root/tests/fuzz/scene_corpus" </dev/null
