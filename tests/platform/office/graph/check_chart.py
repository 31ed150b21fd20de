#!/usr/bin/env python3
"""Independent check of DrawingML chart parts with the standard library only. Each argument
is a chart part file, or a .docx whose chart parts are found through the document's
relationships. Every part must parse, hold one plot with its axes, and keep the child order
the schema prescribes for the elements written. Prints one JSON object per chart: the plot
element, the title, the value-axis title, and every series' name, categories and values."""
import json
import posixpath
import sys
import zipfile
import xml.etree.ElementTree as ET

C = "{http://schemas.openxmlformats.org/drawingml/2006/chart}"
A = "{http://schemas.openxmlformats.org/drawingml/2006/main}"
R = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}"
PR = "{http://schemas.openxmlformats.org/package/2006/relationships}"
CHART_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chart"
CHART_CT = "application/vnd.openxmlformats-officedocument.drawingml.chart+xml"

SER = "idx order tx spPr invertIfNegative pictureOptions marker explosion dPt dLbls trendline errBars cat val xVal yVal smooth bubbleSize bubble3D shape"
PLOTS = {
    "barChart": "barDir grouping varyColors ser dLbls gapWidth overlap serLines axId",
    "bar3DChart": "barDir grouping varyColors ser dLbls gapWidth gapDepth shape axId",
    "lineChart": "grouping varyColors ser dLbls dropLines hiLowLines upDownBars marker smooth axId",
    "line3DChart": "grouping varyColors ser dLbls dropLines gapDepth axId",
    "areaChart": "grouping varyColors ser dLbls dropLines axId",
    "area3DChart": "grouping varyColors ser dLbls dropLines gapDepth axId",
    "pieChart": "varyColors ser dLbls firstSliceAng",
    "pie3DChart": "varyColors ser dLbls",
    "doughnutChart": "varyColors ser dLbls firstSliceAng holeSize",
    "ofPieChart": "ofPieType varyColors ser dLbls gapWidth splitType splitPos custSplit secondPieSize serLines",
    "radarChart": "radarStyle varyColors ser dLbls axId",
    "scatterChart": "scatterStyle varyColors ser dLbls axId",
    "bubbleChart": "varyColors ser dLbls bubble3D bubbleScale showNegBubbles sizeRepresents axId",
    "surfaceChart": "wireframe ser bandFmts axId",
    "surface3DChart": "wireframe ser bandFmts axId",
}
AXIS = "axId scaling delete axPos majorGridlines minorGridlines title numFmt majorTickMark minorTickMark tickLblPos spPr txPr crossAx crosses crossesAt crossBetween auto lblAlgn lblOffset noMultiLvlLbl"
ORDER = {
    "chartSpace": "date1904 lang roundedCorners style clrMapOvr pivotSource protection chart spPr txPr externalData printSettings userShapes",
    "chart": "title autoTitleDeleted pivotFmts view3D floor sideWall backWall plotArea legend plotVisOnly dispBlanksAs",
    "title": "tx layout overlay spPr txPr",
    "view3D": "rotX hPercent rotY depthPercent rAngAx perspective",
    # The axes are one choice that repeats, in any order among themselves.
    "plotArea": "layout " + " ".join(PLOTS) + " axis dTable spPr",
    "ser": SER,
    "catAx": AXIS, "valAx": AXIS, "serAx": AXIS,
    "legend": "legendPos legendEntry layout overlay spPr txPr",
    "numLit": "formatCode ptCount pt",
    "strLit": "ptCount pt",
}
ORDER.update(PLOTS)
ORDER = {k: v.split() for k, v in ORDER.items()}
AXIS_COUNT = {"bar3DChart": (2, 3), "line3DChart": (3, 3), "area3DChart": (2, 3), "surfaceChart": (2, 3),
              "surface3DChart": (3, 3), "pieChart": (0, 0), "pie3DChart": (0, 0), "doughnutChart": (0, 0),
              "ofPieChart": (0, 0)}


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def local(tag):
    return tag.split("}", 1)[1] if "}" in tag else tag


def check_order(root, name):
    for element in root.iter():
        if not element.tag.startswith(C):
            continue
        order = ORDER.get(local(element.tag))
        if not order:
            continue
        seen = -1
        for child in element:
            if not child.tag.startswith(C):
                continue
            cname = local(child.tag)
            if local(element.tag) == "plotArea" and cname in ("valAx", "catAx", "dateAx", "serAx"):
                cname = "axis"
            if cname not in order:
                fail("%s: <%s> is not allowed in <%s>" % (name, cname, local(element.tag)))
            index = order.index(cname)
            if index < seen:
                fail("%s: <%s> comes after a later sibling in <%s>" % (name, cname, local(element.tag)))
            seen = max(seen, index)


