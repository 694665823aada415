#!/usr/bin/env python3
"""Turns installer/settings.txt into what applies it:

    make_settings.py nsis <settings.txt> <out.nsh>
        the installer's registry writes, as NSIS macro calls, with the
        program folder taken from $INSTDIR at install time;
    make_settings.py reg <settings.txt> <out.reg> <program folder>
        a registry file for installs by hand, for the given Windows folder
        (for example "C:\\Program Files\\Clavitone").
"""

import sys

APP_KEY = r"Software\Clavitone"
PROGRAM_FOLDER = "{app}"


class SettingsError(Exception):
    pass


def read_settings(path):
    """Returns [(section, name, text)] in file order."""
    entries = []
    section = None
    with open(path, encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1]
                continue
            name, equals, rest = line.partition("=")
            first, last = rest.find('"'), rest.rfind('"')
            if not equals or section is None or first < 0 or last <= first or rest[:first].strip() or rest[last + 1:].strip():
                raise SettingsError('%s:%d: expected name = "text" inside a [section]' % (path, number))
            entries.append((section, name.strip(), rest[first + 1:last]))
    return entries


def nsis_text(text):
    # In NSIS strings $ starts a variable and $\" is a quote; backslashes are plain.
    text = text.replace("$", "$$").replace('"', '$\\"')
    return text.replace(PROGRAM_FOLDER, "$INSTDIR")


def nsis_lines(entries):
    # Settings the user may have changed are only added; the texts are the installer's own.
    macro = {"Settings": "ClavitoneSetting", "Language": "ClavitoneText"}
    lines = ["; Written by installer/make_settings.py from installer/settings.txt."]
    for section, name, text in entries:
        if section not in macro:
            raise SettingsError("no installer rule for the section [%s]" % section)
        lines.append('!insertmacro %s "%s" "%s"' % (macro[section], nsis_text(name), nsis_text(text)))
    return lines


def reg_text(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def reg_lines(entries, folder):
    lines = ["REGEDIT4"]
    current = None
    for section, name, text in entries:
        if section != current:
            lines += ["", "[HKEY_CURRENT_USER\\%s\\%s]" % (APP_KEY, section)]
            current = section
        lines.append('"%s"="%s"' % (reg_text(name), reg_text(text.replace(PROGRAM_FOLDER, folder))))
    return lines + [""]


def main(argv):
    if len(argv) == 4 and argv[1] == "nsis":
        lines = nsis_lines(read_settings(argv[2]))
    elif len(argv) == 5 and argv[1] == "reg":
        lines = reg_lines(read_settings(argv[2]), argv[4].rstrip("\\"))
    else:
        sys.exit(__doc__)
    # Windows tools read both files line by line with CR LF endings.
    with open(argv[3], "w", encoding="ascii", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    try:
        main(sys.argv)
    except SettingsError as error:
        sys.exit("make_settings: %s" % error)
