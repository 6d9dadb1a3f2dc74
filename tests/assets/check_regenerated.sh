#!/bin/sh
# The committed companion files are exactly what assets/regenerate.sh makes
# from the sources: nothing edited by hand, no source changed without them.
set -eu
assets=$1
made=$(mktemp -d "${TMPDIR:-/tmp}/regenerated.XXXXXX")
trap 'rm -rf "$made"' EXIT INT TERM
"$assets/regenerate.sh" all "$made" >"$made/log" 2>&1 || { cat "$made/log"; exit 1; }
failures=0
for pair in "Arxius_models:$assets/Arxius_models" "launcher:$assets/launcher" "figures:$assets/documents/figures"; do
    fresh="$made/${pair%%:*}" committed="${pair#*:}"
    for file in "$fresh"/*; do
        name=$(basename "$file")
        cmp -s "$file" "$committed/$name" || { echo "differs from its sources: $committed/$name"; failures=$((failures + 1)); }
    done
    for file in "$committed"/*.jpg "$committed"/*.png "$committed"/*.pdf "$committed"/*.doc "$committed"/*.pps; do
        [ -e "$file" ] && [ ! -e "$fresh/$(basename "$file")" ] && { echo "made by no source: $file"; failures=$((failures + 1)); }
    done
done
[ "$failures" -eq 0 ]
