#!/usr/bin/env python3
"""Copies one language's help pages into the compile folder, writing every character
outside ASCII as a numeric character reference: help viewers read the pages in the code
page of the help file's language, whatever the pages declare."""
import pathlib
import shutil
import sys

source, common_css, target = (pathlib.Path(a) for a in sys.argv[1:4])
if target.exists():
    shutil.rmtree(target)
target.mkdir(parents=True)
for path in sorted(source.iterdir()):
    if path.suffix in (".html", ".hhc", ".hhk"):
        text = path.read_text(encoding="utf-8")
        (target / path.name).write_text(
            "".join(c if ord(c) < 128 else f"&#{ord(c)};" for c in text), encoding="ascii")
    else:
        shutil.copy(path, target / path.name)
shutil.copy(common_css, target / "help.css")
