"""The title bar: version and the byte lengths of the name and of the extension."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from titles import ALL_LANGS, status_line, status_line_of  # noqa: E402


class TitleCountTest(E2ETest):
    def test_title_at_start(self):
        # (locales, name on disk, name count, extension count)
        cases = [
            (ALL_LANGS, "report.final.txt", 12, 4),
            ((JA,), "テスト.txt", 6, 4),
            ((JA,), "ｶﾀｶﾅ.jpeg", 4, 5),
            (ALL_LANGS, "README", 6, 0),
        ]
        for langs, on_disk, name_bytes, ext_bytes in cases:
            for lang in langs:
                with self.subTest(lang=lang, name=on_disk):
                    ws, app = self.start_on(lang, "file", on_disk)
                    self.assertEqual(app.title(), status_line_of(name_bytes, ext_bytes))
                    self.close_with(app, "Escape")

    def test_no_target_counts_nothing(self):
        for lang in ALL_LANGS:
            with self.subTest(lang=lang):
                app = self.start(self.workspace(), lang=lang)
                self.assertEqual(app.title(), status_line_of(0, 0))
                self.close_with(app, "Escape")

    def test_typing_in_the_name_recounts(self):
        # (keys after start, with the whole name selected; expected name text)
        cases = [
            (["x"], "x"),
            (["End", "ab"], "report.finalab"),
            (["BackSpace"], ""),
            (["End", "BackSpace", "BackSpace"], "report.fin"),
        ]
        for keys, expected in cases:
            with self.subTest(keys=keys):
                ws, app = self.start_on(JA, "file", "report.final.txt")
                for k in keys:
                    if len(k) > 1 and k[0].isupper():
                        app.key(k)
                    else:
                        app.type(k)
                want = status_line(expected, ".txt")
                app.wait_title(lambda t: t == want, want)
                self.close_with(app, "Escape")

    def test_editing_the_extension_recounts(self):
        # (keys in the extension box after Tab, End; expected extension text)
        cases = [
            (["x"], ".txtx"),
            (["BackSpace"], ".tx"),
            (["BackSpace", "BackSpace", "BackSpace", "BackSpace"], ""),
        ]
        for keys, expected in cases:
            with self.subTest(keys=keys):
                ws, app = self.start_on(JA, "file", "report.final.txt")
                app.key("Tab", "End")
                for k in keys:
                    if k[0].isupper():
                        app.key(k)
                    else:
                        app.type(k)
                want = status_line("report.final", expected)
                app.wait_title(lambda t: t == want, want)
                self.close_with(app, "Escape")

    def test_double_byte_name_typed_after_counts_bytes(self):
        # A Japanese name comes in through the clipboard; each character counts two.
        ws, app = self.start_on(JA, "file", "a.txt")
        app.paste(self.clipboard, "日本語の名前")
        want = status_line("日本語の名前", ".txt")
        app.wait_title(lambda t: t == want, want)
        self.close_with(app, "Escape")

    def test_typing_after_a_message_brings_the_counts_back(self):
        ws, app = self.start_on(JA, "file", "same.txt")
        app.key("Return")  # nothing changed: the title shows the message
        app.wait_title(lambda t: t == "ファイル名に変更がありません", "the message")
        app.key("End")
        app.type("2")
        want = status_line("same2", ".txt")
        app.wait_title(lambda t: t == want, want)
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["same.txt"])


if __name__ == "__main__":
    main()
