#!/bin/bash
# Runs every fuzz target built in BUILD_DIR for a fixed number of runs with a fixed seed,
# starting from a copy of its seed corpus, after replaying its regression inputs.
# Usage: fuzz/run.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-100000}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
found=0
for dir in "$here"/*/; do
    name=$(basename "$dir")
    exe=$build/fuzz/$name/fuzz_$name
    [ -x "$exe" ] || continue
    found=$((found + 1))
    if [ -d "$dir/regressions" ] && [ -n "$(ls -A "$dir/regressions")" ]; then
        echo "== fuzz_$name: regressions"
        "$exe" -runs=1 "$dir"/regressions/*
    fi
    mkdir -p "$work/$name"
    if [ -d "$dir/corpus" ]; then
        cp -r "$dir/corpus/." "$work/$name/"
    fi
    echo "== fuzz_$name: $runs runs"
    status=0
    "$exe" -runs="$runs" -seed=1 -max_len=65536 -print_final_stats=1 "$work/$name" \
        >"$work/$name.log" 2>&1 || status=$?
    grep -E 'stat::number_of_executed_units|^Done' "$work/$name.log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$work/$name.log"
        exit "$status"
    fi
done
if [ "$found" -eq 0 ]; then
    echo "no fuzz target found in $build" >&2
    exit 1
fi
