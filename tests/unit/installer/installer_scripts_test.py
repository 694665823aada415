"""The installer's build scripts: the text escapes of both output formats
(a stray $ or quote would change what the installer writes), the reading of
the data file, and the file lists that decide what the uninstaller deletes."""

import os
import re
import tempfile
import unittest

import make_file_lists
import make_settings


def settings_file(folder, text):
    path = os.path.join(folder, "settings.txt")
    with open(path, "w", encoding="ascii") as out:
        out.write(text)
    return path


class ReadSettingsTest(unittest.TestCase):
    def test_keeps_blanks_inside_the_quotes_and_names_with_blanks(self):
        with tempfile.TemporaryDirectory() as folder:
            entries = make_settings.read_settings(settings_file(folder, (
                '; comment\n[Language]\nSaveas0 = "The name "\nAll files = "All "quoted" (*.*)"\n')))
        self.assertEqual(entries, [("Language", "Saveas0", "The name "),
                                   ("Language", "All files", 'All "quoted" (*.*)')])

    def test_rejects_lines_it_cannot_read(self):
        for text in ('Progon = "outside any section"\n', '[Language]\nProgon = unquoted\n',
                     '[Language]\nProgon "no equals"\n', '[Language]\nProgon = "a" trailing\n'):
            with tempfile.TemporaryDirectory() as folder, self.subTest(text=text):
                with self.assertRaises(make_settings.SettingsError):
                    make_settings.read_settings(settings_file(folder, text))


class OutputTest(unittest.TestCase):
    ENTRIES = [("Settings", "Typewriter_#65", "{app}\\Typewriter\\65.wav"),
               ("Language", "Files0", 'Costs $5, says "hi"')]

    def test_nsis_escapes_variables_and_quotes_and_takes_the_folder_at_install_time(self):
        lines = make_settings.nsis_lines(self.ENTRIES)
        self.assertIn('!insertmacro ClavitoneSetting "Typewriter_#65" "$INSTDIR\\Typewriter\\65.wav"', lines)
        self.assertIn('!insertmacro ClavitoneText "Files0" "Costs $$5, says $\\"hi$\\""', lines)

    def test_nsis_refuses_a_section_it_has_no_rule_for(self):
        with self.assertRaises(make_settings.SettingsError):
            make_settings.nsis_lines([("Other", "a", "b")])

    def test_reg_escapes_backslashes_and_quotes_and_groups_by_section(self):
        lines = make_settings.reg_lines(self.ENTRIES, "C:\\Program Files\\Clavitone")
        self.assertEqual(lines[0], "REGEDIT4")
        self.assertEqual(lines[2:4], ["[HKEY_CURRENT_USER\\Software\\Clavitone\\Settings]",
                                      '"Typewriter_#65"="C:\\\\Program Files\\\\Clavitone\\\\Typewriter\\\\65.wav"'])
        self.assertEqual(lines[5:7], ["[HKEY_CURRENT_USER\\Software\\Clavitone\\Language]",
                                      '"Files0"="Costs $5, says \\"hi\\""'])


class FileListsTest(unittest.TestCase):
    def test_removes_exactly_the_packed_files_then_their_folders_deepest_first(self):
        with tempfile.TemporaryDirectory() as folder:
            for name in ("Clavitone.exe", "Voice/65.wav", "Voice/deep/x.wav", "Help File.chm"):
                os.makedirs(os.path.dirname(os.path.join(folder, name)), exist_ok=True)
                with open(os.path.join(folder, name), "wb") as out:
                    out.write(b"x" * 600)
            lines = make_file_lists.nsis_lines(folder, make_file_lists.program_files(folder))
        self.assertIn("!define SIZE_KB 3", lines)
        removals = [line.strip() for line in lines if line.strip().startswith(("Delete", "RMDir"))]
        self.assertEqual(removals, ['Delete "$INSTDIR\\Clavitone.exe"', 'Delete "$INSTDIR\\Help File.chm"',
                                    'Delete "$INSTDIR\\Voice\\65.wav"', 'Delete "$INSTDIR\\Voice\\deep\\x.wav"',
                                    'RMDir "$INSTDIR\\Voice\\deep"', 'RMDir "$INSTDIR\\Voice"'])
        self.assertIn('  SetOutPath "$INSTDIR\\Voice\\deep"', lines)
        self.assertNotIn('RMDir "$INSTDIR"', removals)


class InstallerScriptTest(unittest.TestCase):
    """The installer runs elevated: what it starts and writes must still be the user's."""

    @classmethod
    def setUpClass(cls):
        path = os.path.join(os.path.dirname(make_settings.__file__), "clavitone.nsi")
        with open(path, encoding="utf-8") as script:
            # Comments and line continuations carry no behaviour.
            text = script.read().replace("\\\n", " ")
        cls.lines = [line.split(";")[0].strip() for line in text.splitlines()]
        cls.lines = [line for line in cls.lines if line]

    def body(self, opening):
        start = self.lines.index(opening)
        end = next(i for i in range(start, len(self.lines)) if self.lines[i] in ("FunctionEnd", "SectionEnd"))
        return self.lines[start + 1:end]

    def test_the_finish_page_hands_the_program_to_the_desktops_shell(self):
        defines = dict(re.match(r'!define (MUI_FINISHPAGE_RUN\S*) ?(.*)', line).groups()
                       for line in self.lines if line.startswith("!define MUI_FINISHPAGE_RUN"))
        self.assertEqual(defines["MUI_FINISHPAGE_RUN"], '""', "the page itself starts nothing")
        function = defines["MUI_FINISHPAGE_RUN_FUNCTION"]
        self.assertEqual(self.body("Function " + function),
                         ["Exec '\"$WINDIR\\explorer.exe\" \"$INSTDIR\\Clavitone.exe\"'"])
        starts = [line for line in self.lines if re.match(r"(Exec|ExecWait|ExecShell|ExecShellWait)\b", line)]
        self.assertEqual(starts, self.body("Function " + function), "nothing else starts a program")

    def test_the_run_value_is_the_installing_users_and_both_go_on_uninstall(self):
        install = self.body('Section "Clavitone"')
        self.assertEqual([line for line in install if "${RUN_KEY}" in line],
                         ['WriteRegStr HKCU "${RUN_KEY}" "${APP}" $0'])
        self.assertEqual(sorted(line for line in self.body('Section "Uninstall"') if "${RUN_KEY}" in line),
                         ['DeleteRegValue HKCU "${RUN_KEY}" "${APP}"', 'DeleteRegValue HKLM "${RUN_KEY}" "${APP}"'])


if __name__ == "__main__":
    unittest.main()
