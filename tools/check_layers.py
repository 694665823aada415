#!/usr/bin/env python3
"""Fails when a source file includes from a folder on a higher floor.

The program's folders are floors: each may use its own floor and those
below it, never one above, so the folders alone show which way the
dependencies run. Tests, benchmarks and tools sit outside the house and may
include anything.
"""
import pathlib
import re
import sys

FLOORS = [
    ["platform", "keybhook"],
    ["settings", "ui", "sound"],
    ["tray", "schemes", "prefs", "options", "about"],
    ["app", "decoder"],
]

# (including file, included file) -> why the upward include is accepted.
EXCEPTIONS = {}

FLOOR_OF = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def upward_includes(root):
    for path in sorted(root.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".rc"):
            continue
        relative = path.relative_to(root)
        folder = relative.parts[0]
        if folder not in FLOOR_OF:
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = included.split("/")[0]
            if target in FLOOR_OF and FLOOR_OF[target] > FLOOR_OF[folder]:
                yield relative.as_posix(), included


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    faults = 0
    for source, included in upward_includes(root):
        reason = EXCEPTIONS.get((source, included))
        if reason:
            print(f"accepted: {source} includes {included}: {reason}")
        else:
            print(f"upward include: {source} includes {included}")
            faults += 1
    print(f"include direction: {faults} upward include(s), {len(EXCEPTIONS)} accepted exception(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
