#!/usr/bin/env python3
"""Builds the language files data/Language/<Name>.ini from the readable sources <Name>.lang.

Language files are UTF-16 little-endian with CR LF line ends, read by the program's INI loader:
a key line is "key = value"; the loader drops spaces inside keys (after the first line) and
cannot keep "=" or "[" in a value, so both are refused here. The file starts with a byte-order
mark and a section line that nothing looks up (the mark becomes part of that first name).

Every language must define exactly the keys listed in keys.txt (the master list, as the loader
sees them: spaces removed). Run with --write-keys to rebuild keys.txt from English.lang.
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent.parent / "data" / "Language"
FIRST_SECTION = "[Fingerwaltz]"


def parse(path):
    """Returns a list of ('section', name) and ('key', key, value) items."""
    items, seen = [], {}
    for n, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip()
        if not line or line.startswith("#"):
            continue
        where = f"{path.name}:{n}"
        if line.startswith("["):
            if not line.endswith("]") or "]" in line[1:-1]:
                sys.exit(f"{where}: bad section line")
            items.append(("section", line))
            continue
        if "\t" not in line:
            sys.exit(f"{where}: expected key<TAB>text")
        key, value = line.split("\t", 1)
        value = value.strip()
        if not key or any(c in key for c in "=[]\t"):
            sys.exit(f"{where}: bad key {key!r}")
        if not value:
            sys.exit(f"{where}: empty text for {key}")
        if "=" in value or "[" in value:
            sys.exit(f"{where}: '=' and '[' cannot appear in a text ({key})")
        loaded = key.replace(" ", "")
        if loaded in seen:
            sys.exit(f"{where}: key {loaded} already defined on line {seen[loaded]}")
        seen[loaded] = n
        items.append(("key", key, value))
    return items


def loaded_keys(items):
    return [i[1].replace(" ", "") for i in items if i[0] == "key"]


def write_ini(items, target):
    lines = [FIRST_SECTION]
    for item in items:
        if item[0] == "section":
            lines.append(item[1])
        else:
            lines.append(f"{item[1]} = {item[2]}")
    text = "\ufeff" + "\r\n".join(lines) + "\r\n"
    data = text.encode("utf-16-le")
    if len(data) > 64000:
        sys.exit(f"{target.name}: {len(data)} bytes; the loader reads only 64,000")
    tmp = target.with_suffix(".tmp")
    tmp.write_bytes(data)
    tmp.replace(target)


def main():
    master_path = HERE / "keys.txt"
    english = parse(HERE / "English.lang")
    if "--write-keys" in sys.argv:
        master_path.write_text(
            "# Master list of interface text keys (as the loader reads them).\n"
            "# Every language file must define each of them exactly once.\n"
            + "\n".join(loaded_keys(english)) + "\n", encoding="utf-8")
    master = [l for l in master_path.read_text(encoding="utf-8").splitlines() if l and not l.startswith("#")]
    OUT.mkdir(parents=True, exist_ok=True)
    for src in sorted(HERE.glob("*.lang")):
        items = parse(src)
        if src.stem != "All_Lang_Names":
            keys = loaded_keys(items)
            missing = sorted(set(master) - set(keys))
            extra = sorted(set(keys) - set(master))
            if missing or extra:
                sys.exit(f"{src.name}: missing {missing} extra {extra}")
        write_ini(items, OUT / (src.stem + ".ini"))
        print(f"wrote {OUT / (src.stem + '.ini')}")


if __name__ == "__main__":
    main()
