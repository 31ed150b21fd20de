#!/usr/bin/env python3
"""Independent check of a .docx package with the standard library only: every XML part
parses, every part has a content type, every internal relationship target exists, the
media are real pictures, and the main text holds what the caller expects."""
import argparse
import posixpath
import sys
import zipfile
import xml.etree.ElementTree as ET

W = "{http://schemas.openxmlformats.org/wordprocessingml/2006/main}"
CT = "{http://schemas.openxmlformats.org/package/2006/content-types}"
PR = "{http://schemas.openxmlformats.org/package/2006/relationships}"
# Child order the schema prescribes for the property elements the writer emits.
ORDER = {
    "pPr": "pStyle keepNext keepLines pageBreakBefore framePr widowControl numPr suppressLineNumbers pBdr shd tabs "
           "suppressAutoHyphens kinsoku wordWrap overflowPunct topLinePunct autoSpaceDE autoSpaceDN bidi adjustRightInd "
           "snapToGrid spacing ind contextualSpacing mirrorIndents suppressOverlap jc textDirection textAlignment "
           "textboxTightWrap outlineLvl divId cnfStyle rPr sectPr pPrChange",
    "rPr": "rStyle rFonts b bCs i iCs caps smallCaps strike dstrike outline shadow emboss imprint noProof snapToGrid "
           "vanish webHidden color spacing w kern position sz szCs highlight u effect bdr shd fitText vertAlign rtl cs "
           "em lang eastAsianLayout specVanish oMath",
    "sectPr": "headerReference footerReference footnotePr endnotePr type pgSz pgMar paperSrc pgBorders lnNumType "
              "pgNumType cols formProt vAlign noEndnote titlePg textDirection bidi rtlGutter docGrid printerSettings",
    "tblPr": "tblStyle tblpPr tblOverlap bidiVisual tblStyleRowBandSize tblStyleColBandSize tblW jc tblCellSpacing "
             "tblInd tblBorders shd tblLayout tblCellMar tblLook",
    "tcPr": "cnfStyle tcW gridSpan hMerge vMerge tcBorders shd noWrap tcMar textDirection tcFitText vAlign hideMark",
    "tblBorders": "top left start bottom right end insideH insideV",
    "tbl": "tblPr tblGrid tr",
    "tc": "tcPr p tbl",
}
ORDER = {k: v.split() for k, v in ORDER.items()}


def check_order(root, part):
    for element in root.iter():
        name = element.tag.replace(W, "")
        if name not in ORDER:
            continue
        seen = -1
        for child in element:
            cname = child.tag.replace(W, "")
            if cname not in ORDER[name]:
                continue
            index = ORDER[name].index(cname)
            if index < seen:
                fail("%s: <%s> comes after a later sibling in <%s>" % (part, cname, name))
            seen = max(seen, index)


MAGIC = {"png": b"\x89PNG", "bmp": b"BM", "emf": b"\x01\x00\x00\x00", "jpeg": b"\xff\xd8", "gif": b"GIF8"}


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("path")
    ap.add_argument("--expect-text", action="append", default=[])
    ap.add_argument("--expect-media", type=int)
    ap.add_argument("--expect-hyperlink", action="append", default=[])
    ap.add_argument("--expect-page-field", action="store_true")
    a = ap.parse_args()

    z = zipfile.ZipFile(a.path)
    if z.testzip() is not None:
        fail("damaged entry")
    names = set(z.namelist())
    if z.namelist()[0] != "[Content_Types].xml":
        fail("content types are not the first entry")
    types = ET.fromstring(z.read("[Content_Types].xml"))
    defaults = {d.get("Extension").lower(): d.get("ContentType") for d in types.iter(CT + "Default")}
    overrides = {o.get("PartName"): o.get("ContentType") for o in types.iter(CT + "Override")}
    for name in names:
        if "/" + name not in overrides and name.rsplit(".", 1)[-1].lower() not in defaults and name != "[Content_Types].xml":
            fail("no content type for " + name)
        if name.endswith(".xml") or name.endswith(".rels"):
            root = ET.fromstring(z.read(name))  # raises on a malformed part
            if name.startswith("word/") and name.endswith(".xml"):
                check_order(root, name)
    main_part = "/word/document.xml"
    if overrides.get(main_part) != "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml":
        fail("main part content type")

    links = []
    for rels in [n for n in names if n.endswith(".rels")]:
        source_dir = posixpath.dirname(posixpath.dirname(rels))
        for r in ET.fromstring(z.read(rels)).iter(PR + "Relationship"):
            if r.get("TargetMode") == "External":
                links.append(r.get("Target"))
                continue
            target = posixpath.normpath(posixpath.join(source_dir, r.get("Target")))
            if target not in names:
                fail("relationship %s of %s points at missing %s" % (r.get("Id"), rels, target))

    media = [n for n in names if n.startswith("word/media/")]
    for m in media:
        ext = m.rsplit(".", 1)[-1].lower()
        if not z.read(m).startswith(MAGIC.get(ext, b"?")):
            fail("media part %s is not a %s picture" % (m, ext))
        if defaults.get(ext, "").split("/")[0] != "image":
            fail("media type of " + m)
    if a.expect_media is not None and len(media) != a.expect_media:
        fail("expected %d media parts, found %d" % (a.expect_media, len(media)))

    body = ET.fromstring(z.read("word/document.xml")).find(W + "body")
    children = list(body)
    if children[-1].tag != W + "sectPr":
        fail("sectPr is not the body's last element")
    paragraphs = ["".join(t.text or "" for t in p.iter(W + "t")) for p in body.iter(W + "p")]
    for expected in a.expect_text:
        if not any(expected in p for p in paragraphs):
            fail("text not found: " + expected)
    for link in a.expect_hyperlink:
        if link not in links:
            fail("hyperlink not found: " + link)
    if a.expect_page_field:
        found = False
        for part, content_type in overrides.items():
            if content_type.endswith(".header+xml") or content_type.endswith(".footer+xml"):
                for f in ET.fromstring(z.read(part[1:])).iter(W + "fldSimple"):
                    found = found or f.get(W + "instr").strip() == "PAGE"
        if not found:
            fail("no PAGE field in a header or footer")
    print("OK")


if __name__ == "__main__":
    main()
