"""Where the window opens: saved geometry, the cursor option, variable width, the screen edges."""

from base import E2ETest, main
from winhelpers import run_helper
from workspace import read_ini, write_ini
from xwindows import move_pointer

# Xvfb's screen (tests/wine-env.sh).
SCREEN_W, SCREEN_H = 1280, 1024
HEIGHT = 108


def ini_values(ws):
    return dict(read_ini(ws))


def window_state(ws):
    """The main window as Windows sees it: {'topmost', 'left', 'top', 'width', 'height'}."""
    r = run_helper("WindowState", ws)
    if r.returncode != 0:
        raise AssertionError(f"WindowState found no window ({r.returncode})")
    return {k: int(v) for k, v in (p.split("=") for p in r.stdout.split())}


class PlacementTest(E2ETest):
    def open_with(self, lines, name="a.txt", pointer=None):
        ws = self.workspace()
        ws.make_file(name)
        write_ini(ws, lines)
        if pointer is not None:
            move_pointer(*pointer)
        app = self.start(ws, ws.winpath(ws.files / name))
        return ws, app

    def test_geometry_at_start(self):
        # (settings lines, name on disk, pointer or None, expected (left, top, width))
        name40 = "n" * 40 + ".txt"
        name41 = "n" * 41 + ".txt"
        cases = [
            (["Left=100", "Top=200", "Width=400"], "a.txt", None, (100, 200, 400)),
            (["Left=-50", "Top=100", "Width=320"], "a.txt", None, (0, 100, 320)),
            (["Left=100", "Top=-30", "Width=320"], "a.txt", None, (100, 0, 320)),
            (["Left=10", "Top=20", "Width=100"], "a.txt", None, (10, 20, 300)),
            (["Left=1200", "Top=1000", "Width=320"], "a.txt", None,
             (SCREEN_W - 320, SCREEN_H - HEIGHT, 320)),
            (["Left=50", "Top=60", "Width=5000"], "a.txt", None, (0, 60, SCREEN_W)),
            (["Left=100", "Top=100", "Width=320", "Var=1"], name40, None, (100, 100, 368)),
            (["Left=100", "Top=100", "Width=320", "Var=1"], name41, None, (100, 100, 368)),
            (["Left=100", "Top=100", "Width=320", "Var=1"], "abcde.txt", None, (100, 100, 320)),
            (["Left=100", "Top=100", "Width=400", "Var=1"], name40, None, (100, 100, 400)),
        ]
        self.check_geometry(cases)

    def test_cursor_option_centres_on_the_pointer(self):
        cases = [
            (["Left=100", "Top=100", "Width=320", "Cursor=1"], "a.txt", (500, 400),
             (340, 346, 320)),
            (["Left=100", "Top=100", "Width=301", "Cursor=1"], "a.txt", (501, 400),
             (351, 346, 301)),
            (["Left=100", "Top=100", "Width=320", "Cursor=1"], "a.txt", (1275, 1020),
             (SCREEN_W - 320, SCREEN_H - HEIGHT, 320)),
            (["Left=100", "Top=100", "Width=320", "Cursor=1"], "a.txt", (2, 3), (0, 0, 320)),
        ]
        self.check_geometry(cases)

    def check_geometry(self, cases):
        for lines, name, pointer, (left, top, width) in cases:
            with self.subTest(lines=lines, name=name, pointer=pointer):
                ws, app = self.open_with(lines, name, pointer)
                self.assertEqual(app.settled_size((width, HEIGHT)), (width, HEIGHT))
                self.assertEqual(app.geometry(), (left, top, width, HEIGHT))
                state = window_state(ws)
                self.assertEqual((state["left"], state["top"], state["width"]),
                                 (left, top, width))
                self.close_with(app, "Escape")

    def test_widened_window_selects_the_whole_name(self):
        name = "n" * 40
        ws, app = self.open_with(["Width=320", "Var=1"], name + ".txt")
        self.assertEqual(app.copy_selection(self.clipboard), name)
        self.close_with(app, "Escape")

    def test_geometry_saved_at_close(self):
        # (settings lines, name on disk, expected saved Left, Top, Width)
        cases = [
            (["Left=-50", "Top=100", "Width=320"], "a.txt", ("0", "100", "320")),
            (["Left=10", "Top=20", "Width=100"], "a.txt", ("10", "20", "300")),
            # With the variable-width option on the saved geometry stays what it was.
            (["Left=-50", "Top=100", "Width=320", "Var=1"], "n" * 40 + ".txt",
             ("-50", "100", "320")),
        ]
        for lines, name, saved in cases:
            with self.subTest(lines=lines):
                ws, app = self.open_with(lines, name)
                self.close_with(app, "Escape")
                values = ini_values(ws)
                self.assertEqual((values["Left"], values["Top"], values["Width"]), saved)

    def test_front_option_makes_the_window_topmost(self):
        for front, topmost in [("1", 1), ("0", 0)]:
            with self.subTest(front=front):
                ws, app = self.open_with([f"Front={front}"])
                self.assertEqual(window_state(ws)["topmost"], topmost)
                self.close_with(app, "Escape")
                self.assertEqual(ini_values(ws)["Front"], front)


if __name__ == "__main__":
    main()
