#!/usr/bin/env python3
"""Lists the program folder for the installer:

    make_file_lists.py <program folder> <out files.nsh>

files.nsh defines SIZE_KB and two macros: ClavitoneFiles, which packs every
file with its subfolder, and ClavitoneRemoveFiles, which removes exactly those
files and then the subfolders if they are empty. The uninstaller thus never
deletes anything it did not install, wherever the user chose to install.
"""

import os
import sys


def program_files(folder):
    """Relative paths of every file under folder, in a stable order."""
    found = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            found.append(os.path.relpath(os.path.join(root, name), folder))
    return found


def windows(relative):
    return relative.replace(os.sep, "\\")


def nsis_lines(folder, files):
    size_kb = (sum(os.path.getsize(os.path.join(folder, f)) for f in files) + 1023) // 1024
    subfolders = sorted({os.path.dirname(f) for f in files} - {""}, key=lambda d: (-d.count(os.sep), d))
    lines = ["; Written by installer/make_file_lists.py from the program folder.",
             "!define SIZE_KB %d" % size_kb, "", "!macro ClavitoneFiles"]
    current = ""
    for f in files:
        where = os.path.dirname(f)
        if where != current:
            lines.append('  SetOutPath "$INSTDIR%s"' % ("\\" + windows(where) if where else ""))
            current = where
        lines.append('  File "/oname=%s" "%s"' % (os.path.basename(f), os.path.join(os.path.abspath(folder), f)))
    lines.append('  SetOutPath "$INSTDIR"')
    lines += ["!macroend", "", "!macro ClavitoneRemoveFiles"]
    lines += ['  Delete "$INSTDIR\\%s"' % windows(f) for f in files]
    lines += ['  RMDir "$INSTDIR\\%s"' % windows(d) for d in subfolders]
    lines.append("!macroend")
    return lines


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    folder = argv[1]
    files = program_files(folder)
    if not files:
        sys.exit("make_file_lists: %s holds no files" % folder)
    with open(argv[2], "w", encoding="utf-8") as out:
        out.write("\n".join(nsis_lines(folder, files)) + "\n")


if __name__ == "__main__":
    main(sys.argv)
