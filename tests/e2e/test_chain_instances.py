"""Several paths: one instance per path, each started by the close of the one before."""

import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, wine_env  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import InstanceWindow, end_wine_session, replace_name  # noqa: E402
from titles import status_line  # noqa: E402
from tools import SETTLE_TIMEOUT, wait_until  # noqa: E402
from winhelpers import message_boxes  # noqa: E402
from workspace import read_ini  # noqa: E402
from xwindows import new_windows, owned_windows, visible_windows  # noqa: E402


def shows(window, name):
    """The window is on name: its title counts the bytes of name's two parts."""
    stem, ext = name.rsplit(".", 1)
    expected = status_line(stem, "." + ext)
    window.wait_title(lambda t: t == expected, f"the title of {name}")


class ChainTest(E2ETest):
    def tearDown(self):
        # Instances started by the program are not ours to end: a failed test may leave some,
        # and only ending the whole prefix reaches them.
        super().tearDown()
        if visible_windows():
            end_wine_session()

    def chain(self, names):
        ws = self.workspace()
        paths = [ws.make_file(n) for n in names]
        app = self.start(ws, *[ws.winpath(p) for p in paths])
        return ws, app

    def test_three_files_renamed_in_order(self):
        names = ["a.aaa", "b b.bbb", "ccc.ccc"]
        ws, app = self.chain(names)
        windows = [app]
        for i, name in enumerate(names):
            window = windows[-1]
            # Each window shows the next name of the list.
            shows(window, name)
            before = owned_windows()
            replace_name(window, f"x{i + 1}")
            window.key("Return")
            if i + 1 < len(names):
                windows.append(InstanceWindow.next_of(ws, before))
        self.assertEqual(app.wait_exit(), 0)
        for window in windows[1:]:
            window.wait_gone()
        wait_until(lambda: ws.listing() == ["x1.aaa", "x2.bbb", "x3.ccc"], SETTLE_TIMEOUT,
                   "the three renames")
        self.assertEqual(visible_windows(), [])
        self.assertEqual(dict(read_ini(ws))["Execute"], "3")

    def test_closing_without_renaming_continues(self):
        for keys in (["Escape"], ["alt+F4"]):
            with self.subTest(keys=keys):
                ws, app = self.chain(["a.txt", "bb.txt"])
                before = owned_windows()
                self.close_with(app, *keys)
                second = InstanceWindow.next_of(ws, before)
                shows(second, "bb.txt")
                second.key(*keys)
                second.wait_gone()
                self.assertEqual(visible_windows(), [])
                self.assertEqual(ws.listing(), ["a.txt", "bb.txt"])
                self.assertEqual(dict(read_ini(ws))["Execute"], "2")

    def test_file_in_use_starts_the_next_at_once(self):
        ws, app = self.chain(["a.txt", "bb.txt", "ccc.txt"])
        holder = self.hold(ws, ws.files / "a.txt")
        before = owned_windows()
        replace_name(app, "x1")
        app.key("Return")
        wait_until(lambda: not app.shown(), SETTLE_TIMEOUT, "the window to hide")
        self.assertTrue(app.alive(), "the first instance waits hidden")
        second = InstanceWindow.next_of(ws, before)
        shows(second, "bb.txt")
        before = owned_windows()
        replace_name(second, "x2")
        second.key("Return")
        third = InstanceWindow.next_of(ws, before)
        shows(third, "ccc.txt")
        third.key("Escape")
        third.wait_gone()
        self.assertTrue(app.alive(), "still waiting for the file")
        self.assertEqual(ws.listing(), ["a.txt", "ccc.txt", "x2.txt"])
        holder.release()
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["ccc.txt", "x1.txt", "x2.txt"])
        # The hidden instance started nothing more when it closed.
        self.assertEqual(visible_windows(), [])

    def test_unwritable_settings_do_not_stop_the_chain(self):
        ws, app = self.chain(["a.txt", "b.txt"])
        (ws.root / "Tovimar.ini").mkdir()
        self.own_user_settings(blocked=True)
        window = app
        for step in range(2):
            before = owned_windows()
            window.key("Escape")
            wid, pid = new_windows(before, "the error box", SETTLE_TIMEOUT)[0]
            self.assertEqual(pid, window.owner(), "the box is the closing window's")
            self.assertEqual(len(message_boxes(ws)), 1)
            box = InstanceWindow(ws, wid, pid)
            box.key("Return")
            wait_until(lambda: not window.shown(), SETTLE_TIMEOUT, "the window to close")
            if step == 0:
                window = InstanceWindow.next_of(ws, before)
        self.assertEqual(app.wait_exit(), 0)
        wait_until(lambda: visible_windows() == [], SETTLE_TIMEOUT, "no window left")
        self.assertEqual(ws.listing(), ["a.txt", "b.txt"])

    def test_end_of_session_saves_nothing_and_starts_nothing(self):
        ws, app = self.chain(["a.txt", "bb.txt"])
        # Wine's own log-off: every window is asked and told that the session ends.
        subprocess.run(["wine", "wineboot", "--end-session"], env=wine_env(JA),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        app.wait_exit()
        self.assertEqual(visible_windows(), [])
        self.assertFalse((ws.root / "Tovimar.ini").exists())
        self.assertEqual(ws.listing(), ["a.txt", "bb.txt"])


if __name__ == "__main__":
    main()
