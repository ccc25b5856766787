#!/usr/bin/env bash
# Builds the model import fuzzer with clang (libFuzzer, ASan, UBSan) and runs it, one job, from
# the kept corpus (tests/fuzz/import_corpus; each input's first byte picks the format).
# Usage: run_import_fuzz.sh [seconds] [runs] [outdir]
# Assimp's own crashes are expected: the fuzzer runs in fork mode, goes on past them and leaves
# them in outdir/artifacts, for check_import_crashes.sh to run through vorn-import
# (tests/fuzz/import_crashes keeps a set of them for the test suite).
# VORN_FUZZ_JOBS sets how many inputs run at once (one by default).
# Assimp is not built for fuzzing, so the sanitizers see only the tool's own code; without them
# (VORN_FUZZ_SANITIZERS= ) the fuzzer runs several times faster over Assimp's readers.
# Assimp's leaks on broken input are not looked for: the tool is a process that ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-600}
runs=${2:--1}
out=${3:-/tmp/vorn-import-fuzz}
mkdir -p "$out/corpus" "$out/artifacts"

sanitizers=${VORN_FUZZ_SANITIZERS-address,undefined}
clang++ -std=c++20 -g -O2 -fsanitize=fuzzer${sanitizers:+,$sanitizers} -fno-sanitize-recover=all \
    -I"$root" \
    "$root/tests/fuzz/model_import_fuzz.cpp" \
    "$root/tools/import/model_reader.cpp" \
    "$root/tools/import/geometry_baker.cpp" \
    "$root/meshfile/mesh_file_writer.cpp" \
    -lassimp -o "$out/model_import_fuzz"

"$out/model_import_fuzz" -fork=${VORN_FUZZ_JOBS:-1} -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1 -detect_leaks=0 \
    -max_total_time="$seconds" -runs="$runs" -max_len=16384 -timeout=2 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/" \
    "$out/corpus" "$root/tests/fuzz/import_corpus"
