#!/usr/bin/env python3
"""Writes a form description with a picture stored in it, as the form
designer stores pictures, in lines of 32 bytes:
- for an image component (CLASS TJPEGImage or TBitmap): the picture file's
  bytes become its Picture.Data (the graphic class's name, length-prefixed,
  then the picture's size as 32 bits and its bytes);
- for an image list (CLASS TImageList): the bitmap file of its images side
  by side becomes its Bitmap.

Usage: embed_picture.py FORM.dfm COMPONENT CLASS PICTURE OUTPUT.dfm"""
import struct
import sys


def main():
    if len(sys.argv) != 6:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    form, component, graphic, picture, output = sys.argv[1:]
    with open(picture, "rb") as f:
        image = f.read()
    if graphic == "TImageList":
        owner, prop, data = "TImageList", "Bitmap", image
    else:
        owner, prop = "TImage", "Picture.Data"
        data = bytes([len(graphic)]) + graphic.encode() + struct.pack("<I", len(image)) + image
    lines = open(form).read().splitlines()
    start = next((i for i, l in enumerate(lines) if l.strip() == f"object {component}: {owner}"), None)
    if start is None:
        print(f"embed_picture.py: {form} has no {owner} component {component}", file=sys.stderr)
        return 1
    indent = lines[start][: len(lines[start]) - len(lines[start].lstrip())] + "  "
    end = next(i for i in range(start, len(lines)) if lines[i] == indent[:-2] + "end")
    hex_text = data.hex().upper()
    block = [indent + prop + " = {"]
    block += [indent + "  " + hex_text[i:i + 64] for i in range(0, len(hex_text), 64)]
    block[-1] += "}"
    lines[end:end] = block
    with open(output, "w") as f:
        f.write("\n".join(lines) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
