#!/usr/bin/env python3
"""Writes the keyboard files (".kbd") from readable descriptions.

Each description (type1.txt, ...) holds a line "name <keyboard name>" and one key per line:
scan code, width, height, type, shift role, finger (anything after the sixth field is a
comment). Lines starting with '#' are comments. The file goes to <out>/<name>.kbd.

File form (all words UInt16, little-endian): keyboard version 1, list version 1, name
(UInt16 length + UTF-16 units), key count, then per key: version 1, scan code, width, height,
type, shift role, finger, empty spare text (UInt16 0).
"""
import argparse
import os
import struct
import sys

ROW_END = 4


def parse(path):
    name = None
    keys = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("name "):
                name = line[5:].strip()
                continue
            fields = line.split()
            if len(fields) < 6:
                sys.exit(f"{path}:{number}: six fields expected")
            code, width, height, ktype, shift, finger = (int(v, 0) for v in fields[:6])
            if not (0 <= code <= 0xFF and 0 <= width <= 0xFFFF and 0 <= height <= 0xFFFF):
                sys.exit(f"{path}:{number}: value out of range")
            if shift > 4 or finger > 5:
                sys.exit(f"{path}:{number}: shift role 0-4, finger 0-5")
            keys.append((code, width, height, ktype, shift, finger))
    if not name:
        sys.exit(f"{path}: no name line")
    check(path, keys)
    return name, keys


def check(path, keys):
    """The keyboard program relies on these; refuse a description that breaks them."""
    codes = [k[0] for k in keys]
    roles = [k[4] for k in keys]
    if not keys or keys[-1][3] != ROW_END:
        sys.exit(f"{path}: the last key must be a row end (type 4)")
    for needed in (0x21, 0x24):
        if needed not in codes:
            sys.exit(f"{path}: home key 0x{needed:02X} missing")
    if 3 not in roles or 4 not in roles:
        sys.exit(f"{path}: both Shift keys (roles 3 and 4) are needed")


def encode(name, keys):
    out = bytearray()
    us = lambda v: out.extend(struct.pack("<H", v))
    us(1)  # keyboard version
    us(1)  # key list version
    units = name.encode("utf-16-le")
    us(len(units) // 2)
    out.extend(units)
    us(len(keys))
    for code, width, height, ktype, shift, finger in keys:
        for v in (1, code, width, height, ktype, shift, finger, 0):
            us(v)
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("descriptions", nargs="*",
                    default=[os.path.join(here, f"type{i}.txt") for i in (1, 2, 3)])
    ap.add_argument("--out", default=os.path.join(here, "..", "..", "data", "Data"))
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for path in args.descriptions:
        name, keys = parse(path)
        target = os.path.join(args.out, name + ".kbd")
        with open(target, "wb") as f:
            f.write(encode(name, keys))
        print(f"{target}: {len(keys)} keys")


if __name__ == "__main__":
    main()
