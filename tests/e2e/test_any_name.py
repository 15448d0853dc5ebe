"""Names code page 932 cannot hold: opened, edited and renamed in UTF-8, the title says so."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import InstanceWindow, end_wine_session  # noqa: E402
from titles import VERSION_LINE, status_line  # noqa: E402
from tools import SETTLE_TIMEOUT, WINDOW_TIMEOUT, wait_until  # noqa: E402
from winhelpers import the_message_box  # noqa: E402
from xwindows import owned_windows, visible_windows  # noqa: E402


def utf8_title(name, ext):
    """The title while the name or the extension is outside the ANSI code page."""
    return (f"{VERSION_LINE}  -  {len(name.encode())}+{len(ext.encode())} byte (UTF-8)")


def shows(app, title):
    app.wait_title(lambda t: t == title, f"the title {title!r}")


class AnyNameTest(E2ETest):
    def test_open_edit_and_rename_outside_the_code_page(self):
        # (file at start, name pasted over the selected name, its title, file after Enter)
        rows = [
            ("caf\u00e9 \U0001f600.txt", "\ud55c\uad6d\uc5b4 beyonc\u00e9",
             utf8_title("\ud55c\uad6d\uc5b4 beyonc\u00e9", ".txt"),
             "\ud55c\uad6d\uc5b4 beyonc\u00e9.txt"),
            # A name that fits typed into one that does not: the title is back in code page 932.
            ("\ud55c\uad6d\uc5b4.txt", "\u8868\u793a", status_line("\u8868\u793a", ".txt"),
             "\u8868\u793a.txt"),
            # And one that does not pasted into one that fits.
            ("a.txt", "Zo\u00eb \U0001f389", utf8_title("Zo\u00eb \U0001f389", ".txt"),
             "Zo\u00eb \U0001f389.txt"),
            # A case-only change the ANSI mapping cannot make.
            ("\u00e9t\u00e9.txt", "\u00c9T\u00c9", utf8_title("\u00c9T\u00c9", ".txt"),
             "\u00c9T\u00c9.txt"),
        ]
        for start, pasted, title, renamed in rows:
            with self.subTest(start=start):
                ws = self.workspace()
                ws.make_file("bystander.txt", b"stay")
                target = ws.make_file(start, b"precious")
                app = self.start(ws, ws.winpath(target), lang=JA)
                stem, ext = start.rsplit(".", 1)
                shows(app, utf8_title(stem, "." + ext) if start != "a.txt"
                      else status_line("a", ".txt"))
                app.paste(self.clipboard, pasted)
                shows(app, title)
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), sorted(["bystander.txt", renamed]))
                self.assertEqual((ws.files / renamed).read_bytes(), b"precious")

    def test_ctrl_enter_walks_into_and_out_of_such_a_name(self):
        ws = self.workspace()
        for name in ["b.txt", "c\u00e9.txt", "d.txt"]:
            ws.make_file(name)
        app = self.start(ws, ws.winpath(ws.files / "b.txt"), lang=JA)
        shows(app, status_line("b", ".txt"))
        app.type("z1")
        app.key("ctrl+Return")
        shows(app, utf8_title("c\u00e9", ".txt"))
        app.paste(self.clipboard, "z2\u00e9")
        app.key("ctrl+Return")
        shows(app, status_line("d", ".txt"))
        app.key("Escape")
        self.assertEqual(app.wait_exit(), 0)
        wait_until(lambda: ws.listing() == ["d.txt", "z1.txt", "z2\u00e9.txt"], SETTLE_TIMEOUT,
                   "the two renames")

    def test_a_chain_of_two_such_paths(self):
        ws = self.workspace()
        names = ["\ud55c.txt", "\U0001f600 \u00e9.txt"]
        paths = [ws.make_file(n) for n in names]
        app = self.start(ws, *[ws.winpath(p) for p in paths], lang=JA)
        try:
            shows(app, utf8_title("\ud55c", ".txt"))
            before = owned_windows()
            app.paste(self.clipboard, "x1")
            app.key("Return")
            second = InstanceWindow.next_of(ws, before, lang=JA)
            shows(second, utf8_title("\U0001f600 \u00e9", ".txt"))
            second.paste(self.clipboard, "x2\u00e9")
            second.key("Return")
            self.assertEqual(app.wait_exit(), 0)
            second.wait_gone()
            wait_until(lambda: ws.listing() == ["x1.txt", "x2\u00e9.txt"], SETTLE_TIMEOUT,
                       "the two renames")
        finally:
            if visible_windows():
                end_wine_session()

    def test_a_box_names_such_a_path_with_its_own_characters(self):
        # No program is associated with the extension: Ctrl+O ends in the program's own box,
        # left to the end of the test.
        ws = self.workspace()
        target = ws.make_file("\ud55c\uad6d\uc5b4 \u00e9 \U0001f600.zzqx", b"kept")
        app = self.start(ws, ws.winpath(target), lang=JA)
        app.key("ctrl+o")
        caption, text = wait_until(lambda: the_message_box(ws), WINDOW_TIMEOUT, "the box")
        self.assertEqual((caption, text[:2]),
                         ("Tovimar", ["ファイルを開けません", ws.winpath(target)]))


if __name__ == "__main__":
    main()
