#!/usr/bin/env python3
"""Independent check of the tables of a .docx with the standard library only: every table
carries its look as direct formatting (no table style), every border, shading and run
colour is a value the file format allows, the elements stand in the schema's order, and
the tables' looks are told apart. Prints one line per table: its look as a signature."""
import argparse
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
BORDERS = {"nil", "none", "single", "thick", "double", "dotted", "dashed", "dotDash", "dotDotDash", "triple",
           "thinThickSmallGap", "thickThinSmallGap", "wave", "doubleWave", "threeDEmboss", "threeDEngrave",
           "outset", "inset"}
COLOR = re.compile(r"^(auto|[0-9A-Fa-f]{6})$")
TBL_PR_ORDER = ["tblStyle", "tblpPr", "tblOverlap", "bidiVisual", "tblStyleRowBandSize", "tblStyleColBandSize",
                "tblW", "jc", "tblCellSpacing", "tblInd", "tblBorders", "shd", "tblLayout", "tblCellMar", "tblLook"]
TC_PR_ORDER = ["cnfStyle", "tcW", "gridSpan", "hMerge", "vMerge", "tcBorders", "shd", "noWrap", "tcMar",
               "textDirection", "tcFitText", "vAlign", "hideMark"]
SIDES = ["top", "left", "start", "bottom", "right", "end", "insideH", "insideV", "tl2br", "tr2bl"]


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def local(el):
    return el.tag[len(W):] if el.tag.startswith(W) else el.tag


def in_order(parent, order, what):
    seen = [order.index(local(c)) for c in parent if local(c) in order]
    if seen != sorted(seen):
        fail("%s children out of order: %s" % (what, [local(c) for c in parent]))


def border_set(el, what):
    if el is None:
        return ()
    in_order(el, SIDES, what)
    out = []
    for side in el:
        val = side.get(W + "val")
        if val not in BORDERS:
            fail("%s %s has border value %r" % (what, local(side), val))
        if val in ("nil", "none"):
            continue
        size = int(side.get(W + "sz", "4"))
        if not 2 <= size <= 96:
            fail("%s %s width %d" % (what, local(side), size))
        color = side.get(W + "color", "auto")
        if not COLOR.match(color):
            fail("%s %s colour %r" % (what, local(side), color))
        out.append((local(side), val, size, color.upper()))
    return tuple(out)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("path")
    ap.add_argument("--tables", type=int, required=True)
    ap.add_argument("--font")
    a = ap.parse_args()
    body = ET.fromstring(zipfile.ZipFile(a.path).read("word/document.xml")).find(W + "body")
    tables = body.findall(W + "tbl")
    if len(tables) != a.tables:
        fail("expected %d tables, found %d" % (a.tables, len(tables)))
    signatures = []
    for n, tbl in enumerate(tables):
        pr = tbl.find(W + "tblPr")
        if pr is None:
            fail("table %d has no properties" % n)
        in_order(pr, TBL_PR_ORDER, "tblPr")
        if pr.find(W + "tblStyle") is not None:
            fail("table %d refers to a style" % n)
        look = [border_set(pr.find(W + "tblBorders"), "tblBorders")]
        cells = 0
        for r, tr in enumerate(tbl.findall(W + "tr")):
            for c, tc in enumerate(tr.findall(W + "tc")):
                cells += 1
                tcpr = tc.find(W + "tcPr")
                fill = None
                edges = ()
                if tcpr is not None:
                    in_order(tcpr, TC_PR_ORDER, "tcPr")
                    edges = border_set(tcpr.find(W + "tcBorders"), "tcBorders")
                    shd = tcpr.find(W + "shd")
                    if shd is not None:
                        fill = shd.get(W + "fill")
                        if not COLOR.match(fill or ""):
                            fail("table %d cell %d,%d fill %r" % (n, r, c, fill))
                runs = []
                for rpr in tc.iter(W + "rPr"):
                    color = rpr.find(W + "color")
                    if color is not None and not COLOR.match(color.get(W + "val", "")):
                        fail("table %d run colour %r" % (n, color.get(W + "val")))
                    fonts = rpr.find(W + "rFonts")
                    if a.font and (fonts is None or fonts.get(W + "ascii") != a.font):
                        fail("table %d cell %d,%d is not in %s" % (n, r, c, a.font))
                    runs.append((rpr.find(W + "b") is not None, rpr.find(W + "i") is not None,
                                 None if color is None else color.get(W + "val").upper()))
                look.append((r, c, fill, edges, tuple(runs)))
        if cells == 0:
            fail("table %d has no cells" % n)
        signatures.append(repr(look))
        print(n, len(repr(look)))
    if len(set(signatures)) != len(signatures):
        dupes = [i for i, s in enumerate(signatures) if signatures.count(s) > 1]
        fail("tables with the same look: %s" % dupes)
    print("OK")


if __name__ == "__main__":
    main()
