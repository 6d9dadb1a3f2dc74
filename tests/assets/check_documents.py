#!/usr/bin/env python3
"""Checks the text of the companion documents' sources.

  check_documents.py spelling DOCS_DIR WORD_LIST   every word known to hunspell (ca) or listed
  check_documents.py spaces DOCS_DIR               no plain space between a number and its unit,
                                                   before an equals sign, or after one whose left
                                                   side is a symbol or a number ("Ms = 58,44")
  check_documents.py numbers DOCS_DIR              every number worked by hand equals the hidden
                                                   "Calcul" expression before it, to the digits
                                                   written; every number after "=" has one
  check_documents.py wording DOCS_DIR              none of the known real-word slips
  check_documents.py access DOCS_DIR MODELS_DIR    Catalan set as the language, a description for
                                                   every picture, a title for every slide; the PDFs
                                                   tagged, in Catalan, a described figure a picture;
                                                   the slide show carries every description

The hidden "Dades model" and "Calcul" spans hold data for the checks, not prose.
"""
import pathlib
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"
OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
SVG = "urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
DRAW = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
PRESENTATION = "urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
DC = "http://purl.org/dc/elements/1.1/"
META = "urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
HIDDEN_STYLES = {"Dades_20_model", "Calcul"}
CALCULATION_STYLE = "Calcul"
# A hidden expression becomes ⟦expression⟧ in the text the number check reads.
CALCULATION = re.compile(r"⟦([^⟧]*)⟧\s*([−-]?\d+(?:,\d+)?)")
# A number after "=" is a result unless an operation follows it ("= 10 g + 90 g").
RESULT = re.compile(r"=\s*(?:\(\s*)?([−-]?\d+(?:,\d+)?)(?![\d,])(?!\s*(?:\S+\s+)?[/·+×−]\s)")
# "ρ = 1,19", "Ms = 58,44": a datum, not a result.
DATUM_SYMBOL = re.compile(r"(?:ρ|\bM[sd]?)\s$")
EXPRESSION = re.compile(r"[\d.+\-*/() ]+")

# Words a spelling dictionary accepts that are still wrong here.
SLIPS = (
    ("kilogram de dissolució", "molality is per kilogram of solvent"),
    ("kilograms de dissolució", "molality is per kilogram of solvent"),
    ("litre de dissolvent", "molarity is per litre of solution"),
    ("litres de dissolvent", "molarity is per litre of solution"),
    ("de HCl", "«d’HCl»"),
    ("de NaCl", "the name («de clorur de sodi», «de sal») beside «d’HCl»"),
    ("de NaOH", "the name («d’hidròxid de sodi») beside «d’HCl»"),
    ("'", "a typographic apostrophe «’»"),
    ("15 a 17 anys", "«de 14 a 17 anys»"),
)
# A picture's title and description are read as text of their own.
DESCRIPTIONS = {f"{{{SVG}}}title", f"{{{SVG}}}desc"}
# The title and author in the metadata are read too: a PDF shows them.
BLOCKS = {f"{{{TEXT}}}p", f"{{{TEXT}}}h", f"{{{DC}}}title", f"{{{META}}}initial-creator"} | DESCRIPTIONS
SPACES = {f"{{{TEXT}}}s": " ", f"{{{TEXT}}}tab": "\t", f"{{{TEXT}}}line-break": "\n"}

UNITS = ("g/mol", "g/cm³", "g/L", "mol/L", "mol/kg", "mol", "kg", "cm³", "L", "g", "ms",
         "s", "%", "°C", "M", "mm", "grams", "kilograms", "litres")
NUMBER_THEN_UNIT = re.compile(r"\d[ \t](?:%s)(?![\w³])" % "|".join(map(re.escape, UNITS)))
# A line may break after "=" in a chain, but a short left side must not be left behind.
SPACED_EQUALS = re.compile(r"[ \t]=|(?:^|\s)\S{1,3}\s=[ \t]")


def inline_text(element, calculations=False):
    """The text of a paragraph as a reader sees it, with the hidden
    expressions marked when asked for."""
    parts = [element.text or ""]
    for child in element:
        style = child.get(f"{{{TEXT}}}style-name")
        if child.tag in SPACES:
            count = int(child.get(f"{{{TEXT}}}c", "1"))
            parts.append(SPACES[child.tag] * count)
        elif child.tag == f"{{{OFFICE}}}annotation" or child.tag in DESCRIPTIONS:
            pass
        elif style == CALCULATION_STYLE and calculations:
            parts.append(f"⟦{child.text or ''}⟧")
        elif style not in HIDDEN_STYLES:
            parts.append(inline_text(child, calculations))
        parts.append(child.tail or "")
    return "".join(parts)


def paragraphs(path, calculations=False):
    if path.suffix == ".txt":
        return path.read_text(encoding="utf-8").splitlines()
    root = ET.parse(path).getroot()
    return [inline_text(e, calculations) for e in root.iter() if e.tag in BLOCKS]


def sources(folder):
    folder = pathlib.Path(folder)
    return sorted(folder.glob("*.fod[tp]")) + [folder / "Dades.txt"]


def unknown_words(text, known):
    """Words hunspell rejects, less signs, hyphen ends and the project's own words."""
    result = subprocess.run(["hunspell", "-d", "ca", "-l"],
                            input=text, capture_output=True, text=True, check=True)
    words = {w.strip("-·") for w in result.stdout.split()}
    return sorted(w for w in words if any(c.isalpha() for c in w) and w not in known)


