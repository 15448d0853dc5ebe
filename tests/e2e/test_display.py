"""The display: the window's layout at 96 and 144 pixels per inch, and the program's own
Japanese texts read right under a code page other than 932."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN, JA, wine_env  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Control, Tovimar  # noqa: E402
from tools import run  # noqa: E402
from winhelpers import window_layout  # noqa: E402

DESKTOP_KEY = r"HKCU\Control Panel\Desktop"

# Control id: (left, top, width, height, stretches) at 96 pixels per inch. The extension box's
# closed height is left out: Wine draws it 2 pixels taller than asked at every density.
DESIGN = {
    Control.NAME: (8, 6, 295, 23, True),
    Control.EXTENSION: (8, 36, 81, None, False),
    Control.DELETE_LEFT: (96, 36, 49, 23, False),
    Control.DELETE_RIGHT: (152, 36, 49, 23, False),
    Control.RENAME: (208, 36, 95, 23, True),
}
DESIGN_CLIENT_WIDTH = 312


def scaled(length, dpi):
    return (length * dpi + 48) // 96


def expected_layout(dpi, client_width):
    """{id: (left, top, width, height)} for a client area client_width wide."""
    layout = {}
    for cid, (left, top, width, height, stretches) in DESIGN.items():
        w = scaled(width, dpi)
        if stretches:
            margin = scaled(DESIGN_CLIENT_WIDTH - (left + width), dpi)
            w = client_width - margin - scaled(left, dpi)
        layout[cid] = (scaled(left, dpi), scaled(top, dpi), w,
                       None if height is None else scaled(height, dpi))
    return layout


def control_layout(ws, new_dpi=None):
    """window_layout, without the extension box's height."""
    sizes, controls = window_layout(ws, new_dpi)
    controls[Control.EXTENSION] = controls[Control.EXTENSION][:3] + (None,)
    return sizes, controls


def set_dpi(dpi):
    """Pixels per inch of the prefix's display; Wine reads it as each program starts."""
    env = wine_env(JA)
    if dpi == 96:
        run(["wine", "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f"], env=env,
            check=False)
    else:
        run(["wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d",
             str(dpi), "/f"], env=env)


class DisplayTest(E2ETest):
    def test_layout_scales_with_the_display(self):
        self.addCleanup(set_dpi, 96)
        for dpi in (96, 144):
            with self.subTest(dpi=dpi):
                set_dpi(dpi)
                ws = self.workspace()
                app = self.start(ws, ws.winpath(ws.make_file("a.txt")))
                sizes, controls = control_layout(ws)
                self.assertEqual(sizes["window"], (scaled(320, dpi), scaled(108, dpi)))
                self.assertEqual(app.geometry()[2:], sizes["window"])
                self.assertEqual(controls, expected_layout(dpi, sizes["client"][0]))
                self.close_with(app, "Escape")

    def test_layout_follows_a_change_of_display_density(self):
        # Started at 96, then moved (as far as the window knows) to a display of 144: laid
        # out as if started there.
        set_dpi(96)
        ws = self.workspace()
        app = self.start(ws, ws.winpath(ws.make_file("a.txt")))
        sizes, controls = control_layout(ws, new_dpi=144)
        self.assertEqual(sizes["window"], (scaled(320, 144), scaled(108, 144)))
        self.assertEqual(app.geometry()[2:], sizes["window"])
        self.assertEqual(controls, expected_layout(144, sizes["client"][0]))
        self.close_with(app, "Escape")

    def test_fixed_message_reads_right_under_code_page_1252(self):
        # A drive root is refused with a fixed message in the title; the window is found by
        # that title, read as UTF-8 from X, so a garbled message never matches.
        ws = self.workspace()
        app = Tovimar(ws, ["Z:\\"], EN)
        self.apps.append(app)
        app.wait_window_titled("ドライブやサーバーのルートは対象にできません")
        self.close_with(app, "Escape")


if __name__ == "__main__":
    main()
