#!/bin/sh
# Rebuilds every companion file from its source:
#   pictures   tools/dibuixos (a small Qt program, built here on its own)
#   documents  documents/*.fodt, documents/*.fodp (LibreOffice, headless)
#   notes file documents/Dades.txt (copied as is: UTF-8, CR LF)
# The results are committed, so the suite itself never needs this script.
# The same sources give the same bytes: the office's dates are pinned and the
# PDFs' time stamps and identifiers derive from their content, so a test can
# rebuild the files elsewhere and compare them with the committed ones.
#
# Needs: cmake, a C++ compiler, Qt 6 (Gui), python3, LibreOffice (soffice with
# Writer and Impress), qpdf and the fonts pinned below (fonts-liberation2,
# fonts-dejavu-core, fonts-opensymbol).
# Usage: assets/regenerate.sh [pictures|documents|all] [OUTPUT_DIR]
# With OUTPUT_DIR the results go to OUTPUT_DIR/Arxius_models, OUTPUT_DIR/launcher
# and OUTPUT_DIR/figures instead of over the committed files.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
docs="$here/documents"
if [ $# -ge 2 ]; then
    mkdir -p "$2"
    out=$(cd "$2" && pwd)
    models="$out/Arxius_models" launcher="$out/launcher" figures="$out/figures"
else
    models="$here/Arxius_models" launcher="$here/launcher" figures="$docs/figures"
fi
export SOURCE_DATE_EPOCH=1700000000
work=$(mktemp -d "${TMPDIR:-/tmp}/companion.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

what=${1:-all}

fonts=/usr/share/fonts/truetype
PINNED_FONTS="$(echo $fonts/liberation2/Liberation*.ttf)
$fonts/dejavu/DejaVuSans.ttf $fonts/dejavu/DejaVuSans-Bold.ttf
$fonts/dejavu/DejaVuSansMono.ttf $fonts/dejavu/DejaVuSansMono-Bold.ttf
$fonts/dejavu/DejaVuSerif.ttf $fonts/dejavu/DejaVuSerif-Bold.ttf
$fonts/libreoffice/opens___.ttf"

# Anything missing is named, with the exit status 77 that test runners read
# as "skipped".
for tool in cmake soffice qpdf python3 fc-list; do
    command -v "$tool" >/dev/null || { echo "missing: $tool, needed to make the companion files" >&2; exit 77; }
done
for font in $PINNED_FONTS; do
    [ -f "$font" ] || { echo "missing: the font $font" >&2; exit 77; }
done

# The generators see only these font files: the system's own configuration,
# with every other font rejected, so whatever else a machine installs (and
# the aliases its packages add) cannot change a glyph or a byte.
fontconfig_pinned() {
    echo '<?xml version="1.0"?>'
    echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
    echo '<fontconfig><include>/etc/fonts/fonts.conf</include><selectfont><acceptfont>'
    for font in $PINNED_FONTS; do echo "  <glob>$font</glob>"; done
    echo '</acceptfont><rejectfont><glob>*.*</glob></rejectfont></selectfont></fontconfig>'
}
fontconfig_pinned >"$work/fonts.conf"
export FONTCONFIG_FILE="$work/fonts.conf"

pictures() {
    cmake -S "$here/tools/dibuixos" -B "$work/dibuixos" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/dibuixos" >/dev/null
    XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
        "$work/dibuixos/dibuixos" "$models" "$launcher" "$figures"
}

# One private LibreOffice profile, so a running office or the user's own
# settings cannot interfere.
soffice_convert() {
    filter=$1
    shift
    soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
        --convert-to "$filter" --outdir "$work/out" "$@" >/dev/null
}

# What is converted is a copy of each source with its pictures written inside
# (Arxius_models holds no pictures, and the Office formats would keep a link)
# and without the hidden marks that only the checks read.
shipped_copy() {
    python3 - "$1" "$2" <<'EOF'
import base64, pathlib, re, sys
source, target = map(pathlib.Path, sys.argv[1:])
def inline(link):
    data = base64.b64encode((source.parent / link.group(1)).read_bytes()).decode()
    return f"<draw:image><office:binary-data>{data}</office:binary-data></draw:image>"
text = re.sub(r'<draw:image xlink:href="([^"]+)"[^>]*/>', inline, source.read_text(encoding="utf-8"))
text = re.sub(r'<text:span text:style-name="(?:Dades_20_model|Calcul)">[^<]*</text:span>', "", text)
target.write_text(text, encoding="utf-8")
EOF
}

# The office numbers a PDF's fonts in an order that varies from run to run,
# and stamps it with the time of export and a random identifier. qpdf
# renumbers the objects in the order the document reaches them; then the time
# and the identifier are replaced by values that depend only on the content.
pinned_pdf() {
    qpdf "$1" "$1.renumbered" && mv "$1.renumbered" "$1"
    python3 - "$1" <<'EOF'
import hashlib, pathlib, re, sys
path = pathlib.Path(sys.argv[1])
data = re.sub(rb"(/CreationDate ?\(D:)\d{14}", rb"\g<1>20231114221320", path.read_bytes())
hexa = rb"[0-9A-Fa-f]{32}"
blank = re.sub(rb"<" + hexa + rb">", b"<>", re.sub(rb"/DocChecksum /" + hexa, b"", data))
digest = hashlib.md5(blank).hexdigest().upper().encode()
data = re.sub(rb"(/ID \[ ?<)" + hexa + rb"(>\s*<)" + hexa + rb">", rb"\g<1>" + digest + rb"\g<2>" + digest + b">", data)
data = re.sub(rb"/DocChecksum /" + hexa, b"/DocChecksum /" + digest, data)
path.write_bytes(data)
EOF
}

# Tagged, so a screen reader gets the structure, the language and each
# picture's description; the headings become bookmarks.
pdf_options='{"UseTaggedPDF":{"type":"boolean","value":"true"},"ExportBookmarks":{"type":"boolean","value":"true"}}'

documents() {
    mkdir -p "$work/out" "$work/shipped"
    for f in T_Concentra.fodt P_Concentra.fodt G_Concentra.fodt \
             InformExemConcentra.fodt InformFitxa.fodt T_Concentra.fodp; do
        shipped_copy "$docs/$f" "$work/shipped/$f"
    done
    cd "$work/shipped"
    soffice_convert "pdf:writer_pdf_Export:$pdf_options" T_Concentra.fodt P_Concentra.fodt G_Concentra.fodt
    soffice_convert "doc:MS Word 97" InformExemConcentra.fodt InformFitxa.fodt
    soffice_convert "pps:MS PowerPoint 97 AutoPlay" T_Concentra.fodp
    for f in T_Concentra.pdf P_Concentra.pdf G_Concentra.pdf \
             InformExemConcentra.doc InformFitxa.doc T_Concentra.pps; do
        [ -s "$work/out/$f" ] || { echo "conversion failed: $f" >&2; exit 1; }
        case "$f" in
            *.pdf) pinned_pdf "$work/out/$f" ;;
            # The PowerPoint export leaves the pictures' descriptions out.
            *.pps) python3 "$here/tools/pps_descriptions.py" "$work/out/$f" "$docs/${f%.pps}.fodp" ;;
        esac
        cp "$work/out/$f" "$models/$f"
        echo "$models/$f"
    done
    cp "$docs/Dades.txt" "$models/Dades.txt"
    echo "$models/Dades.txt"
}

mkdir -p "$models" "$launcher" "$figures"
case "$what" in
    pictures) pictures ;;
    documents) documents ;;
    all) pictures; documents ;;
    *) echo "usage: $0 [pictures|documents|all] [OUTPUT_DIR]" >&2; exit 2 ;;
esac
