"""Several paths: one instance per path, each started by the close of the one before."""

import subprocess

from execute_common import FILE_IN_USE, replace_name
from harness import (EXIT_TIMEOUT, JA, SETTLE_TIMEOUT, WINDOW_TIMEOUT, WINDOWS_DIR, E2ETest,
                     Tovimar, Workspace, _Display, main, visible_windows, wait_until, xdotool)
from test_settings_file import message_boxes, read_ini


class ChainedWindow(Tovimar):
    """A window of an instance the program started itself: no process of ours to wait on."""

    def __init__(self, workspace, wid):  # pylint: disable=super-init-not-called
        self.workspace = workspace
        self.wid = wid
        self.proc = None

    def alive(self):
        return self.wid in visible_windows()

    def wait_gone(self):
        wait_until(lambda: not self.alive(), EXIT_TIMEOUT, "the chained window to close")

    def kill(self):
        pass


def shows(window, name):
    """The window is on name: its title counts the bytes of name's two parts."""
    stem, ext = name.rsplit(".", 1)
    expected = f"Tovimar v0.88  -  {len(stem.encode('cp932'))}+{len(ext) + 1} byte"
    window.wait_title(lambda t: t == expected, f"the title of {name}")


def next_window(ws, before):
    wid = wait_until(lambda: [w for w in visible_windows() if w not in before], WINDOW_TIMEOUT,
                     "the next instance's window")[0]
    return ChainedWindow(ws, wid)


class ChainTest(E2ETest):
    def tearDown(self):
        # Instances started by the program are not ours to end: a failed test may leave some,
        # and only ending the whole prefix reaches them.
        super().tearDown()
        if not visible_windows():
            return
        subprocess.run(["wineserver", "-k"], env=_Display.wine_env(JA), check=False)
        subprocess.run(["wineserver", "-w"], env=_Display.wine_env(JA), check=False)

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
            before = visible_windows()
            replace_name(window, f"x{i + 1}")
            window.key("Return")
            if i + 1 < len(names):
                windows.append(next_window(ws, before))
        self.assertEqual(app.wait_exit(), 0)
        for window in windows[1:]:
            ChainedWindow(ws, window.wid).wait_gone()
        wait_until(lambda: ws.listing() == ["x1.aaa", "x2.bbb", "x3.ccc"], SETTLE_TIMEOUT,
                   "the three renames")
        self.assertEqual(visible_windows(), [])
        self.assertEqual(dict(read_ini(ws))["Execute"], "3")

    def test_closing_without_renaming_continues(self):
        for keys in (["Escape"], ["alt+F4"]):
            with self.subTest(keys=keys):
                ws, app = self.chain(["a.txt", "bb.txt"])
                before = visible_windows()
                self.close_with(app, *keys)
                second = next_window(ws, before)
                shows(second, "bb.txt")
                second.key(*keys)
                second.wait_gone()
                self.assertEqual(visible_windows(), [])
                self.assertEqual(ws.listing(), ["a.txt", "bb.txt"])
                self.assertEqual(dict(read_ini(ws))["Execute"], "2")

    def test_file_in_use_starts_the_next_at_once(self):
        ws, app = self.chain(["a.txt", "bb.txt", "ccc.txt"])
        ready = ws.root / "held"
        release = ws.root / "release"
        holder = subprocess.Popen(
            ["wine", str(WINDOWS_DIR / "tests" / "HoldOpen.exe"), ws.winpath(ws.files / "a.txt"),
             ws.winpath(ready), ws.winpath(release)],
            env=_Display.wine_env(JA), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_until(ready.exists, WINDOW_TIMEOUT, "the file to be held")
            before = visible_windows()
            replace_name(app, "x1")
            app.key("Return")
            wait_until(lambda: app.wid not in visible_windows(), SETTLE_TIMEOUT,
                       "the window to hide")
            self.assertTrue(app.alive(), "the first instance waits hidden")
            second = next_window(ws, before)
            shows(second, "bb.txt")
            before = visible_windows()
            replace_name(second, "x2")
            second.key("Return")
            third = next_window(ws, before)
            shows(third, "ccc.txt")
            third.key("Escape")
            third.wait_gone()
            self.assertTrue(app.alive(), "still waiting for the file")
            self.assertEqual(ws.listing(), ["a.txt", "ccc.txt", "x2.txt"])
            release.touch()
            self.assertEqual(app.wait_exit(), 0)
        finally:
            release.touch()
            holder.wait(timeout=30)
        self.assertEqual(ws.listing(), ["ccc.txt", "x1.txt", "x2.txt"])
        # The hidden instance started nothing more when it closed.
        self.assertEqual(visible_windows(), [])

    def test_unwritable_settings_do_not_stop_the_chain(self):
        ws, app = self.chain(["a.txt", "b.txt"])
        (ws.root / "Tovimar.ini").mkdir()
        for _ in range(2):
            before = set(visible_windows())
            main_window = [w for w in before][0]
            xdotool("windowfocus", "--sync", main_window)
            xdotool("key", "Escape")
            box = wait_until(lambda: [w for w in visible_windows() if w not in before],
                             SETTLE_TIMEOUT, "the error box")[0]
            self.assertEqual(len(message_boxes(ws)), 1)
            xdotool("windowfocus", "--sync", box)
            xdotool("key", "Return")
            wait_until(lambda: main_window not in visible_windows(), SETTLE_TIMEOUT,
                       "the window to close")
            if _ == 0:
                wait_until(lambda: visible_windows(), WINDOW_TIMEOUT, "the next instance")
        self.assertEqual(app.wait_exit(), 0)
        wait_until(lambda: visible_windows() == [], SETTLE_TIMEOUT, "no window left")
        self.assertEqual(ws.listing(), ["a.txt", "b.txt"])

    def test_end_of_session_saves_nothing_and_starts_nothing(self):
        ws, app = self.chain(["a.txt", "bb.txt"])
        # Wine's own log-off: every window is asked and told that the session ends.
        subprocess.run(["wine", "wineboot", "--end-session"], env=_Display.wine_env(JA),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
        app.wait_exit()
        self.assertEqual(visible_windows(), [])
        self.assertFalse((ws.root / "Tovimar.ini").exists())
        self.assertEqual(ws.listing(), ["a.txt", "bb.txt"])


if __name__ == "__main__":
    main()
