#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Every distinct copyright notice in a library's source files, each once,
# followed by the files that carry it: a library's COPYING may name one
# author while files it took from others keep their own notices, which a
# release must ship too.
# Usage: notices.py TITLE SOURCE_DIR > NOTICES.txt
import os
import re
import sys

title, top = sys.argv[1], sys.argv[2]
comment = re.compile(r"/\*.*?\*/|(?://[^\n]*\n)+", re.S)
found = {}
for folder, _, names in sorted(os.walk(top)):
    for name in sorted(names):
        if not name.endswith((".c", ".cc", ".cpp", ".cxx", ".h", ".hpp")):
            continue
        path = os.path.join(folder, name)
        with open(path, encoding="utf-8", errors="replace") as f:
            text = f.read()
        for block in comment.findall(text):
            if not re.search(r"copyright|\(c\) \d{4}", block, re.I):
                continue
            lines = [re.sub(r"^\s*(/\*+|\*+/|\*|//)?", "", line).rstrip() for line in block.splitlines()]
            lines = [re.sub(r"\*+/$", "", line).rstrip() for line in lines]
            while lines and not lines[0].strip():
                lines.pop(0)
            while lines and not lines[-1].strip():
                lines.pop()
            found.setdefault("\n".join(lines), []).append(os.path.relpath(path, top))
print(f"{title}: every copyright notice in its source files, each followed by the files that carry it.\n")
for notice, paths in found.items():
    print("=" * 72)
    print(notice)
    print(f"\n(in {', '.join(paths)})\n")