def count_faults(folder, faults_in, calculations=False):
    """Prints each fault that faults_in finds in a paragraph of a source."""
    failures = 0
    for path in sources(folder):
        for paragraph in paragraphs(path, calculations):
            for fault in faults_in(paragraph):
                print(f"{path.name}: {fault}")
                failures += 1
    return failures


def check_spelling(folder, word_list):
    known = set(pathlib.Path(word_list).read_text(encoding="utf-8").split())
    failures = 0
    for path in sources(folder):
        for word in unknown_words("\n".join(paragraphs(path)), known):
            print(f"{path.name}: unknown word «{word}»")
            failures += 1
    return failures


def space_faults(paragraph):
    for pattern, fault in ((NUMBER_THEN_UNIT, "before a unit"), (SPACED_EQUALS, "by an equals sign")):
        for match in pattern.finditer(paragraph):
            start = max(0, match.start() - 25)
            yield f"plain space {fault} in «…{paragraph[start:match.end() + 5]}»"


def catalan_number(text):
    """The value written and the size of half its last digit."""
    whole, _, decimals = text.replace("−", "-").partition(",")
    return float(f"{whole}.{decimals or 0}"), 0.5 * 10 ** -len(decimals)


def calculation_fault(expression, written):
    if not EXPRESSION.fullmatch(expression):
        return f"unreadable expression «{expression}»"
    value = eval(expression, {"__builtins__": {}})  # digits and operators only
    shown, half = catalan_number(written)
    if abs(value - shown) > half * (1 + 1e-9):
        return f"{written} is written, but {expression} gives {value:.6g}"
    return None


def number_faults(paragraph):
    faults = [calculation_fault(*m.groups()) for m in CALCULATION.finditer(paragraph)]
    faults += [f"{m.group(1)} after «=» has no calculation" for m in RESULT.finditer(paragraph)
               if not DATUM_SYMBOL.search(paragraph[:m.start()])]
    faults += ["a calculation with no number after it"] * (paragraph.count("⟦") - len(CALCULATION.findall(paragraph)))
    shown = paragraph.replace('⟦', '[').replace('⟧', ']')[:160]
    return [f"{fault} in «{shown}»" for fault in faults if fault]


def wording_faults(paragraph):
    return [f"«{slip}» where {instead} is meant, in «{paragraph[:120]}»" for slip, instead in SLIPS if slip in paragraph]


def described(frame):
    return any((frame.findtext(tag) or "").strip() for tag in DESCRIPTIONS)


def access_faults(path):
    root = ET.parse(path).getroot()
    if root.findtext(f".//{{{DC}}}language") != "ca-ES":
        yield "the language is not set to Catalan (ca-ES)"
    frames = [f for f in root.iter(f"{{{DRAW}}}frame") if f.find(f"{{{DRAW}}}image") is not None]
    yield from ["a picture without a description"] * sum(not described(f) for f in frames)
    for number, page in enumerate(root.iter(f"{{{DRAW}}}page"), 1):
        titles = [f for f in page.iter(f"{{{DRAW}}}frame") if f.get(f"{{{PRESENTATION}}}class") == "title"]
        if not any("".join(t.itertext()).strip() for t in titles):
            yield f"slide {number} has no title"


def pdf_faults(pdf, pictures):
    data = pdf.read_bytes()
    if not re.search(rb"/MarkInfo\s*<<\s*/Marked\s+true", data):
        yield "not tagged"
    if not re.search(rb"/Lang\s*\(ca-ES\)", data):
        yield "its language is not Catalan (ca-ES)"
    figures = [o for o in re.findall(rb"\bobj\b(.*?)\bendobj\b", data, re.S) if re.search(rb"/S\s*/Figure\b", o)]
    alternatives = sum(b"/Alt" in f for f in figures)
    if alternatives != len(figures) or len(figures) != pictures:
        yield f"{alternatives} described figures of {len(figures)}, for {pictures} pictures"


def check_access(folder, models):
    failures = 0
    for path in sources(folder)[:-1]:
        faults = list(access_faults(path))
        pdf = pathlib.Path(models) / (path.stem + ".pdf")
        if path.suffix == ".fodt" and pdf.exists():
            pictures = len(list(ET.parse(path).getroot().iter(f"{{{DRAW}}}image")))
            faults += [f"{pdf.name}: {fault}" for fault in pdf_faults(pdf, pictures)]
        show = pathlib.Path(models) / (path.stem + ".pps")
        if path.suffix == ".fodp" and show.exists():
            data = show.read_bytes()
            faults += [f"{show.name}: a picture's description is missing" for text in
                       (" ".join(e.text.split()) for e in ET.parse(path).getroot().iter(f"{{{SVG}}}desc"))
                       if text.encode("utf-16-le") not in data]
        for fault in faults:
            print(f"{path.name}: {fault}")
        failures += len(faults)
    return failures


def main(argv):
    if len(argv) == 4 and argv[1] == "spelling":
        failures = check_spelling(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == "access":
        failures = check_access(argv[2], argv[3])
    elif len(argv) == 3 and argv[1] in ("spaces", "numbers", "wording"):
        faults_in = {"spaces": space_faults, "numbers": number_faults, "wording": wording_faults}[argv[1]]
        failures = count_faults(argv[2], faults_in, calculations=argv[1] == "numbers")
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
