#!/bin/sh
# Rebuilds every companion file from its source:
#   pictures   tools/dibuixos (a small Qt program, built here on its own)
#   documents  documents/*.fodt, documents/*.fodp (LibreOffice, headless)
#   notes file documents/Dades.txt (copied as is: UTF-8, CR LF)
# The results are committed, so the suite itself never needs this script.
#
# Needs: cmake, a C++ compiler, Qt 6 (Gui), fonts-liberation2, python3, and
# LibreOffice (soffice with Writer and Impress).
# Usage: assets/regenerate.sh [pictures|documents]   (default: both)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
models="$here/Arxius_models"
launcher="$here/launcher"
docs="$here/documents"
work=$(mktemp -d "${TMPDIR:-/tmp}/companion.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

what=${1:-all}

pictures() {
    cmake -S "$here/tools/dibuixos" -B "$work/dibuixos" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/dibuixos" >/dev/null
    XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
        "$work/dibuixos/dibuixos" "$models" "$launcher" "$docs/figures"
}

# One private LibreOffice profile, so a running office or the user's own
# settings cannot interfere.
soffice_convert() {
    filter=$1
    shift
    soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
        --convert-to "$filter" --outdir "$work/out" "$@" >/dev/null
}

# The Office formats keep a linked picture as a link, and Arxius_models holds
# no pictures: the slide show is converted from a copy that holds its own.
with_figures_inside() {
    python3 - "$1" "$2" <<'EOF'
import base64, pathlib, re, sys
source, target = map(pathlib.Path, sys.argv[1:])
def inline(link):
    data = base64.b64encode((source.parent / link.group(1)).read_bytes()).decode()
    return f"<draw:image><office:binary-data>{data}</office:binary-data></draw:image>"
text = re.sub(r'<draw:image xlink:href="([^"]+)"[^>]*/>', inline, source.read_text(encoding="utf-8"))
target.write_text(text, encoding="utf-8")
EOF
}

documents() {
    command -v soffice >/dev/null || { echo "soffice (LibreOffice) not found" >&2; exit 1; }
    mkdir -p "$work/out"
    # Relative picture links in the sources resolve against documents/.
    cd "$docs"
    soffice_convert pdf:writer_pdf_Export T_Concentra.fodt P_Concentra.fodt G_Concentra.fodt
    soffice_convert "doc:MS Word 97" InformExemConcentra.fodt InformFitxa.fodt
    mkdir -p "$work/inside"
    with_figures_inside T_Concentra.fodp "$work/inside/T_Concentra.fodp"
    soffice_convert "pps:MS PowerPoint 97 AutoPlay" "$work/inside/T_Concentra.fodp"
    for f in T_Concentra.pdf P_Concentra.pdf G_Concentra.pdf \
             InformExemConcentra.doc InformFitxa.doc T_Concentra.pps; do
        [ -s "$work/out/$f" ] || { echo "conversion failed: $f" >&2; exit 1; }
        cp "$work/out/$f" "$models/$f"
        echo "$models/$f"
    done
    cp Dades.txt "$models/Dades.txt"
    echo "$models/Dades.txt"
}

mkdir -p "$models" "$launcher" "$docs/figures"
case "$what" in
    pictures) pictures ;;
    documents) documents ;;
    all) pictures; documents ;;
    *) echo "usage: $0 [pictures|documents]" >&2; exit 2 ;;
esac
