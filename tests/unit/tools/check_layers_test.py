"""The include rule as the script states it, on small planted trees."""
import contextlib
import io
import pathlib
import tempfile
import unittest
import unittest.mock

import check_layers


def wrong_way(files):
    """The wrong-way includes the script finds in a tree of these files."""
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        return list(check_layers.upward_includes(pathlib.Path(root)))


class IncludeRuleTest(unittest.TestCase):
    def test_each_direction(self):
        cases = [
            ("down a floor", "tray/a.cpp", '#include "settings/b.h"', False),
            ("two floors down", "app/a.cpp", '#include "platform/b.h"', False),
            ("its own folder", "ui/a.h", '#include "ui/b.h"', False),
            ("a system header", "sound/a.cpp", "#include <windows.h>", False),
            ("along a floor, listed with a reason", "sound/a.cpp", '#include "settings/b.h"', False),
            ("outside the floors", "tests/a.cpp", '#include "app/b.h"', False),
            ("up a floor", "settings/a.cpp", '#include "schemes/b.h"', True),
            ("up from the bottom", "platform/a.h", '#include "app/b.h"', True),
            ("along a floor, unlisted", "options/a.cpp", '#include "tray/b.h"', True),
            ("along a floor, the listed edge reversed", "settings/a.cpp", '#include "sound/b.h"', True),
            ("spaced and in a resource script", "about/a.rc", '  #  include "app/b.h"', True),
        ]
        for what, name, line, refused in cases:
            with self.subTest(what):
                found = wrong_way({name: line + "\n"})
                self.assertEqual(bool(found), refused, found)

    def test_the_program_fails_and_names_the_file(self):
        with tempfile.TemporaryDirectory() as root:
            path = pathlib.Path(root, "settings", "a.cpp")
            path.parent.mkdir()
            path.write_text('#include "tray/b.h"\n')
            out = io.StringIO()
            with contextlib.redirect_stdout(out), unittest.mock.patch("sys.argv", ["check_layers.py", root]):
                self.assertEqual(check_layers.main(), 1)
            self.assertIn("wrong-way include: settings/a.cpp includes tray/b.h", out.getvalue())


if __name__ == "__main__":
    unittest.main()
