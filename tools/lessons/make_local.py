#!/usr/bin/env python3
"""Writes the layout-dependent lessons (Syllable, Words, Text, Addition) as 8-bit text files.

Sources: src/<folder>/<Section>/<file name>.txt in UTF-8, one lesson per file, wrapped freely.
Output:  <lesson root>/LocalLanguage/<folder>/<Section>/<file name>.txt in the layout's code
page, as one line (the program turns every line break into a space anyway).

Usage: make_local.py [lesson root]   (default: data/Lessons of this tree)
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, 'src')
DEFAULT_ROOT = os.path.normpath(os.path.join(HERE, '..', '..', 'data', 'Lessons'))

# Folder below LocalLanguage, code page of its files, characters typeable on the layout
# without AltGr or dead keys (None: anything the code page holds).
LATIN_BASE = set(' abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789')
GERMAN = LATIN_BASE | set('äöüßÄÖÜ.,;:!?"\'()-/%&=+*#§$')
RUSSIAN = set(' 0123456789.,;:!?"()-/%*_+=№') | set(
    'абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ')
FOLDERS = [
    ('En', 'cp1252', None),
    ('00000407', 'cp1252', GERMAN),
    ('00000419', 'cp1251', RUSSIAN),
]
SECTIONS = ['Syllable', 'Words', 'Text', 'Addition']
LIMIT = 63999  # bytes the program reads of a lesson


def lesson_text(path):
    with open(path, encoding='utf-8') as f:
        lines = [line.strip() for line in f.read().splitlines()]
    return ' '.join(line for line in lines if line)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_ROOT
    failures = 0
    for folder, codepage, allowed in FOLDERS:
        for section in SECTIONS:
            src_dir = os.path.join(SRC, folder, section)
            if not os.path.isdir(src_dir):
                continue
            out_dir = os.path.join(root, 'LocalLanguage', folder, section)
            os.makedirs(out_dir, exist_ok=True)
            for old in os.listdir(out_dir):
                if old.endswith('.txt'):
                    os.remove(os.path.join(out_dir, old))
            names = sorted(n for n in os.listdir(src_dir) if n.endswith('.txt'))
            for name in names:
                if not name.isascii():
                    print(f'{folder}/{section}/{name}: file names stay ASCII')
                    failures += 1
                text = lesson_text(os.path.join(src_dir, name))
                if allowed is not None:
                    odd = sorted(set(text) - allowed)
                    if odd:
                        print(f'{folder}/{section}/{name}: not typeable here: {"".join(odd)}')
                        failures += 1
                try:
                    data = text.encode(codepage)
                except UnicodeEncodeError as e:
                    print(f'{folder}/{section}/{name}: {e}')
                    failures += 1
                    continue
                if not data or len(data) > LIMIT:
                    print(f'{folder}/{section}/{name}: {len(data)} bytes')
                    failures += 1
                    continue
                with open(os.path.join(out_dir, name), 'wb') as f:
                    f.write(data)
            print(f'{folder}/{section}: {len(names)} lessons')
    # The English user folder ships empty. Git keeps no empty folder, so a marker file stays
    # in it; the user library only lists "*.txt" there, so the marker never shows up.
    user = os.path.join(root, 'LocalLanguage', 'En', 'User')
    os.makedirs(user, exist_ok=True)
    with open(os.path.join(user, '.keep'), 'wb'):
        pass
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
