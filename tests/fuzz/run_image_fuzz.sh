#!/usr/bin/env bash
# Builds the image decoding fuzzer with clang (libFuzzer, ASan, UBSan) over the real decoders
# (SDL2_image, DevIL, stb) and runs it, one job, on seeds that make_test_images.sh writes:
# every real picture and every hostile file. The decoders run in the fuzzer's process; the
# program runs them in a child that may crash, so the run goes on past a decoder's crash and
# keeps each one under artifacts/. Usage: run_image_fuzz.sh [seconds] [outdir]
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
out=${2:-/tmp/vorn-image-fuzz}
mkdir -p "$out/corpus" "$out/seeds" "$out/artifacts"
out=$(cd "$out" && pwd)

clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" $(pkg-config --cflags SDL2_image) \
    "$root/tests/fuzz/image_decode_fuzz.cpp" \
    "$root"/image/*.cpp \
    -lIL $(pkg-config --libs SDL2_image stb) -o "$out/image_decode_fuzz"

if [ ! -e "$out/seeds/real/manifest.txt" ]; then
    "$root/tests/image/make_test_images.sh" "$out/seeds" >/dev/null
fi

# The decoders' own warnings would drown libFuzzer's lines: the target's output is closed.
cd "$out"
"$out/image_decode_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
    -fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 \
    -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$out/artifacts/" \
    "$out/corpus" "$out/seeds/real" "$out/seeds/hostile"
