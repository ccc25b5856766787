#!/usr/bin/env bash
# Builds the mesh reader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, one job, from
# the kept corpus (tests/fuzz/mesh_corpus). Usage: run_mesh_fuzz.sh [seconds] [outdir]
# New inputs go to outdir/corpus; crashes to outdir/artifacts, to be added to the kept corpus.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
out=${2:-/tmp/vorn-mesh-fuzz}
mkdir -p "$out/corpus" "$out/artifacts"

clang++ -std=c++20 -g -O2 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" \
    "$root/tests/fuzz/mesh_reader_fuzz.cpp" \
    "$root"/meshfile/*.cpp \
    "$root/render/texture_list.cpp" \
    "$root/engine/gl_extensions.cpp" \
    "$root/platform/fake_platform.cpp" \
    "$root/platform/text_encoding.cpp" \
    "$root/tests/support/texture_image_stub.cpp" \
    -lGL -o "$out/mesh_reader_fuzz"

"$out/mesh_reader_fuzz" -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/" -dict="$root/tests/fuzz/mesh.dict" \
    "$out/corpus" "$root/tests/fuzz/mesh_corpus"
