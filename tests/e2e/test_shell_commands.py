"""Opening the target and the manual through the shell; the version and missing-help boxes."""

import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import WINDOWS_DIR  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Control, end_wine_session, replace_name  # noqa: E402
from titles import VERSION_LINE  # noqa: E402
from tools import SETTLE_TIMEOUT, WINDOW_TIMEOUT, wait_until  # noqa: E402
from winhelpers import the_message_box  # noqa: E402
from workspace import write_ini  # noqa: E402
from xwindows import xdotool  # noqa: E402


def viewer_windows():
    """Visible windows of the text viewer .txt is associated with (Notepad)."""
    out = xdotool("search", "--onlyvisible", "--classname", "notepad", check=False)
    return [w for w in out.split() if w]


def built_with_help_address():
    cache = WINDOWS_DIR / "CMakeCache.txt"
    lines = cache.read_text(errors="replace").splitlines() if cache.is_file() else []
    return any(line.startswith("TOVIMAR_HELP_URL:") and line.split("=", 1)[1] for line in lines)


def close_viewers():
    for wid in viewer_windows():
        xdotool("windowfocus", "--sync", wid, check=False)
        xdotool("key", "alt+F4", check=False)
    try:
        wait_until(lambda: not viewer_windows(), SETTLE_TIMEOUT, "the viewer to close")
    except AssertionError:
        # A viewer that will not close is reached only by ending the test's Wine session.
        end_wine_session()


class ShellCommandsTest(E2ETest):
    def tearDown(self):
        close_viewers()
        super().tearDown()

    def opened_in_viewer(self, before, name):
        """The title of the viewer window that opened, once it names the file name."""
        wid = wait_until(lambda: [w for w in viewer_windows() if w not in before],
                         WINDOW_TIMEOUT, "the associated viewer's window")[0]
        # The viewer shows an untitled window first, then the file it loaded.
        titles = []

        def named():
            titles.append(xdotool("getwindowname", wid, check=False))
            return name in titles[-1] and titles[-1]

        try:
            return wait_until(named, SETTLE_TIMEOUT, f"a viewer titled with {name}")
        except AssertionError:
            self.fail(f"the viewer shows {titles[-1]!r}, not {name}")

    def test_open_in_the_associated_viewer(self):
        # (what, action on the window, file name the viewer must show)
        def f1(app):
            app.key("F1")

        def ctrl_o(app):
            replace_name(app, "edited")
            app.key("ctrl+o")

        def double_click(app):
            replace_name(app, "edited")
            app.click_control(Control.NAME, repeat=2)

        cases = [
            ("F1, manual beside the program", f1, "Tovimar.txt"),
            ("Ctrl+O after an edit", ctrl_o, "photo.txt"),
            ("double-click after an edit", double_click, "photo.txt"),
        ]
        for what, action, shown in cases:
            with self.subTest(what):
                ws = self.workspace()
                shutil.copy2(WINDOWS_DIR / "Tovimar.txt", ws.root / "Tovimar.txt")
                target = ws.make_file("photo.txt", b"contents\r\n")
                app = self.start(ws, ws.winpath(target))
                before = viewer_windows()
                action(app)
                title = self.opened_in_viewer(before, shown)
                self.assertNotIn("edited", title)
                close_viewers()
                self.close_with(app, "Escape")
                self.assertEqual(ws.listing(), ["photo.txt"])

    def test_boxes(self):
        # (settings lines, key presses, expected caption, expected lines of text for a workspace)
        cases = [
            (["Execute=41"], ("alt+h", "v"), "Tovimar - バージョン情報（41）",
             lambda ws: [VERSION_LINE, "ファイルやフォルダの名前を一つずつ変更します",
                         "設定ファイル: " + ws.winpath(ws.root / "Tovimar.ini")]),
            # Built without an online address, help without the manual says what it looked for.
            ([], ("F1",), "Tovimar",
             lambda ws: ["ヘルプファイルが見つかりません", ws.winpath(ws.root / "Tovimar.txt")]),
        ]
        for lines, keys, caption, text in cases:
            if keys == ("F1",) and built_with_help_address():
                continue  # this build opens the online help instead
            with self.subTest(keys=keys):
                ws = self.workspace()
                write_ini(ws, lines)
                target = ws.make_file("a.txt")
                app = self.start(ws, ws.winpath(target))
                app.key(*keys)
                box = wait_until(lambda: the_message_box(ws), WINDOW_TIMEOUT, "the message box")
                self.assertEqual(box, (caption, text(ws)))
                box = xdotool("search", "--onlyvisible", "--name", f"^{caption}$").split()[0]
                xdotool("windowfocus", "--sync", box)
                xdotool("key", "Return")
                wait_until(lambda: not the_message_box(ws), SETTLE_TIMEOUT, "the box to close")
                self.close_with(app, "Escape")

    def test_open_without_an_application_says_so(self):
        ws = self.workspace()
        target = ws.make_file("data.zzqx", b"no viewer for this")
        app = self.start(ws, ws.winpath(target))
        app.key("ctrl+o")
        caption, text = wait_until(lambda: the_message_box(ws), WINDOW_TIMEOUT, "the message box")
        self.assertEqual((caption, text[:2]), ("Tovimar", ["ファイルを開けません", ws.winpath(target)]))
        # The system's reason: no program is associated (Wine's own last error there, 193, would
        # read "%1 の EXE フォーマットが不正です。").
        self.assertEqual(text[2:], ["関連づけられたアプリケーションがありません。"])
        xdotool("windowfocus", "--sync", xdotool("search", "--onlyvisible", "--name", "^Tovimar$").split()[0])
        xdotool("key", "Return")
        wait_until(lambda: not the_message_box(ws), SETTLE_TIMEOUT, "the box to close")
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["data.zzqx"])


if __name__ == "__main__":
    main()
