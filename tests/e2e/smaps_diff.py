#!/usr/bin/env python3
"""Where one process's private memory lies beyond another's: both smaps
files summed by mapping (a file by its name, an anonymous one by its rights
and size), printed as the largest differences in KiB.

Usage: smaps_diff.py OURS.smaps THEIRS.smaps [LINES]
"""
import collections
import re
import sys

MAPPING = re.compile(r"^([0-9a-f]+)-([0-9a-f]+) (\S+) \S+ \S+ \S+\s*(.*)$")


def private_by_mapping(path):
    totals = collections.Counter()
    name = None
    with open(path) as smaps:
        for line in smaps:
            mapping = MAPPING.match(line)
            if mapping:
                start, end, rights, file = mapping.groups()
                if file:
                    name = file.rsplit("/", 1)[-1]
                else:
                    # Wine gives every thread one such region: its stacks.
                    name = f"[anonymous {rights}, {(int(end, 16) - int(start, 16)) // 1024} KiB]"
                continue
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                totals[name] += int(line.split()[1])
    return totals


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    ours = private_by_mapping(sys.argv[1])
    theirs = private_by_mapping(sys.argv[2])
    lines = int(sys.argv[3]) if len(sys.argv) == 4 else 10
    differences = {name: ours[name] - theirs[name] for name in ours.keys() | theirs.keys()}
    largest = sorted(differences.items(), key=lambda item: (-abs(item[1]), item[0]))
    for name, kib in largest[:lines]:
        if kib:
            print(f"{kib:+7d}  {name}")
    print(f"{sum(ours.values()) - sum(theirs.values()):+7d}  in all")


if __name__ == "__main__":
    main()
