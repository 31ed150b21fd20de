#!/usr/bin/env python3
"""Checks the house plan (ARCHITECTURE.md) against the folders and #include lines under Source_Code/.

Every folder is a room of the plan, one of its data folders, or a folder that only groups rooms;
every include, quoted (beside the file or from the source root) or angle-bracketed, is resolved
to the room it reaches. Fails (exit status 1, one line per fault) on
  - a folder the plan does not name, or a source file in a folder that only groups rooms;
  - an include of a room the including room may not use (upwards, or not among its uses);
  - engine code including Qt Widgets, Qt's print support, or a window room or adapter of the tree;
  - a Qt facility used outside the one room that stands in for it;
  - a language library including more than standard headers.
Usage: check-plan.py [SOURCE_ROOT]   (default: Source_Code beside this script's folder)
"""

import os
import re
import sys

# The platform stand-ins in layers, lowest first. A stand-in may use the stand-ins of lower
# layers and those of its own layer that SIDEWAYS lists for it, but not what NOT_BELOW rules out.
PLATFORM_LAYERS = [
    ["platform/files"],  # the one atomic write, below every writer
    ["platform/automation", "platform/locale", "platform/zip"],
    ["platform/text", "platform/settings", "platform/serial", "platform/metafile", "platform/clipboard",
     "platform/printing", "platform/help", "platform/controls", "platform/inet",
     "platform/spelling", "platform/office/xml", "platform/office/ado", "platform/office/graph",
     "platform/office/word", "platform/office/excel"],
]
SIDEWAYS = {
    "platform/serial": {"platform/settings"},        # the user's port mapping
    "platform/office/word": {"platform/office/ado", "platform/office/graph", "platform/metafile",
                             "platform/spelling", "platform/printing"},
}
NOT_BELOW = {
    "platform/settings": {"platform/automation"},  # its errors are its own
}

PLATFORM = "platform"  # in USES: every stand-in of the platform, its window adapters included

# The rooms above the platform and what each may use. A use carries what the used room may
# use: link on items is link on resources and on the platform too.
USES = {
    "SatelliteDLL": set(),                  # standard headers only (and HEADER_USES)
    "control": {PLATFORM},                  # the stand-ins only, never app/
    "app/resources": {"SatelliteDLL"},      # data only: its table in the libraries' format
    "app/items": {"app/resources", PLATFORM},
    "app/link": {"app/items"},
    "app/display": {"app/items"},
    "app/reports": {"app/items", "app/display"},
    "app/mainwindow": {"app/resources", "app/items", "app/link", "app/link/forms", "app/display",
                       "app/display/widgets", "app/reports", "app/reports/widgets", PLATFORM},
}

# Sub-rooms hold the windows of an engine room: each may use its parent and what the parent may use.
SUB_ROOMS = {
    "app/link/forms": "app/link",
    "app/display/widgets": "app/display",
    "app/reports/widgets": "app/reports",
    "platform/controls/widgets": "platform/controls",
}

# Single headers a room may include beyond its uses: the language libraries serve the
# in-process server interface, which is plain C declarations.
HEADER_USES = {
    "SatelliteDLL": {"platform/automation/InProcServer.h"},
}

# Folders that belong to a room without being rooms: the language libraries' locale tables.
DATA_FOLDERS = {f"SatelliteDLL/{locale}": "SatelliteDLL" for locale in
                ("German", "EnglishUS", "Finnish", "Spanish", "French", "Russian", "EnglishUK")}

# Folders that only group rooms; they hold build files, no source.
GROUPING_FOLDERS = {"", "app", "platform", "platform/office"}

# Where widgets may be used: the window rooms and the window adapters of the stand-ins.
# Nothing else includes them, so engine code stays free of widgets through the tree too.
WIDGET_ROOMS = {"app/mainwindow", "control", *SUB_ROOMS}
WIDGET_FILES = {
    "platform/spelling/SpellingWindow.h", "platform/spelling/SpellingWindow.cpp",
    "platform/office/word/ViewerWindow.h", "platform/office/word/ViewerWindow.cpp",
    "platform/printing/SystemPrinting.h", "platform/printing/SystemPrinting.cpp",
}

QT_INCLUDE_DIRS = ["/usr/include/x86_64-linux-gnu/qt6", "/usr/include/qt6"]


def qt_headers(module):
    names = set()
    for base in QT_INCLUDE_DIRS:
        folder = os.path.join(base, module)
        if os.path.isdir(folder):
            names.update(os.listdir(folder))
    return names


# Qt facilities with one room that stands in for them: the header's module and its names.
ONE_ROOM = [
    ("QtPrintSupport", None, "platform/printing"),
    ("QtGui", {"QClipboard", "qclipboard.h"}, "platform/clipboard"),
    ("QtGui", {"QDesktopServices", "qdesktopservices.h"}, "platform/help"),
]

# The C and C++ standard headers a language library may include.
C_HEADERS = {f"{h}.h" for h in (
    "assert complex ctype errno fenv float inttypes iso646 limits locale math setjmp signal "
    "stdalign stdarg stdatomic stdbool stddef stdint stdio stdlib stdnoreturn string tgmath "
    "threads time uchar wchar wctype").split()}
CXX_HEADER = re.compile(r"^[a-z_]+$")

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE = re.compile(r"\.(h|hpp|c|cc|cpp)$")


def platform_rooms():
    return [r for layer in PLATFORM_LAYERS for r in layer]


