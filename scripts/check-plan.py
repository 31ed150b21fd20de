#!/usr/bin/env python3
"""Checks the house plan (ARCHITECTURE.md) against the #include lines under Source_Code/.

Fails (exit status 1, one line per fault) on
  - an include upwards: a lower layer including a higher one;
  - an include sideways: between rooms of one layer that the plan does not list;
  - an engine file including Qt Widgets or Qt's print support;
  - a Qt facility used outside the one room that stands in for it.
Usage: check-plan.py [SOURCE_ROOT]   (default: Source_Code beside this script's folder)
"""

import os
import re
import sys

# The layers, lowest first. A room may include rooms of lower layers and the rooms the plan
# lists for it in its own layer; nothing of a higher layer.
LAYERS = [
    ["platform/automation", "platform/locale", "platform/zip", "platform/files"],
    ["platform/text", "platform/settings", "platform/serial", "platform/metafile", "platform/clipboard",
     "platform/printing", "platform/help", "platform/controls", "platform/inet",
     "platform/spelling", "platform/office/xml", "platform/office/ado", "platform/office/graph",
     "platform/office/word", "platform/office/excel"],
    ["SatelliteDLL"],
    ["app/resources", "control"],
    ["app/items"],
    ["app/link", "app/display"],
    ["app/link/forms", "app/display/widgets", "app/reports"],
    ["app/reports/widgets"],
    ["app/mainwindow"],
]

# Sideways uses the plan lists: room -> rooms of its own layer it may include.
SIDEWAYS = {
    "platform/serial": {"platform/settings"},        # the user's port mapping
    "platform/office/word": {"platform/office/ado", "platform/office/graph", "platform/metafile",
                             "platform/spelling", "platform/printing"},
    "app/reports": {"app/display"},
}

# Downward uses that the plan rules out although they point down.
NOT_BELOW = {
    "platform/settings": {"platform/automation"},  # its errors are its own
    "app/link": {"app/display"},
    "app/display": {"app/link"},
    "app/reports": {"app/link", "app/link/forms"},
    "control": {"app/resources"},
}

# Where widgets may be used: the window folders and the window adapters of the stand-ins.
WIDGET_ROOMS = ("app/mainwindow", "app/link/forms", "app/display/widgets", "app/reports/widgets",
                "control", "platform/controls/widgets")
WIDGET_FILES = {
    "platform/spelling/SpellingWindow.h", "platform/spelling/SpellingWindow.cpp",
    "platform/office/word/ViewerWindow.h", "platform/office/word/ViewerWindow.cpp",
    "platform/printing/SystemPrinting.h", "platform/printing/SystemPrinting.cpp",
}

# Qt facilities with one room that stands in for them.
ONE_ROOM = [
    (re.compile(r"^(QtPrintSupport/)?(QPrinter|QPrinterInfo|QPrintDialog|QPageSetupDialog|QPrintPreview\w*|QAbstractPrintDialog)$"),
     "platform/printing"),
    (re.compile(r"^(QtGui/)?QClipboard$"), "platform/clipboard"),
    (re.compile(r"^(QtGui/)?QDesktopServices$"), "platform/help"),
]

QT_INCLUDE_DIRS = ["/usr/include/x86_64-linux-gnu/qt6", "/usr/include/qt6"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r"\.(h|hpp|c|cc|cpp)$")


def widget_headers():
    """Class headers of Qt Widgets and Qt's print support (which needs widgets)."""
    names = set()
    for base in QT_INCLUDE_DIRS:
        for module in ("QtWidgets", "QtPrintSupport"):
            folder = os.path.join(base, module)
            if os.path.isdir(folder):
                names.update(f for f in os.listdir(folder) if f.startswith("Q") and "." not in f)
    return names


def room_of(path):
    """The room of a path relative to the source root: the deepest folder the plan names."""
    folder = os.path.dirname(path)
    rooms = [r for layer in LAYERS for r in layer] + ["platform/controls/widgets"]
    best = None
    for r in rooms:
        if (folder == r or folder.startswith(r + "/")) and (best is None or len(r) > len(best)):
            best = r
    return best or folder.split("/")[0]


def layer_of(room):
    for i, layer in enumerate(LAYERS):
        if room in layer:
            return i
    if room == "platform/controls/widgets":
        return layer_of("platform/controls")
    return None


def is_widget_side(path, room):
    return room in WIDGET_ROOMS or path in WIDGET_FILES or any(
        path.startswith(r + "/") for r in WIDGET_ROOMS)


def check(root):
    widgets = widget_headers()
    faults = []
    for folder, _, files in os.walk(root):
        for name in sorted(files):
            if not SOURCE.search(name):
                continue
            full = os.path.join(folder, name)
            path = os.path.relpath(full, root).replace(os.sep, "/")
            room = room_of(path)
            rank = layer_of(room)
            with open(full, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    kind, target = m.groups()
                    where = f"{path}:{number}"
                    if kind == "<":
                        header = target.split("/")[-1]
                        if header in widgets and not is_widget_side(path, room):
                            faults.append(f"{where}: engine code includes the widget header <{target}>")
                        for pattern, owner in ONE_ROOM:
                            if pattern.match(target) and room != owner:
                                faults.append(f"{where}: <{target}> is used only in {owner}")
                        continue
                    if not os.path.exists(os.path.join(root, target)):
                        continue  # a header beside the file or generated
                    other = room_of(target)
                    if other == room or rank is None:
                        continue
                    other_rank = layer_of(other)
                    if other_rank is None:
                        continue
                    if other_rank > rank:
                        faults.append(f"{where}: upwards, {room} includes {other} (\"{target}\")")
                    elif other_rank == rank and other not in SIDEWAYS.get(room, set()) \
                            and not (room == "platform/controls/widgets" and other == "platform/controls"):
                        faults.append(f"{where}: sideways, {room} includes {other} (\"{target}\"), which the plan does not list")
                    elif other in NOT_BELOW.get(room, set()):
                        faults.append(f"{where}: {room} may not use {other} (\"{target}\")")
    return faults


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "Source_Code")
    if not os.path.isdir(root):
        print(f"check-plan: no source folder {root}", file=sys.stderr)
        return 2
    faults = check(root)
    for fault in faults:
        print(fault)
    if faults:
        print(f"check-plan: {len(faults)} include(s) against the plan in ARCHITECTURE.md", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
