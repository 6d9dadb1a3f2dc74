#!/usr/bin/env python3
"""Recomputes every worked example quoted in the companion documents.

It follows the calculator's rules (the last applicable formula wins, results
kept in single precision, four significant figures with halves to even, the
short text form with a leading blank) so that the numbers printed in the
documents can be compared with what the model shows.
Run: python3 assets/tools/exemples.py
"""
import struct


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


BANDS = [(999.9, 1, 1), (99.99, 10, 0.1), (9.999, 100, 0.01),
         (0.9999, 1000, 0.001), (0.09999, 10000, 0.0001),
         (0.009999, 100000, 0.00001), (0.0009999, 1000000, 0.000001),
         (0.00009999, 10000000, 0.0000001)]


def significa(x):
    x = f32(x)
    for n, (low, factor, step) in enumerate(BANDS, start=1):
        if x > low:
            scaled = x * factor
            if 2 <= n <= 5:
                scaled = f32(scaled)
            return f32(round(scaled) * step)
    return 0.0


def short(x):
    text = "%.7g" % x
    if "e" in text:
        mant, exp = text.split("e")
        text = "%sE%s%02d" % (mant, exp[0], abs(int(exp)))
    if text.startswith("0."):
        text = text[1:]
    return " " + text if x >= 0 else text


def calc(s=0, d=0, V=0, rho=0, Ms=0, Md=0):
    s, d, V, rho, Ms, Md = (f32(v) for v in (s, d, V, rho, Ms, Md))
    g = lambda *v: all(a > 0 for a in v)
    r = {}
    if g(s, d): r["%"] = 100 * s / (s + d)
    if g(s, V, rho): r["%"] = 100 * s / (rho * V)
    if g(d, V, rho): r["%"] = 100 * (rho * V - d) / (rho * V)
    if g(s, V): r["g/L"] = 1000 * s / V
    if g(s, d, rho): r["g/L"] = 1000 * rho * s / (s + d)
    if g(d, V, rho): r["g/L"] = 1000 * (rho * V - d) / V
    if g(s, V, Ms): r["M"] = 1000 * s / (V * Ms)
    if g(s, d, rho, Ms): r["M"] = 1000 * rho * s / ((s + d) * Ms)
    if g(d, V, rho, Ms): r["M"] = 1000 * (rho * V - d) / (V * Ms)
    if g(s, d, Ms): r["m"] = 1000 * s / (Ms * d)
    if g(s, V, rho, Ms): r["m"] = 1000 * s / ((rho * V - s) * Ms)
    if g(d, V, rho, Ms): r["m"] = 1000 * (rho * V - d) / (Ms * d)
    if g(s, d, Ms, Md): r["x"] = (s / Ms) / (d / Md + s / Ms)
    if g(s, V, rho, Ms, Md): r["x"] = (s / Ms) / ((rho * V - s) / Md + s / Ms)
    if g(d, V, rho, Ms, Md):
        r["x"] = ((rho * V - d) / Ms) / ((rho * V - d) / Ms + d / Md)
    out = {}
    for k, v in r.items():
        v = f32(v)
        out[k] = short(significa(v)) if v > 0 else "(cap resultat)"
    return out


EXAMPLES = [
    # (where it is quoted, data)
    ("Teoria 3.1; diapositiva 5: NaCl 10 g + aigua 90 g", dict(s=10, d=90, Ms=58.44, Md=18.02)),
    ("Teoria 3.2-3.3; activitat 3: NaCl 10 g, V 100 cm3", dict(s=10, V=100, Ms=58.44)),
    ("Activitat 3: V 200 cm3", dict(s=10, V=200, Ms=58.44)),
    ("Activitat 3: V 250 cm3", dict(s=10, V=250, Ms=58.44)),
    ("Activitat 4: dilucio a 500 cm3", dict(s=10, V=500, Ms=58.44)),
    ("Activitat 5: mostra de 10 cm3 de la dissolucio de l'activitat 3", dict(s=1, V=10, Ms=58.44)),
    ("Guia 4.2: 110 g en 100 cm3 de densitat 1", dict(s=110, V=100, rho=1)),
    ("Teoria 3.6: NaCl 10 g + aigua 90 g, densitat 1.071",
     dict(s=10, d=90, rho=1.071, Ms=58.44, Md=18.02)),
    ("Activitat 7; informe d'exemple: NaOH 20 g + aigua 80 g, densitat 1.2",
     dict(s=20, d=80, rho=1.2, Ms=40, Md=18.02)),
    ("Activitat 6a: 10 g + 90 g + V 93.37 cm3", dict(s=10, d=90, V=93.37)),
    ("Activitat 6b: dissolvent 96.39 g, V 100 cm3, densitat 1.071", dict(d=96.39, V=100, rho=1.071)),
    ("Activitat 6c: dissolvent 120 g, V 100 cm3, densitat 1.071", dict(d=120, V=100, rho=1.071)),
    ("Activitat 8: sacarosa 34.23 g + aigua 100 g", dict(s=34.23, d=100, Ms=342.3, Md=18.02)),
    ("Activitat 8: glucosa 18.02 g + aigua 100 g", dict(s=18.02, d=100, Ms=180.2, Md=18.02)),
    ("Teoria 4, ex. 1; activitat 9: HCl 37 g + aigua 63 g, densitat 1.19",
     dict(s=37, d=63, rho=1.19, Ms=36.46, Md=18.02)),
    ("Guia 7: HCl amb la densitat escrita amb coma (llegida 1)", dict(s=37, d=63, rho=1, Ms=36.46)),
    ("Teoria 4, ex. 2: NaOH 80 g, V 1000 cm3, densitat 1.08",
     dict(s=80, V=1000, rho=1.08, Ms=40)),
]

if __name__ == "__main__":
    for name, data in EXAMPLES:
        res = calc(**data)
        print(name)
        print("    " + "  ".join("%s=%r" % kv for kv in res.items()))