def direct_uses():
    """Each room and sub-room -> the rooms it names as uses (before carrying them on)."""
    uses = {}
    for rank, layer in enumerate(PLATFORM_LAYERS):
        lower = {r for below in PLATFORM_LAYERS[:rank] for r in below}
        for room in layer:
            uses[room] = (lower | SIDEWAYS.get(room, set())) - NOT_BELOW.get(room, set())
    every_stand_in = set(platform_rooms()) | {s for s in SUB_ROOMS if s.startswith("platform/")}
    for room, names in USES.items():
        uses[room] = set()
        for name in names:
            uses[room] |= every_stand_in if name == PLATFORM else {name}
    for sub, parent in SUB_ROOMS.items():
        uses[sub] = {parent}
    return uses


def carried_uses():
    """Each room -> every room it may use, with what those may use in turn."""
    direct = direct_uses()
    result = {}
    for room in direct:
        seen, todo = set(), list(direct[room])
        while todo:
            other = todo.pop()
            if other not in seen:
                seen.add(other)
                todo.extend(direct.get(other, ()))
        seen.discard(room)
        result[room] = seen
    return result


def room_of_folder(folder):
    """The room a folder (relative to the source root) is or belongs to; None for a grouping
    folder; the folder itself, unknown, when the plan does not name it."""
    if folder in GROUPING_FOLDERS:
        return None
    if folder in DATA_FOLDERS:
        return DATA_FOLDERS[folder]
    return folder


def is_project_path(target, top_folders):
    return target.split("/")[0] in top_folders


def is_widget_side(path, room):
    return room in WIDGET_ROOMS or path in WIDGET_FILES


class Checker:
    def __init__(self, root):
        self.root = root
        self.uses = carried_uses()
        self.known = set(self.uses)
        self.top_folders = {d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d))}
        self.top_folders |= {r.split("/")[0] for r in self.known}
        widgets = qt_headers("QtWidgets") | qt_headers("QtPrintSupport")
        # Names QtWidgets keeps for classes that moved to QtGui (qaction.h ...) are not widgets.
        self.widget_names = widgets - qt_headers("QtGui") - qt_headers("QtCore")
        self.one_room = [(module, names if names is not None else qt_headers(module), owner)
                         for module, names, owner in ONE_ROOM]
        self.faults = []

    def fault(self, where, text):
        self.faults.append(f"{where}: {text}")

    def check_folders(self):
        for folder, dirs, files in os.walk(self.root):
            dirs.sort()
            rel = os.path.relpath(folder, self.root).replace(os.sep, "/")
            rel = "" if rel == "." else rel
            room = room_of_folder(rel)
            if room is None:
                for name in sorted(files):
                    if SOURCE.search(name):
                        self.fault(f"{rel}/{name}".lstrip("/"),
                                   f"a source file in {rel or 'the source root'}, which only groups rooms")
            elif room not in self.known:
                self.fault(f"{rel}/", "a folder the plan gives no room (name it in ARCHITECTURE.md first)")

    def resolve(self, path, kind, target):
        """The path under the source root an include reaches, or None for a header outside the tree."""
        if kind == '"':
            beside = os.path.normpath(os.path.join(os.path.dirname(path), target)).replace(os.sep, "/")
            if os.path.isfile(os.path.join(self.root, beside)):
                return beside
            if ".." in target.split("/"):
                return beside  # relative upwards: its folder decides, whether or not the file exists
        if is_project_path(target, self.top_folders):
            return os.path.normpath(target).replace(os.sep, "/")
        return None

    def check_outside_header(self, where, path, room, target):
        module, _, name = target.rpartition("/")
        if (module in ("QtWidgets", "QtPrintSupport") or (not module and name in self.widget_names)) \
                and not is_widget_side(path, room):
            self.fault(where, f"engine code includes the widget header <{target}>")
        for owner_module, names, owner in self.one_room:
            if (module == owner_module or not module) and name in names and room != owner:
                self.fault(where, f"<{target}> is used only in {owner}")
        if room == "SatelliteDLL" and not (target in C_HEADERS or CXX_HEADER.match(target)):
            self.fault(where, f"a language library includes <{target}>, which is not a standard header")

    def check_include(self, where, path, room, kind, target):
        reached = self.resolve(path, kind, target)
        if reached is None:
            self.check_outside_header(where, path, room, target)
            return
        if reached.startswith("../"):
            self.fault(where, f"\"{target}\" reaches outside the source tree")
            return
        other = room_of_folder(os.path.dirname(reached))
        if other is None or other not in self.known:
            self.fault(where, f"\"{target}\" is in {os.path.dirname(reached) or 'the source root'}, "
                              "which the plan gives no room")
            return
        if is_widget_side(reached, other) and not is_widget_side(path, room):
            self.fault(where, f"engine code includes the window code \"{target}\" of {other}")
        if other == room or other in self.uses[room] or reached in HEADER_USES.get(room, set()):
            return
        if room in self.uses[other]:
            self.fault(where, f"upwards, {room} includes {other} (\"{target}\")")
        else:
            self.fault(where, f"{room} may not use {other} (\"{target}\")")

    def check_files(self):
        for folder, dirs, files in os.walk(self.root):
            dirs.sort()
            for name in sorted(files):
                if not SOURCE.search(name):
                    continue
                full = os.path.join(folder, name)
                path = os.path.relpath(full, self.root).replace(os.sep, "/")
                room = room_of_folder(os.path.dirname(path))
                if room is None or room not in self.known:
                    continue  # the folder's fault is reported once
                with open(full, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if m:
                            self.check_include(f"{path}:{number}", path, room, *m.groups())

    def run(self):
        self.check_folders()
        self.check_files()
        return self.faults


def check(root):
    return Checker(root).run()


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
        print(f"check-plan: {len(faults)} fault(s) against the plan in ARCHITECTURE.md", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
