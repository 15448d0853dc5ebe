"""Renaming from the window: Enter, the menu, the checks that stop a rename, and what is on disk."""

import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN, JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import replace_extension, replace_name, titles_until_exit  # noqa: E402
from titles import (FILE_NOT_FOUND, FOLDER_NOT_FOUND, NAME_EMPTY,  # noqa: E402
                    NAME_FORBIDDEN_CHARACTER, NAME_TAKEN, NAME_UNCHANGED)

# A time before 1980, outside the DOS date range, and hidden by Wine's leading-dot rule.
OLD_TIME = 157766400  # 1975-01-01

# (locale, kind, target, typed name or None, typed extension or None, listing afterwards)
RENAME_CASES = [
    (JA, "file", "old.txt", "new", None, ["new.txt"]),
    (EN, "file", "old.txt", "new", None, ["new.txt"]),
    (JA, "file", "readme.txt", "README", None, ["README.txt"]),
    (JA, "file", "readme.txt", "README", ".TXT", ["README.TXT"]),
    (EN, "file", "Mixed.Case", "mIXED", ".cASE", ["mIXED.cASE"]),
    (JA, "dir", "photos", "pics", None, ["pics"]),
    (JA, "dir", "Album", "ALBUM", None, ["ALBUM"]),
    (JA, "file", "x.txt", None, "", ["x"]),
    # Typed as is: no full stop is added in front of the extension.
    (JA, "file", "x.txt", None, "md", ["xmd"]),
    (JA, "file", "noext", "with", ".ext", ["with.ext"]),
]

# (target, name pasted over the old one, listing afterwards): 表 and 能 end in byte 0x5C.
DOUBLE_BYTE_CASES = [
    ("能力.txt", "表示", ["表示.txt"]),
    ("表.txt", "ソ", ["ソ.txt"]),
    ("plain.txt", "予定表", ["予定表.txt"]),
]

# (other entries in the folder, typed name, title): the target a.txt stays where it is.
STOP_CASES = [
    ({"B.TXT": "file"}, "b", NAME_TAKEN),
    ({"A.txt": "file"}, "A", NAME_TAKEN),  # both spellings in one (case-sensitive) folder
    ({"b.txt": "dir"}, "b", NAME_TAKEN),
    ({"b.txt": "old file"}, "b", NAME_TAKEN),
    ({".b.txt": "file"}, ".b", NAME_TAKEN),
    # Wildcards never reach the disk: they would match the other file.
    ({"other.txt": "file"}, "*", NAME_FORBIDDEN_CHARACTER),
    ({"other.txt": "file"}, "o?her", NAME_FORBIDDEN_CHARACTER),
    ({}, "a", NAME_UNCHANGED),
    ({}, "", NAME_EMPTY),
]


class RenameTest(E2ETest):
    def test_typed_name_and_enter_rename(self):
        for lang, kind, target, name, ext, listing in RENAME_CASES:
            with self.subTest(lang=lang, target=target, name=name, ext=ext):
                ws = self.workspace()
                path = ws.make_file(target, b"content") if kind == "file" else ws.make_dir(target)
                if kind == "dir":
                    (path / "inside.txt").write_bytes(b"kept")
                app = self.start(ws, ws.winpath(path), lang=lang)
                if name is not None:
                    replace_name(app, name)
                if ext is not None:
                    replace_extension(app, ext)
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), listing)
                renamed = ws.files / listing[0]
                if kind == "file":
                    self.assertEqual(renamed.read_bytes(), b"content")
                else:
                    self.assertEqual((renamed / "inside.txt").read_bytes(), b"kept")

    def test_rename_menu_item(self):
        ws = self.workspace()
        target = ws.make_file("menu.txt")
        app = self.start(ws, ws.winpath(target))
        replace_name(app, "by menu")
        app.key("alt+f", "e")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["by menu.txt"])

    def test_double_byte_names(self):
        for target, name, listing in DOUBLE_BYTE_CASES:
            with self.subTest(target=target, name=name):
                ws = self.workspace()
                path = ws.make_file(target, b"data")
                app = self.start(ws, ws.winpath(path))
                app.paste(self.clipboard, name)
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), listing)
                self.assertEqual((ws.files / listing[0]).read_bytes(), b"data")

    def test_checks_stop_and_keep_every_file(self):
        for others, name, title in STOP_CASES:
            with self.subTest(others=others, name=name):
                ws = self.workspace()
                target = ws.make_file("a.txt", b"target")
                for other, kind in others.items():
                    if kind == "dir":
                        ws.make_dir(other)
                        continue
                    path = ws.make_file(other, b"other")
                    if kind == "old file":
                        os.utime(path, (OLD_TIME, OLD_TIME))
                app = self.start(ws, ws.winpath(target))
                replace_name(app, name)
                app.key("Return")
                app.wait_title(lambda t: t == title, f"the title {title}")
                self.assertTrue(app.alive())
                self.assertEqual(ws.listing(), sorted(["a.txt", *others]))
                self.assertEqual(target.read_bytes(), b"target")
                for other, kind in others.items():
                    if kind != "dir":
                        self.assertEqual((ws.files / other).read_bytes(), b"other")
                # The window stays usable: a free name now goes through.
                replace_name(app, "free")
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), sorted(["free.txt", *others]))

    def test_wildcard_matching_nothing_renames_nothing(self):
        ws = self.workspace()
        target = ws.make_file("a.txt", b"target")
        app = self.start(ws, ws.winpath(target))
        replace_name(app, "z*")
        app.key("Return")
        app.wait_title(lambda t: t == NAME_FORBIDDEN_CHARACTER)
        self.assertTrue(app.alive())
        self.assertEqual(ws.listing(), ["a.txt"])

    def test_target_gone_behind_the_window(self):
        for kind, message in [("file", FILE_NOT_FOUND), ("dir", FOLDER_NOT_FOUND)]:
            with self.subTest(kind=kind):
                ws, app = self.start_on(JA, kind, "gone.txt")
                path = ws.files / "gone.txt"
                path.unlink() if kind == "file" else path.rmdir()
                replace_name(app, "whatever")
                app.key("Return")
                self.assertIn(message, titles_until_exit(app))
                self.assertEqual(ws.listing(), [])

    def test_bare_relative_target_stays_in_current_folder(self):
        ws = self.workspace()
        (ws.root / "rel.txt").write_bytes(b"relative")
        app = self.start(ws, "rel.txt")
        replace_name(app, "moved")
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertFalse((ws.root / "rel.txt").exists())
        self.assertEqual((ws.root / "moved.txt").read_bytes(), b"relative")


if __name__ == "__main__":
    main()
