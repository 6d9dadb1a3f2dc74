#!/bin/sh
# Whole-process CPU of the model on a 1024x768 virtual screen, with 343
# particles: at rest, then moving (after "Dissoldre sòlid" and the release of
# every particle). Several builds are measured in the same run, one after the
# other, so they share the machine's load.
#
#   bench/model/cpu_use.sh SUITE_FOLDER [SUITE_FOLDER...]
#
# Each SUITE_FOLDER holds Arxius_models/Concentracio (a build folder will do).
# SECONDS_MEASURED (default 30) sets each measurement's length.
set -eu

measured=${SECONDS_MEASURED:-30}
[ $# -gt 0 ] || { echo "usage: $0 SUITE_FOLDER..." >&2; exit 2; }

display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill $xvfb 2>/dev/null; rm -rf "$runtime"' EXIT
sleep 2
printf ' .07\r\n 343\r\n' >"$runtime/Optim_boles.txt"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# Percent of one core over $measured seconds.
measure() {
    before=$(cpu_ticks "$1")
    sleep "$measured"
    after=$(cpu_ticks "$1")
    echo "$before $after $measured $(getconf CLK_TCK)" | awk '{ printf "%.2f", ($2 - $1) * 100 / ($3 * $4) }'
}

for suite in "$@"; do
    cd "$suite"
    DISPLAY=$display XDG_RUNTIME_DIR=$runtime ./Arxius_models/Concentracio &
    model=$!
    sleep 5
    rest=$(measure $model)
    # Accions, then "Dissoldre sòlid", where the 1024x768 layout puts them.
    DISPLAY=$display xdotool mousemove 600 700 sleep 1 mousemove 72 9 click 1 sleep 1 mousemove 110 96 click 1
    # The fall and the release of 343 particles take about 16 s.
    sleep 20
    moving=$(measure $model)
    kill $model
    wait $model 2>/dev/null || true
    cd - >/dev/null
    echo "$suite: at rest $rest % of a core, 343 particles moving $moving %"
done
