#!/bin/sh
# Runs every fuzz target for SECONDS (default 60) each, starting from its seed corpus; fails on
# the first finding. New inputs go to a scratch folder; the committed seeds stay as they are.
# Usage: fuzz/run.sh [SECONDS]   Build folder: $TOVIMAR_NATIVE_BUILD, else build/native.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${TOVIMAR_NATIVE_BUILD:-$repo/build/native}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

found=0
for src in "$repo"/fuzz/*.cpp; do
    name=$(basename "$src" .cpp)
    if [ ! -x "$build/$name" ]; then
        echo "fuzz: $build/$name is missing: build the native tree first" >&2
        exit 2
    fi
    mkdir -p "$scratch/$name" "$repo/fuzz/corpus/$name"
    echo "fuzz: $name for ${seconds}s"
    if ! (cd "$scratch" && "$build/$name" -max_total_time="$seconds" -max_len=600 \
            "$scratch/$name" "$repo/fuzz/corpus/$name" >"$scratch/$name.log" 2>&1); then
        tail -n 30 "$scratch/$name.log" >&2
        echo "fuzz: $name found a fault (the crashing input is in the log above)" >&2
        found=1
    fi
done
exit "$found"
