#!/usr/bin/env python3
"""Joins Intel HEX files into one: the records of each file in order, one
end-of-file record at the end. Usage: join_hex.py OUTPUT INPUT..."""
import sys

END = ":00000001FF"
out = []
for name in sys.argv[2:]:
    with open(name) as f:
        out += [line.strip() for line in f if line.strip() and line.strip().upper() != END]
with open(sys.argv[1], "w") as f:
    f.write("\n".join(out + [END]) + "\n")
