"""The target's own dates pasted into the name, and the date format dialog, on real files."""

import datetime
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import InstanceWindow  # noqa: E402
from tools import WINDOW_TIMEOUT, wait_until  # noqa: E402
from winhelpers import message_boxes  # noqa: E402
from workspace import read_ini, write_ini  # noqa: E402
from xwindows import xdotool  # noqa: E402
import media_samples  # noqa: E402

# Edit menu access keys.
MODIFIED, TAKEN, FORMAT = "m", "p", "f"
TAKEN_NOT_FOUND = "撮影日時が見つかりません"
TAKEN_UNREADABLE = "ファイルを開けないので撮影日時を読めません"
BLANK_AT_END = "書式の先頭や末尾に空白は使えません"
DIALOG_TITLE = "日付の書式"


class TargetDatesTest(E2ETest):
    def open_format_dialog(self, ws, app):
        app.key("alt+e", FORMAT)

        def dialog():
            titles = {xdotool("getwindowname", wid, check=False): wid for wid in app.windows()}
            return titles.get(DIALOG_TITLE)

        return InstanceWindow(ws, wait_until(dialog, WINDOW_TIMEOUT, "the dialog"), app.pid)

    def file_written_at(self, ws, name, when):
        path = ws.make_file(name, b"x")
        stamp = when.timestamp()  # local time, as the host's zone (and Wine's) reads it
        os.utime(path, (stamp, stamp))
        return path

    def test_modified_time_pasted_over_the_name(self):
        ws = self.workspace()
        write_ini(ws, ["TimeFormat=yyyymmdd_hhnnss"])
        path = self.file_written_at(ws, "abcd.txt", datetime.datetime(2021, 1, 14, 5, 6, 7))
        app = self.start(ws, ws.winpath(path))
        app.key("alt+e", MODIFIED)
        self.rename(app, ws, "20210114_050607.txt")

    def test_taken_time_pasted_and_its_absence_told(self):
        ws = self.workspace()
        write_ini(ws, ["TimeFormat=yyyymmdd_hhnnss"])
        plain = ws.make_file("plain.jpg", b"\xff\xd8\xff\xd9")
        app = self.start(ws, ws.winpath(plain))
        app.key("alt+e", TAKEN)
        app.wait_title(lambda t: t == TAKEN_NOT_FOUND, "the missing-date message")
        self.close_with(app, "Escape")
        self.assertIn("plain.jpg", ws.listing())

        photo = ws.make_file("DSC0001.jpg", media_samples.exif_jpeg("2019:07:08 09:10:11"))
        app = self.start(ws, ws.winpath(photo))
        app.key("alt+e", TAKEN)
        app.wait_title(lambda t: t.endswith(" 15+4 byte"), "the pasted date's byte count")
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["20190708_091011.jpg", "plain.jpg"])

        # Held open without sharing by another program: not read, and not called dateless. A
        # folder has no such date.
        held = ws.make_file("held.jpg", media_samples.exif_jpeg("2019:07:08 09:10:11"))
        holder = self.hold(ws, held)
        for path, told in ((held, TAKEN_UNREADABLE), (ws.make_dir("album"), TAKEN_NOT_FOUND)):
            app = self.start(ws, ws.winpath(path))
            app.key("alt+e", TAKEN)
            app.wait_title(lambda t: t == told, told)
            self.close_with(app, "Escape")
        holder.release()
        self.assertEqual(ws.listing(), ["20190708_091011.jpg", "album", "held.jpg", "plain.jpg"])

    def test_taken_time_of_each_container_family(self):
        # Matroska's date is UTC and shown in local time (Wine's zone is the host's); the
        # others are the camera's own clock, the phone's offset ignored.
        webm_local = datetime.datetime.fromtimestamp(1562577011).strftime("%Y%m%d_%H%M%S")
        rows = [("clip.png", media_samples.png_text_profile(), "20190708_091011"),
                ("clip.webp", media_samples.webp(), "20190708_091011"),
                ("clip.webm", media_samples.mkv(), webm_local),
                ("clip.mov", media_samples.apple_mov(), "20190708_091011"),
                ("clip.raf", media_samples.raf(), "20190708_091011")]
        for name, data, expected in rows:
            with self.subTest(name):
                ws = self.workspace()
                write_ini(ws, ["TimeFormat=yyyymmdd_hhnnss"])
                app = self.start(ws, ws.winpath(ws.make_file(name, data)))
                app.key("alt+e", TAKEN)
                suffix = f" 15+{len(name) - 4} byte"  # the extension keeps its full stop
                app.wait_title(lambda t: t.endswith(suffix), "the pasted date")
                self.rename(app, ws, expected + name[4:])

    def test_format_dialog_previews_and_keeps_the_pattern(self):
        ws = self.workspace()
        write_ini(ws, ["TimeFormat=yymmddhhnnss"])
        path = self.file_written_at(ws, "abcd.txt", datetime.datetime(2021, 1, 14, 5, 6, 7))
        app = self.start(ws, ws.winpath(path))
        box = self.open_format_dialog(ws, app)
        # The pattern field has the focus and the pattern in force.
        self.assertEqual(box.copy_all(self.clipboard), "yymmddhhnnss")
        box.key("End", "shift+Home", "BackSpace")
        box.type("'v'yyyy-mm-dd")
        # The modified date's preview, by its access key (which selects all of it).
        preview = box.copy_selection(self.clipboard, keys=("alt+m",))
        self.assertEqual(preview, "v2021-01-14")
        box.key("Return")
        wait_until(lambda: not box.shown(), WINDOW_TIMEOUT, "the dialog to close")

        app.key("alt+e", MODIFIED)
        self.rename(app, ws, "v2021-01-14.txt")
        self.assertEqual(dict(read_ini(ws))["TimeFormat"], "'v'yyyy-mm-dd")

    def test_format_dialog_under_code_page_1252(self):
        """Only presets the code page holds; a pattern the settings file would give back
        trimmed is refused with the reason, and the dialog stays."""
        ws = self.workspace()
        app = self.start(ws, ws.winpath(ws.make_file("abcd.txt")), lang=EN)
        box = self.open_format_dialog(ws, app)
        # The last preset, which choosing puts into the pattern field.
        box.key("alt+s", *["Down"] * 6, "alt+f")
        self.assertEqual(box.copy_all(self.clipboard), "'IMG_'yyyymmdd_hhnnss")
        box.type("yymmdd ")  # over the selection
        box.key("Return")
        wait_until(lambda: ("Tovimar", BLANK_AT_END) in message_boxes(ws), WINDOW_TIMEOUT,
                   "the reason")
        self.assertTrue(box.shown())


if __name__ == "__main__":
    main()
