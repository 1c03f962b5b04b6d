#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The copyright notice and the licence a TrueType font carries in its own
# name table (DejaVu's includes the Arev fonts' licence, which Debian's
# copyright file leaves out).
# Usage: font-licence.py FONT.ttf
import struct
import sys

data = open(sys.argv[1], "rb").read()
tables = {}
for i in range(struct.unpack(">H", data[4:6])[0]):
    tag, _, offset, length = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
    tables[tag] = offset
base = tables[b"name"]
_, count, strings = struct.unpack(">HHH", data[base:base + 6])
texts = {}
for i in range(count):
    platform, _, language, name, length, offset = struct.unpack(">HHHHHH", data[base + 6 + 12 * i:base + 18 + 12 * i])
    # Windows, English (US): UTF-16 big-endian.
    if platform == 3 and language == 0x409 and name in (0, 13):
        start = base + strings + offset
        texts[name] = data[start:start + length].decode("utf-16-be")
if 0 not in texts or 13 not in texts:
    sys.exit(f"{sys.argv[1]}: no copyright or licence in its name table")
print(texts[0].strip() + "\n\n" + texts[13].strip())
