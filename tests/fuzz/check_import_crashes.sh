#!/usr/bin/env bash
# Runs every input the import fuzzer left behind (crashes, timeouts, out-of-memory) through the
# real vorn-import, as a file of the format its first byte picks. Each must end in exit 0, or in
# exit 1 with one line on standard error and nothing in the output folder.
# Usage: check_import_crashes.sh VORN_IMPORT ARTIFACT_OR_FOLDER...
set -uo pipefail

tool=$1
shift
formats=(obj gltf glb dae fbx ply 3ds ase stl off)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 refused=0 imported=0

artifacts=()
for given in "$@"; do
    if [ -d "$given" ]; then artifacts+=("$given"/*); else artifacts+=("$given"); fi
done

for artifact in "${artifacts[@]}"; do
    first=$(od -An -tu1 -N1 "$artifact" | tr -d ' ')
    [ -n "$first" ] || continue
    format=${formats[$((first % ${#formats[@]}))]}
    rm -rf "$work/run" && mkdir -p "$work/run/out"
    tail -c +2 "$artifact" > "$work/run/model.$format"
    (cd "$work/run" && timeout 60 "$tool" "model.$format" -o out --time-limit 10 \
        > stdout 2> stderr)
    code=$?
    lines=$(wc -l < "$work/run/stderr")
    left=$(ls -A "$work/run/out" | wc -l)
    if [ "$code" -eq 0 ]; then
        imported=$((imported + 1))
    elif [ "$code" -eq 1 ] && [ "$lines" -le 1 ] && [ "$left" -eq 0 ]; then
        refused=$((refused + 1))
    else
        failures=$((failures + 1))
        echo "$artifact ($format): exit $code, $lines line(s) on stderr, $left file(s) left" >&2
        head -3 "$work/run/stderr" >&2
    fi
done
echo "$refused refused, $imported imported, $failures not handled"
[ "$failures" -eq 0 ]
