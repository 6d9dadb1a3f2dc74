#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for
# FUZZ_SECONDS (60) from its committed corpus; any crash or broken
# invariant fails the script.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build-fuzz"
seconds="${FUZZ_SECONDS:-60}"
targets=(fuzz_readNumber fuzz_shortForm fuzz_calibration fuzz_formules)
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DFUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"
for target in "${targets[@]}"; do
  found="$build/corpus/$target"
  mkdir -p "$found"
  "$build/fuzz/$target" -max_total_time="$seconds" -seed=14 -print_final_stats=1 -artifact_prefix="$build/" \
    "$found" "$here/fuzz/corpus/$target" 2>"$build/$target.log" || { tail -40 "$build/$target.log"; exit 1; }
  echo "$target: $(grep -o 'Done [0-9]* runs' "$build/$target.log")"
done
