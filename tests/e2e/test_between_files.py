"""Between files: a chain stopped short, and a folder walked one file after another."""

from pathlib import Path

from base import E2ETest, main
from program import end_wine_session, replace_name
from titles import status_line
from tools import SETTLE_TIMEOUT, wait_until
from workspace import read_ini
from xwindows import visible_windows, xdotool


def shows(window, name):
    stem, ext = name.rsplit(".", 1)
    expected = status_line(stem, "." + ext)
    window.wait_title(lambda t: t == expected, f"the title of {name}")


def processes_naming(text):
    """The processes whose command line holds text: a started instance holds its paths."""
    found = []
    for cmdline in Path("/proc").glob("[0-9]*/cmdline"):
        try:
            found += [cmdline] if text.encode() in cmdline.read_bytes() else []
        except OSError:
            pass  # gone meanwhile
    return found


class BetweenFilesTest(E2ETest):
    def tearDown(self):
        super().tearDown()
        if visible_windows():
            end_wine_session()

    def test_shift_escape_stops_the_chain(self):
        ws = self.workspace()
        names = ["a.txt", "bb.txt", "ccc.txt"]
        paths = [ws.make_file(n) for n in names]
        app = self.start(ws, *[ws.winpath(p) for p in paths])
        shows(app, "a.txt")
        # The taskbar button (the off-screen application window) counts the paths after this one.
        windows = xdotool("search", "--all", "--pid", app.pid, "--name", "Tovimar").split()
        self.assertIn("Tovimar - 残り2件", [xdotool("getwindowname", w) for w in windows])
        app.key("shift+Escape")
        self.assertEqual(app.wait_exit(), 0)
        # A next instance would exist by now: the launch returns only once its process does.
        self.assertEqual(processes_naming(ws.winpath(paths[1])), [])
        self.assertEqual(visible_windows(), [])
        self.assertEqual(ws.listing(), names)
        self.assertEqual(dict(read_ini(ws))["Execute"], "1")

    def test_ctrl_enter_walks_the_folder(self):
        ws = self.workspace()
        for name in ["b.txt", "cc.txt", "ddd.txt"]:
            ws.make_file(name)
        app = self.start(ws, ws.winpath(ws.files / "b.txt"))
        shows(app, "b.txt")
        # New names that sort after the old ones: the walk does not come round to them.
        replace_name(app, "z1")
        app.key("ctrl+Return")
        shows(app, "cc.txt")
        # A fresh target: its name is selected, typing replaces it.
        app.type("z2")
        app.key("ctrl+Return")
        shows(app, "ddd.txt")
        app.type("z3")
        # The last of the folder: closes as Enter does.
        app.key("ctrl+Return")
        self.assertEqual(app.wait_exit(), 0)
        wait_until(lambda: ws.listing() == ["z1.txt", "z2.txt", "z3.txt"], SETTLE_TIMEOUT,
                   "the three renames")
        self.assertEqual(dict(read_ini(ws))["Execute"], "1")


if __name__ == "__main__":
    main()
