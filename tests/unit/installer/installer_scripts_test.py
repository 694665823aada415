"""The installer's build scripts: the text escapes of both output formats
(a stray $ or quote would change what the installer writes), the reading of
the data file, and the file lists that decide what the uninstaller deletes."""

import os
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


if __name__ == "__main__":
    unittest.main()
