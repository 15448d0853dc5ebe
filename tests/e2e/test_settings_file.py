"""Tovimar.ini beside the executable: what a run reads from it and what its close writes."""

import datetime
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from tools import SETTLE_TIMEOUT, wait_until  # noqa: E402
from winhelpers import message_boxes  # noqa: E402
from workspace import read_ini, user_settings_folder, write_ini  # noqa: E402
from xwindows import xdotool  # noqa: E402
from test_placement_window import window_state  # noqa: E402

FIRST_RUN_KEYS = ["Left", "Top", "Width", "Execute", "Cursor", "Front", "Var", "TimeFormat"] + [
    f"Ext{i}" for i in range(16)
]


class SettingsFileTest(E2ETest):
    def run_and_close(self, ws, name="a.txt", lang=JA):
        path = ws.files / name
        if not path.exists():
            ws.make_file(name)
        app = self.start(ws, ws.winpath(path), lang=lang)
        self.close_with(app, "Escape")
        return app

    def test_first_run_writes_every_key_in_order(self):
        ws = self.workspace()
        self.run_and_close(ws, "photo.JPG")
        pairs = read_ini(ws)
        self.assertEqual([k for k, _ in pairs], FIRST_RUN_KEYS)
        values = dict(pairs)
        for key in ("Left", "Top"):
            self.assertRegex(values[key], r"^(0|-?[1-9][0-9]*)$", key)
        expected = {"Width": "320", "Execute": "1", "Cursor": "0", "Front": "0", "Var": "0",
                    "TimeFormat": "yymmddhhnnss", "Ext0": ".JPG"}
        expected.update({f"Ext{i}": "" for i in range(1, 16)})
        self.assertEqual({k: values[k] for k in expected}, expected)

    def test_values_read_and_written_back(self):
        # (lines in the file, expected values after one run that only closes)
        cases = [
            (["Execute=0x10"], {"Execute": "17"}),
            (["Execute= 41 "], {"Execute": "42"}),
            (["Execute=-5"], {"Execute": "-4"}),
            (["Execute=$1F"], {"Execute": "32"}),
            (["Execute=12abc"], {"Execute": "1"}),
            (["Execute=99999999999"], {"Execute": "1"}),
            (["Cursor=yes", "Front=2", "Var=0"], {"Cursor": "0", "Front": "1", "Var": "0"}),
            (["Cursor=-1", "Front=0x0"], {"Cursor": "1", "Front": "0"}),
            (["TimeFormat="], {"TimeFormat": ""}),
            (["TimeFormat=yyyy-mm-dd hh.nn"], {"TimeFormat": "yyyy-mm-dd hh.nn"}),
            (["TimeFormat=日付yymmdd"], {"TimeFormat": "日付yymmdd"}),
            (['TimeFormat="IMG_"yymmdd"_x"'], {"TimeFormat": '"IMG_"yymmdd"_x"'}),
            (["TimeFormat='写真'yymmdd'_'"], {"TimeFormat": "'写真'yymmdd'_'"}),
            (["Execute=2147483647"], {"Execute": "2147483647"}),
            (["Left=40", "Top=50", "Width=400"], {"Left": "40", "Top": "50", "Width": "400"}),
        ]
        for lines, expected in cases:
            with self.subTest(lines=lines):
                ws = self.workspace()
                write_ini(ws, lines)
                self.run_and_close(ws)
                values = dict(read_ini(ws))
                self.assertEqual({k: values.get(k) for k in expected}, expected)

    def test_narrow_saved_width_opens_at_the_minimum(self):
        ws = self.workspace()
        ws.make_file("a.txt")
        write_ini(ws, ["Left=10", "Top=20", "Width=100"])
        app = self.start(ws, ws.winpath(ws.files / "a.txt"))
        self.assertEqual(app.settled_size((300, 108)), (300, 108))
        self.close_with(app, "Escape")
        self.assertEqual(dict(read_ini(ws))["Width"], "300")

    def test_variable_width_leaves_the_position_alone(self):
        ws = self.workspace()
        write_ini(ws, ["Var=1"])
        self.run_and_close(ws)
        keys = [k for k, _ in read_ini(ws)]
        # The key from the file stays in its place; the rest follow in order, without geometry.
        self.assertEqual(keys, ["Var"] + [k for k in FIRST_RUN_KEYS[3:] if k != "Var"])

        ws = self.workspace()
        write_ini(ws, ["Left=40", "Top=50", "Width=400", "Var=1"])
        ws.make_file("a.txt")
        app = self.start(ws, ws.winpath(ws.files / "a.txt"))
        xdotool("windowmove", "--sync", app.wid, 200, 300)
        self.close_with(app, "Escape")
        values = dict(read_ini(ws))
        self.assertEqual((values["Left"], values["Top"], values["Width"]), ("40", "50", "400"))

    def test_keys_added_by_hand_stay(self):
        ws = self.workspace()
        write_ini(ws, ["Mine=kept", "Execute=3"])
        self.run_and_close(ws)
        values = dict(read_ini(ws))
        self.assertEqual((values["Mine"], values["Execute"]), ("kept", "4"))

    def test_unwritable_file_reports_once_and_closes(self):
        ws = self.workspace()
        ws.make_file("a.txt")
        # A folder where the file would be, and no folder of the user's to give way to: every
        # write fails.
        (ws.root / "Tovimar.ini").mkdir()
        self.own_user_settings(blocked=True)
        app = self.start(ws, ws.winpath(ws.files / "a.txt"))
        app.key("Escape")
        box = wait_until(lambda: [w for w in app.windows() if w != app.wid], SETTLE_TIMEOUT,
                         "the error box")
        self.assertEqual(len(box), 1)
        self.assertEqual(xdotool("getwindowname", box[0]), "Tovimar")
        ini_path = ws.winpath(ws.root / "Tovimar.ini")
        self.assertEqual(message_boxes(ws), [("Tovimar", f"{ini_path} に書き込めません.")])
        xdotool("windowfocus", "--sync", box[0])
        xdotool("key", "Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["a.txt"])

    def test_read_only_file_gives_way_to_the_users_file(self):
        # As under C:\Program Files: the file beside the program cannot be written.
        self.own_user_settings()
        ws = self.workspace()
        ws.make_file("a.txt")
        seed = b"; mine\r\n[Tovimar]\r\nLeft=100\r\nTop=200\r\nMine=kept\r\n"
        beside = ws.root / "Tovimar.ini"
        beside.write_bytes(seed)
        beside.chmod(0o444)  # Wine's read-only attribute
        app = self.start(ws, ws.winpath(ws.files / "a.txt"))
        app.key("alt+w", "f")  # always in front
        # No error box: the close ends the program.
        self.close_with(app, "Escape")
        written = (user_settings_folder() / "Tovimar.ini").read_bytes().split(b"\r\n")
        self.assertEqual(written[:5], seed.split(b"\r\n")[:5])
        self.assertIn(b"Front=1", written)
        app = self.start(ws, ws.winpath(ws.files / "a.txt"))
        self.assertEqual(window_state(ws)["topmost"], 1)
        self.close_with(app, "Escape")

    def test_notepad_utf8_file_is_read_and_stays_as_written(self):
        # UTF-8 without a byte-order mark, as Notepad saves it; 😀 is not in code page 932.
        lines = ["[Tovimar]", "TimeFormat=yyyy'年'mm'月'", "Mine=日本語 😀", "Ext0=😀"]
        ws = self.workspace()
        (ws.root / "Tovimar.ini").write_bytes("".join(l + "\r\n" for l in lines).encode())
        app = self.start(ws, ws.winpath(ws.make_file("a.txt")))
        stamps = [datetime.datetime.now().strftime("%Y年%m月")]
        app.key("End", "shift+Home", "alt+e", "t")
        stamps.append(datetime.datetime.now().strftime("%Y年%m月"))
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertIn(ws.listing(), [[f"{stamp}.txt"] for stamp in stamps])
        written = (ws.root / "Tovimar.ini").read_bytes().decode("utf-8").split("\r\n")
        self.assertEqual(written[:3], lines[:3])
        self.assertIn("Ext0=.txt", written)
        self.assertIn("Execute=1", written)


if __name__ == "__main__":
    main()
