"""Start with a path: the name field and the extension box show the target's long name."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN, JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Tovimar  # noqa: E402
from titles import ALL_LANGS, FILE_NOT_FOUND, status_line  # noqa: E402

# (locales, kind, name on disk, expected name field, expected extension box)
SPLIT_CASES = [
    (ALL_LANGS, "file", "report.final.txt", "report.final", ".txt"),
    (ALL_LANGS, "file", "README", "README", ""),
    (ALL_LANGS, "file", ".profile", "", ".profile"),
    (ALL_LANGS, "dir", "Photos", "Photos", ""),
    (ALL_LANGS, "dir", "2005.backup", "2005", ".backup"),
    (ALL_LANGS, "file", "two  blanks .log", "two  blanks ", ".log"),
    ((JA,), "file", "テスト.txt", "テスト", ".txt"),
    # 表 and 能 end in byte 0x5C, the path delimiter: they must not split the path.
    ((JA,), "file", "表示.txt", "表示", ".txt"),
    ((JA,), "dir", "予定表", "予定表", ""),
    ((JA,), "file", "能力/表.txt", "表", ".txt"),
    ((JA,), "file", "ｶﾀｶﾅ半角.jpeg", "ｶﾀｶﾅ半角", ".jpeg"),
    # In code page 1252 é (0xE9) is a letter, not a lead byte swallowing the full stop.
    ((EN,), "file", "Café.txt", "Café", ".txt"),
]


class StartupTest(E2ETest):
    def test_name_and_extension_are_split(self):
        for langs, kind, on_disk, name, ext in SPLIT_CASES:
            for lang in langs:
                with self.subTest(lang=lang, path=on_disk):
                    ws, app = self.start_on(lang, kind, on_disk)
                    self.assertEqual(app.title(), status_line(name, ext, lang))
                    self.assertEqual(self.name_and_extension(app), (name, ext))
                    self.close_with(app, "Escape")
                    self.assertTrue((ws.files / on_disk).exists(), "target untouched")

    def test_argument_not_on_disk_is_said_at_once(self):
        for lang in ALL_LANGS:
            with self.subTest(lang=lang):
                ws = self.workspace()
                app = Tovimar(ws, [ws.winpath(ws.files / "missing.doc")], lang=lang)
                self.apps.append(app)
                app.wait_window_titled(FILE_NOT_FOUND)
                self.close_with(app, "Escape")

    def test_dotted_and_slashed_paths_name_the_file(self):
        ws = self.workspace()
        target = ws.make_file("sub/plain.txt")
        folder = ws.winpath(target.parent)
        for argument in [folder + "\\..\\sub\\.\\plain.txt", str(target)]:
            with self.subTest(argument=argument):
                app = self.start(ws, argument)
                self.assertEqual(app.title(), status_line("plain", ".txt"))
                self.close_with(app, "Escape")

    def test_short_path_shows_long_name(self):
        for lang in ALL_LANGS:
            with self.subTest(lang=lang):
                ws = self.workspace()
                target = ws.make_file("Long Folder Name/quarterly report.final.xlsx")
                short = ws.short_winpath(target, lang)
                self.assertIn("~", short, "Wine gave no short form to test with")
                app = self.start(ws, short, lang=lang)
                self.assertEqual(self.name_and_extension(app),
                                 ("quarterly report.final", ".xlsx"))
                self.close_with(app, "Escape")

    def test_other_letter_case_shows_case_on_disk(self):
        # (name on disk, argument typed in another case)
        cases = [
            ("MixedCase.Txt", "FILES\\MIXEDCASE.TXT"),
            ("lower.jpg", "files\\LOWER.JPG"),
            ("Upper Dir", "FILES\\upper dir"),
        ]
        for lang in ALL_LANGS:
            for on_disk, argument in cases:
                with self.subTest(lang=lang, argument=argument):
                    ws = self.workspace()
                    if "." in on_disk:
                        ws.make_file(on_disk)
                    else:
                        ws.make_dir(on_disk)
                    app = self.start(ws, ws.winpath(ws.root) + "\\" + argument, lang=lang)
                    stem, dot, ext = on_disk.rpartition(".")
                    expected = (stem, dot + ext) if dot else (on_disk, "")
                    self.assertEqual(self.name_and_extension(app), expected)
                    self.close_with(app, "Escape")


if __name__ == "__main__":
    main()
