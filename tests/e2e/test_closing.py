"""Closing the window (Esc, Alt+F4, the close box) and the window without a target."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Control  # noqa: E402


class ClosingTest(E2ETest):
    def test_esc_closes_from_every_control(self):
        # Tab presses from the name field: extension box, delete-left, delete-right, execute.
        for tabs, where in [(0, "name field"), (1, "extension box"), (2, "delete-left"),
                            (3, "delete-right"), (4, "execute")]:
            with self.subTest(focus=where):
                ws, app = self.start_on(JA, "file", "keep me.txt")
                for _ in range(tabs):
                    app.key("Tab")
                self.close_with(app, "Escape")
                self.assertEqual(ws.listing(), ["keep me.txt"])

    def test_alt_f4_closes(self):
        ws, app = self.start_on(JA, "file", "keep me.txt")
        self.close_with(app, "alt+F4")
        self.assertEqual(ws.listing(), ["keep me.txt"])

    def test_close_box_closes(self):
        ws, app = self.start_on(JA, "file", "keep me.txt")
        app.click(*app.close_box_point())
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["keep me.txt"])

    def test_enabled_name_field_takes_typing(self):
        # The counterpart of the no-target test below: the same clicks reach an enabled field.
        ws, app = self.start_on(JA, "file", "old.txt")
        app.click_control(Control.NAME)
        app.key("ctrl+Home", "shift+End")
        app.type("new")
        self.assertEqual(app.copy_all(self.clipboard), "new")
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["old.txt"])

    def test_no_target_disables_everything(self):
        ws = self.workspace()
        ws.make_file("bystander.txt")
        app = self.start(ws)
        title = app.title()
        self.assertTrue(title.startswith("Tovimar"), title)
        for field in (Control.NAME, Control.EXTENSION):
            with self.subTest(field=field):
                app.click_control(field)
                app.type("abc")
                self.assertEqual(app.copy_all(self.clipboard, expect_empty_ok=True), "")
        # Ctrl+R (reload) is disabled: nothing happens, no box opens, the window stays.
        app.key("ctrl+r")
        app.key("Return")
        self.assertTrue(app.alive())
        self.assertEqual(app.windows(), [app.wid])
        self.assertEqual(app.title(), title)
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["bystander.txt"])


if __name__ == "__main__":
    main()
