"""Editing commands chained in the real window, then one rename: the name on disk shows them all."""

import datetime
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Control  # noqa: E402
from titles import status_line  # noqa: E402
from workspace import write_ini  # noqa: E402

# Edit menu access keys.
LOWER, UPPER, HALF, FULL, NO_BLANKS, UNDERSCORES, DATE = "l", "u", "h", "z", "s", "b", "t"


class NameEditingTest(E2ETest):
    def edit(self, app, *commands):
        for command in commands:
            app.key("alt+e", command)

    def test_lower_underscores_then_delete_right(self):
        ws, app = self.start_on(JA, "file", "My Big\u3000File.TXT")
        self.edit(app, LOWER, UNDERSCORES)
        # Caret after "my_big"; the button takes the focus, the command gives it back.
        app.key("End", *["Left"] * 5)
        app.click_control(Control.DELETE_RIGHT)
        app.type("!")
        self.rename(app, ws, "my_big!.txt")

    def test_upper_keeps_double_byte_characters(self):
        # 病 is 95 61: its trail byte is a lower-case a.
        ws, app = self.start_on(JA, "file", "\u75c5 x.txt")
        self.edit(app, UPPER, NO_BLANKS)
        self.rename(app, ws, "\u75c5X.TXT")

    def test_full_width_and_back(self):
        ws, app = self.start_on(JA, "file", "abc123 x.txt")
        self.edit(app, FULL)
        app.wait_title(lambda t: t.endswith(" 16+4 byte"), "the full-width byte count")
        self.edit(app, UNDERSCORES, HALF)
        self.rename(app, ws, "abc123_x.txt")

    def test_reload_then_delete_left_keeps_the_selection(self):
        ws, app = self.start_on(JA, "file", "report final.txt")
        app.type("junk")
        app.key("Tab", "Home", "shift+End")
        app.type(".md")
        app.key("ctrl+r", "shift+Tab")
        app.wait_title(lambda t: t == status_line("report final", ".txt"), "the counts reloaded")
        # Reload selected the whole name; select "final" and delete what is left of it.
        app.key("Home", *["Right"] * 7, "shift+End")
        app.click_control(Control.DELETE_LEFT)
        app.type("last")
        self.rename(app, ws, "last.txt")

    def test_date_and_time_pasted_over_the_selection(self):
        # (TimeFormat, strftime form of its output)
        cases = [
            ("'at 'yyyymmdd", "at %Y%m%d"),
            ('yyyy"\u5e74"mm"\u6708"dd"\u65e5"\u6642', "%Y\u5e74%m\u6708%d\u65e5"),
        ]
        for pattern, form in cases:
            with self.subTest(pattern=pattern):
                ws = self.workspace()
                write_ini(ws, [f"TimeFormat={pattern}"])
                target = ws.make_file("abcd.txt")
                app = self.start(ws, ws.winpath(target))
                before = datetime.datetime.now().strftime(form)
                app.key("Home", "Right", "shift+Right", "shift+Right")
                self.edit(app, DATE)
                after = datetime.datetime.now().strftime(form)
                # The caret stands before the stamp: typed text goes in front of it.
                app.type("X")
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertIn(ws.listing(), [[f"aX{before}d.txt"], [f"aX{after}d.txt"]])


if __name__ == "__main__":
    main()
