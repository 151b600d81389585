#!/usr/bin/env python3
"""Writes the sample application image (raw bytes from physical 0x1D000000):
a start-up loop that toggles a port pin, its identification text, a data
table, an erased gap of four programming rows, and a second code block; and,
with a second file name, its boot-flash data (raw bytes from physical
0x1FC00000): the reset stub that jumps to the bootloader at 0x9D070000,
which starts the application. An upgrade writes the image's boot data over
the device's own stub; an image without boot data leaves the device's stub
in place."""
import math
import struct
import sys

words = [
    0x3C08BF88,  # lui   t0, 0xBF88         port registers
    0x35086100,  # ori   t0, t0, 0x6100
    0x24090001,  # li    t1, 1              pin 0
    0xAD09001C,  # loop: sw t1, 0x1C(t0)    toggle it
    0x3C0A0010,  # lui   t2, 0x0010         delay count
    0x254AFFFF,  # delay: addiu t2, t2, -1
    0x1540FFFE,  # bnez  t2, delay
    0x00000000,  # nop
    0x1000FFFA,  # b     loop
    0x00000000,  # nop
]
image = b"".join(struct.pack("<I", w) for w in words)
image += b"Ethernet Quenta sample application 1.0\0"
image += b"\0" * (-len(image) % 16)
# A 512-entry sine table of signed 16-bit samples.
image += b"".join(struct.pack("<h", round(32767 * math.sin(2 * math.pi * i / 512))) for i in range(512))
image += b"\0" * (-len(image) % 512)
image += b"\xFF" * 2048  # erased: four rows that are not programmed
second = [0x27BDFFE8, 0xAFBF0014, 0x0C400000, 0x00000000, 0x8FBF0014, 0x03E00008, 0x27BD0018]
image += b"".join(struct.pack("<I", w) for w in second * 36)

with open(sys.argv[1], "wb") as f:
    f.write(image)

reset_stub = [
    0x3C1A9D07,  # lui   k0, 0x9D07         the bootloader's start
    0x375A0000,  # ori   k0, k0, 0x0000
    0x03400008,  # jr    k0
    0x00000000,  # nop
]
if len(sys.argv) > 2:
    with open(sys.argv[2], "wb") as f:
        f.write(b"".join(struct.pack("<I", w) for w in reset_stub))
