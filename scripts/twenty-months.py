#!/usr/bin/env python3
"""Writes the start-up benchmarks' data files into a folder: December 2000 to July 2002 (20 months),
square days, English, and every day of it marked in light grey.

    python3 scripts/twenty-months.py FOLDER
"""

import struct
import sys

SETTINGS_ID = 424242

folder = sys.argv[1]
with open(folder + "/settings.log", "wb") as f:
    f.write(struct.pack("<8i", 12, 7, 1, 3, 1, 20, 5, SETTINGS_ID))
with open(folder + "/mark.log", "wb") as f:
    for slot in range(1, 21):
        for day in range(1, 32):
            f.write(struct.pack("<6h2i2hI", 0, 0, 0, 0, 0, 0, 1, SETTINGS_ID, slot, day, 0x00C0C0C0))
