#!/usr/bin/env python3
"""The plan check passes on the tree and fails, naming the line, on each kind of fault
added to a temporary copy of it."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
SCRIPT = os.path.join(REPO, "scripts", "check-plan.py")


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

    def test_the_tree_follows_the_plan(self):
        code, out = run(self.root)
        self.assertEqual((code, out), (0, ""))

    def test_each_fault_fails_the_check_at_its_line(self):
        cases = [
            # file, line added, what the report says
            ("platform/text/NumberText.cpp", '#include "app/items/DFDRecord.h"',
             "upwards, platform/text includes app/items"),
            ("app/items/DFDRecord.cpp", '#include "app/link/LinkContext.h"',
             "upwards, app/items includes app/link"),
            ("control/Verbolt.cpp", '#include "app/items/ItemStore.h"',
             "upwards, control includes app/items"),
            ("app/link/StatusRead.cpp", '#include "app/display/AScanScene.h"',
             "sideways, app/link includes app/display"),
            ("platform/office/graph/ChartModel.h", '#include "platform/office/ado/Recordset.h"',
             "sideways, platform/office/graph includes platform/office/ado"),
            ("platform/settings/SettingsStore.cpp", '#include "platform/automation/AutomationError.h"',
             "platform/settings may not use platform/automation"),
            ("app/link/StatusRead.cpp", "#include <QDialog>", "engine code includes the widget header <QDialog>"),
            ("platform/office/word/DocumentFiles.cpp", "#include <QPrinter>",
             "engine code includes the widget header <QPrinter>"),
            ("app/mainwindow/ReportWiring.cpp", "#include <QPrintDialog>", "<QPrintDialog> is used only in platform/printing"),
            ("app/display/AScanClipboard.cpp", "#include <QClipboard>", "<QClipboard> is used only in platform/clipboard"),
        ]
        for path, line, reason in cases:
            with self.subTest(path=path, line=line):
                full = os.path.join(self.root, path)
                if not os.path.exists(full):
                    # The file moved: any file of that folder takes the include.
                    folder = os.path.dirname(full)
                    full = os.path.join(folder, sorted(f for f in os.listdir(folder) if f.endswith(".cpp"))[0])
                with open(full, encoding="utf-8") as f:
                    original = f.read()
                lines = original.split("\n")
                lines.insert(1, line)  # after the first line, so it is line 2
                try:
                    with open(full, "w", encoding="utf-8") as f:
                        f.write("\n".join(lines))
                    code, out = run(self.root)
                finally:
                    with open(full, "w", encoding="utf-8") as f:
                        f.write(original)
                rel = os.path.relpath(full, self.root)
                self.assertEqual(code, 1, out)
                self.assertIn(f"{rel}:2: {reason}", out)
                # Only the added line is at fault.
                self.assertTrue(all(l.startswith(f"{rel}:2: ") for l in out.splitlines()), out)


if __name__ == "__main__":
    unittest.main()