def literal(element):
    if element is None:
        return None
    lit = element.find(C + "strLit")
    if lit is None:
        lit = element.find(C + "numLit")
    if lit is None:
        fail("series data without literal values")
    count = int(lit.find(C + "ptCount").get("val"))
    values = [None] * count
    for pt in lit.findall(C + "pt"):
        v = pt.find(C + "v").text or ""
        values[int(pt.get("idx"))] = v if local(lit.tag) == "strLit" else float(v)
    return values


def rich_text(title):
    if title is None:
        return None
    return "".join(t.text or "" for t in title.iter(A + "t"))


def describe(data, name):
    try:
        root = ET.fromstring(data)
    except ET.ParseError as e:
        fail("%s does not parse: %s" % (name, e))
    if root.tag != C + "chartSpace":
        fail("%s: root is %s" % (name, root.tag))
    check_order(root, name)
    chart = root.find(C + "chart")
    plot_area = chart.find(C + "plotArea")
    plots = [p for p in plot_area if local(p.tag) in PLOTS]
    if len(plots) != 1:
        fail("%s: %d plots" % (name, len(plots)))
    plot = plots[0]
    ids = [int(a.get("val")) for a in plot.findall(C + "axId")]
    low, high = AXIS_COUNT.get(local(plot.tag), (2, 2))
    if not low <= len(ids) <= high:
        fail("%s: %s names %d axes" % (name, local(plot.tag), len(ids)))
    axes = {int(ax.find(C + "axId").get("val")): ax for ax in plot_area if local(ax.tag) in ("catAx", "valAx", "serAx")}
    if sorted(axes) != sorted(ids):
        fail("%s: axes %s for ids %s" % (name, sorted(axes), ids))
    for ax in axes.values():
        if int(ax.find(C + "crossAx").get("val")) not in axes:
            fail("%s: an axis crosses one that is missing" % name)
    value_title = None
    if 2 in axes:
        value_title = rich_text(axes[2].find(C + "title"))
    series = []
    for ser in plot.findall(C + "ser"):
        tx = ser.find(C + "tx")
        series.append({
            "name": tx.find(C + "v").text or "" if tx is not None else None,
            "categories": literal(ser.find(C + "cat")) or literal(ser.find(C + "xVal")),
            "values": literal(ser.find(C + "val")) or literal(ser.find(C + "yVal")),
        })
    font = root.find(C + "txPr")
    size = None
    if font is not None:
        rpr = font.find(".//" + A + "defRPr")
        size = int(rpr.get("sz")) / 100 if rpr is not None else None
    return {"plot": local(plot.tag), "grouping": (plot.find(C + "grouping").get("val") if plot.find(C + "grouping") is not None else None),
            "barDir": (plot.find(C + "barDir").get("val") if plot.find(C + "barDir") is not None else None),
            "title": rich_text(chart.find(C + "title")), "valueAxisTitle": value_title, "fontSize": size,
            "series": series}


def docx_charts(path):
    z = zipfile.ZipFile(path)
    types = ET.fromstring(z.read("[Content_Types].xml"))
    overrides = {o.get("PartName").lstrip("/"): o.get("ContentType") for o in types if local(o.tag) == "Override"}
    rels = ET.fromstring(z.read("word/_rels/document.xml.rels"))
    targets = {r.get("Id"): posixpath.normpath(posixpath.join("word", r.get("Target")))
               for r in rels if r.get("Type") == CHART_REL}
    document = ET.fromstring(z.read("word/document.xml"))
    out = []
    for ref in document.iter(C + "chart"):
        rid = ref.get(R + "id")
        if rid not in targets:
            fail("chart reference %s has no chart relationship" % rid)
        part = targets[rid]
        if overrides.get(part) != CHART_CT:
            fail("%s has content type %s" % (part, overrides.get(part)))
        out.append(describe(z.read(part), part))
    return out


def main():
    for path in sys.argv[1:]:
        charts = docx_charts(path) if path.endswith(".docx") else [describe(open(path, "rb").read(), path)]
        for chart in charts:
            print(json.dumps(chart, sort_keys=True))


if __name__ == "__main__":
    main()
