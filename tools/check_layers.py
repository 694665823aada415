#!/usr/bin/env python3
"""Fails when a source file includes from a folder on a higher floor, or
from another folder on its own floor without a listed reason.

The program's folders are floors: each may use its own folder and the
floors below it, never one above, so the folders alone show which way the
dependencies run. Tests, benchmarks and tools sit outside the house and may
include anything. The build states the same floors as one library per
folder (CMakeLists.txt), so that a wrong include also fails to compile.
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

# (including folder, included folder) -> why the edge along one floor is
# accepted. The build links the same edges.
SIDEWAYS = {
    ("sound", "settings"): "the engine takes its settings in the shape the store keeps them",
}

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
            if target not in FLOOR_OF or target == folder:
                continue
            upward = FLOOR_OF[target] > FLOOR_OF[folder]
            sideways = FLOOR_OF[target] == FLOOR_OF[folder] and (folder, target) not in SIDEWAYS
            if upward or sideways:
                yield relative.as_posix(), included


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    faults = 0
    for source, included in upward_includes(root):
        reason = EXCEPTIONS.get((source, included))
        if reason:
            print(f"accepted: {source} includes {included}: {reason}")
        else:
            print(f"wrong-way include: {source} includes {included}")
            faults += 1
    for (folder, target), why in sorted(SIDEWAYS.items()):
        print(f"accepted along a floor: {folder}/ includes {target}/: {why}")
    print(f"include direction: {faults} wrong-way include(s), {len(EXCEPTIONS)} accepted exception(s)")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
