#!/usr/bin/env python3
"""The plan check passes on the tree, fails, naming the line, on each kind of fault added to a
temporary copy of it, and passes each use the plan allows."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
SCRIPT = os.path.join(REPO, "scripts", "check-plan.py")

# file, line added as its line 2, what the report says, where the report puts it (None: file:2).
# A file that does not exist is made for the case, with its folders.
FAULTS = [
    # Upwards, whichever way the include is spelled.
    ("platform/text/NumberText.cpp", '#include "app/items/DFDRecord.h"',
     "upwards, platform/text includes app/items", None),
    ("app/items/DFDRecord.cpp", '#include "app/link/LinkContext.h"',
     "upwards, app/items includes app/link", None),
    ("app/items/DFDRecord.cpp", '#include "../mainwindow/frmmain.h"',
     "upwards, app/items includes app/mainwindow", None),
    ("app/items/DFDRecord.cpp", "#include <app/mainwindow/frmmain.h>",
     "upwards, app/items includes app/mainwindow", None),
    ("app/items/DFDRecord.cpp", '#include "../../../tools/instrument-sim/Simulator.h"',
     "reaches outside the source tree", None),
    # Uses the plan does not list.
    ("app/items/DFDRecord.cpp", '#include "control/Verbolt.h"', "app/items may not use control", None),
    ("app/link/StatusRead.cpp", '#include "control/Verbolt.h"', "app/link may not use control", None),
    ("app/link/StatusRead.cpp", '#include "app/display/AScanScene.h"',
     "app/link may not use app/display", None),
    ("app/resources/tovu_logo.cpp", '#include "platform/text/NumberText.h"',
     "app/resources may not use platform/text", None),
    ("control/Verbolt.cpp", '#include "app/items/ItemStore.h"', "control may not use app/items", None),
    ("control/Verbolt.cpp", '#include "SatelliteDLL/StringTable.h"', "control may not use SatelliteDLL", None),
    ("SatelliteDLL/StringTable.c", '#include "platform/text/NumberText.h"',
     "SatelliteDLL may not use platform/text", None),
    ("SatelliteDLL/StringTable.c", "#include <QString>",
     "a language library includes <QString>, which is not a standard header", None),
    ("platform/office/graph/ChartModel.h", '#include "platform/office/ado/Recordset.h"',
     "platform/office/graph may not use platform/office/ado", None),
    ("platform/settings/SettingsStore.cpp", '#include "platform/automation/AutomationError.h"',
     "platform/settings may not use platform/automation", None),
    # Sub-rooms: each on its parent's uses, and no engine on a window room.
    ("app/display/widgets/AScanWidget.cpp", '#include "app/link/Connection.h"',
     "app/display/widgets may not use app/link", None),
    ("app/reports/widgets/ReportFrame.cpp", '#include "app/link/Connection.h"',
     "app/reports/widgets may not use app/link", None),
    ("app/link/forms/TransferForm.cpp", '#include "app/display/AScanDisplay.h"',
     "app/link/forms may not use app/display", None),
    ("app/display/AScanDisplay.cpp", '#include "app/display/widgets/AScanWidget.h"',
     "engine code includes the window code \"app/display/widgets/AScanWidget.h\"", None),
    ("app/reports/CopyOptions.cpp", '#include "platform/printing/SystemPrinting.h"',
     "engine code includes the window code \"platform/printing/SystemPrinting.h\"", None),
    # Qt: widgets in engine code, and the facilities with one room.
    ("app/link/StatusRead.cpp", "#include <QDialog>", "engine code includes the widget header <QDialog>", None),
    ("app/items/DFDRecord.cpp", "#include <QtWidgets/qlabel.h>",
     "engine code includes the widget header <QtWidgets/qlabel.h>", None),
    ("platform/office/word/DocumentFiles.cpp", "#include <QPrinter>",
     "engine code includes the widget header <QPrinter>", None),
    ("app/mainwindow/ReportWiring.cpp", "#include <QPrintDialog>", "<QPrintDialog> is used only in platform/printing", None),
    ("app/mainwindow/ReportWiring.cpp", "#include <QtPrintSupport>",
     "<QtPrintSupport> is used only in platform/printing", None),
    ("app/display/AScanDisplay.cpp", "#include <QClipboard>", "<QClipboard> is used only in platform/clipboard", None),
    ("app/mainwindow/frmmain.cpp", "#include <QDesktopServices>",
     "<QDesktopServices> is used only in platform/help", None),
    # Folders: every one is a room of the plan.
    ("app/sensors/Probe.cpp", '#include "app/items/DFDRecord.h"',
     "a folder the plan gives no room", "app/sensors/"),
    ("app/Probe.cpp", '#include "app/items/DFDRecord.h"', "which only groups rooms", "app/Probe.cpp"),
]

# Uses the plan allows, spelled in each way: the check must not refuse them.
ALLOWED = [
    ("app/link/forms/TransferForm.cpp", '#include "../../items/DFDRecord.h"'),
    ("app/reports/widgets/ReportFrame.cpp", "#include <app/display/AScanColours.h>"),
    ("app/reports/CopyOptions.cpp", '#include "app/resources/StringIds.h"'),
    ("app/items/DFDRecord.cpp", "#include <QAction>"),
    ("app/mainwindow/frmmain.cpp", '#include "platform/controls/widgets/WidgetControls.h"'),
    ("platform/controls/widgets/WidgetControls.cpp", '#include "platform/automation/Variant.h"'),
    ("SatelliteDLL/StringTable.c", "#include <stdio.h>"),
]


def run(root):
    p = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
    return p.returncode, p.stdout


class CheckPlan(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = os.path.join(cls.tmp.name, "Source_Code")
        shutil.copytree(os.path.join(REPO, "Source_Code"), cls.root,
                        ignore=shutil.ignore_patterns("*.txt", "*.bmp", "*.ico", "*.png"))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def run_with_line(self, path, line):
        """Runs the check with line inserted as line 2 of path; returns (status, report, file)."""
        full = os.path.join(self.root, path)
        made = []
        if not os.path.exists(full):
            folder = os.path.dirname(full)
            if os.path.isdir(folder) and any(f.endswith(".cpp") for f in os.listdir(folder)) \
                    and os.path.relpath(folder, self.root) not in ("app", "platform"):
                # The file moved: any file of that folder takes the include.
                full = os.path.join(folder, sorted(f for f in os.listdir(folder) if f.endswith(".cpp"))[0])
            else:
                while not os.path.isdir(folder):
                    made.append(folder)
                    folder = os.path.dirname(folder)
                os.makedirs(os.path.dirname(full), exist_ok=True)
                made.insert(0, full)
                with open(full, "w", encoding="utf-8") as f:
                    f.write("// a probe\n")
        with open(full, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        lines.insert(1, line)
        try:
            with open(full, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            code, out = run(self.root)
        finally:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original)
            for made_path in made:
                (os.remove if os.path.isfile(made_path) else os.rmdir)(made_path)
        return code, out, os.path.relpath(full, self.root)

    def test_the_tree_follows_the_plan(self):
        code, out = run(self.root)
        self.assertEqual((code, out), (0, ""))

    def test_each_fault_fails_the_check_at_its_place(self):
        for path, line, reason, at in FAULTS:
            with self.subTest(path=path, line=line):
                code, out, rel = self.run_with_line(path, line)
                place = at if at is not None else f"{rel}:2"
                self.assertEqual(code, 1, out)
                self.assertTrue(any(l.startswith(f"{place}: ") and reason in l for l in out.splitlines()), out)
                # Only the added line (or the new folder) is at fault.
                self.assertTrue(all(l.startswith(f"{place}: ") for l in out.splitlines()), out)

    def test_each_use_the_plan_allows_passes(self):
        for path, line in ALLOWED:
            with self.subTest(path=path, line=line):
                code, out, _ = self.run_with_line(path, line)
                self.assertEqual((code, out), (0, ""))


if __name__ == "__main__":
    unittest.main()
