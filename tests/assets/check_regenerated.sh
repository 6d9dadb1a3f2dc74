#!/bin/sh
# The committed companion files are exactly what assets/regenerate.sh makes
# from the sources: nothing edited by hand, no source changed without them.
set -eu
assets=$1
made=$(mktemp -d "${TMPDIR:-/tmp}/regenerated.XXXXXX")
trap 'rm -rf "$made"' EXIT INT TERM
# A machine without the generators (a package build root) skips the check:
# regenerate.sh says what is missing and exits 77.
status=0
"$assets/regenerate.sh" all "$made" >"$made/log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { cat "$made/log"; exit "$( [ "$status" -eq 77 ] && echo 77 || echo 1)"; }
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
# The hidden marks the checks read stay in the sources: no shipped file
# carries the data behind a quoted result.
python3 - "$assets/Arxius_models" <<'PY' || failures=$((failures + 1))
import pathlib, sys
marks = [m.encode(e) for m in ("Gsolut=", "Msolut=") for e in ("utf-16-le", "latin-1")]
carrying = [f.name for f in pathlib.Path(sys.argv[1]).iterdir() if any(m in f.read_bytes() for m in marks)]
for name in carrying:
    print(f"carries the checks' hidden data: {name}")
sys.exit(1 if carrying else 0)
PY
[ "$failures" -eq 0 ]
