#!/usr/bin/env python3
"""Reads what the shell shows of a Windows program file, for the installation check:

    pe_info.py icons FILE      one line per image of the first icon group: width and SHA-1
    pe_info.py version FILE    the version block's strings, one "Name=value" per line

Standard library only; reads the resource section of a PE file (32 or 64 bit).
"""
import hashlib
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16


class Resources:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        if data[pe:pe + 4] != b'PE\0\0':
            raise ValueError('not a PE file')
        sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from('<H', data, optional)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.rva = struct.unpack_from('<I', data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, va, raw_size, raw = struct.unpack_from('<IIII', data, table + 40 * i + 8)
            self.sections.append((va, max(size, raw_size), raw))
        self.base = self.offset(self.rva)

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError('address outside the sections')

    def entries(self, directory):
        """(id or name offset, is directory, offset) of a resource directory's entries."""
        named, ids = struct.unpack_from('<12xHH', self.data, self.base + directory)
        out = []
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', self.data, self.base + directory + 16 + 8 * i)
            out.append((name, bool(target & 0x80000000), target & 0x7FFFFFFF))
        return out

    def items(self, kind):
        """{resource id: data} of one type (the first language of each)."""
        found = {}
        for name, is_dir, target in self.entries(0):
            if name != kind or not is_dir:
                continue
            for rid, rdir, rtarget in self.entries(target):
                languages = self.entries(rtarget) if rdir else []
                if not languages:
                    continue
                rva, size = struct.unpack_from('<II', self.data, self.base + languages[0][2])
                start = self.offset(rva)
                found[rid] = self.data[start:start + size]
        return found


def icons(res):
    groups = res.items(RT_GROUP_ICON)
    images = res.items(RT_ICON)
    if not groups:
        return []
    group = groups[min(groups)]
    count = struct.unpack_from('<4xH', group, 0)[0]
    lines = []
    for i in range(count):
        width, _, _, _, _, _, _, image_id = struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i)
        lines.append('%d %s' % (width or 256, hashlib.sha1(images.get(image_id, b'')).hexdigest()))
    return lines


def version(res):
    blocks = res.items(RT_VERSION)
    if not blocks:
        return []
    data = next(iter(blocks.values()))
    lines = []

    def walk(at, end, depth):
        while at + 6 <= end:
            length, value_length, kind = struct.unpack_from('<HHH', data, at)
            if length == 0:
                break
            key_end = at + 6
            while data[key_end:key_end + 2] != b'\0\0':
                key_end += 2
            key = data[at + 6:key_end].decode('utf-16-le')
            value = (key_end + 2 + 3) & ~3
            if depth == 2 and kind == 1:
                text = data[value:value + 2 * value_length].decode('utf-16-le').rstrip('\0')
                lines.append('%s=%s' % (key, text))
            elif key in ('VS_VERSION_INFO', 'StringFileInfo') or depth == 1:
                child = value + (value_length if key == 'VS_VERSION_INFO' else 0)
                walk((child + 3) & ~3, at + length, depth + (0 if key == 'VS_VERSION_INFO' else 1))
            at = (at + length + 3) & ~3

    walk(0, len(data), 0)
    return lines


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ('icons', 'version'):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(sys.argv[2], 'rb') as f:
        res = Resources(f.read())
    for line in (icons if sys.argv[1] == 'icons' else version)(res):
        print(line)
    return 0


if __name__ == '__main__':
    sys.exit(main())
