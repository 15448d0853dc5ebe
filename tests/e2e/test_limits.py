"""Typing limits of the two text controls and the window's size limits."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA  # noqa: E402

from base import E2ETest, main  # noqa: E402
from titles import ALL_LANGS, cp932_len  # noqa: E402

HYO = "表"  # two bytes in code page 932, the second one 0x5C

# (locale, text pasted over the whole name, ASCII typed after it, expected name field)
NAME_LIMIT_CASES = [
    (JA, HYO * 100, "", HYO * 80),
    (JA, HYO * 79 + "a", "bc", HYO * 79 + "ab"),
    (JA, "a" * 159, "", "a" * 159),
    (JA, "a" * 150, "x" * 20, "a" * 150 + "x" * 10),
    (JA, "テスト" * 30, "", "テスト" * 26 + "テス"),
    (JA, "", "y" * 170, "y" * 160),
    ("en_US.UTF-8", "", "z" * 165, "z" * 160),
]

# (drag of the bottom-right corner, expected width and height)
RESIZE_CASES = [
    ((180, 0), (500, 108)),
    ((80, 200), (400, 108)),
    ((-120, -60), (300, 108)),
    ((-15, 0), (305, 108)),
    ((0, -30), (320, 108)),
]


class LimitsTest(E2ETest):
    def test_name_field_stops_at_160_bytes(self):
        for lang, pasted, typed, expected in NAME_LIMIT_CASES:
            with self.subTest(lang=lang, pasted=pasted[:8], typed=typed[:8]):
                _, app = self.start_on(lang, "file", "n.txt")
                if pasted:
                    app.paste(self.clipboard, pasted)
                else:
                    app.key("Delete")
                if typed:
                    app.type(typed)
                got = app.copy_all(self.clipboard)
                self.assertLessEqual(cp932_len(got), 160)
                self.assertEqual(got, expected)
                self.close_with(app, "Escape")

    def test_pasting_a_double_byte_character_into_159_bytes_is_refused(self):
        _, app = self.start_on(JA, "file", "n.txt")
        app.paste(self.clipboard, "a" * 159)
        app.key("End")
        app.paste(self.clipboard, HYO)
        self.assertEqual(app.copy_all(self.clipboard), "a" * 159)
        self.close_with(app, "Escape")

    def test_extension_box_stops_at_16_bytes(self):
        for lang in ALL_LANGS:
            with self.subTest(lang=lang):
                _, app = self.start_on(lang, "file", "n.txt")
                app.key("Tab", "Home", "shift+End", "Delete")
                app.type(".abcdefghijklmnopqrstuvwxyz")
                self.assertEqual(app.copy_all(self.clipboard), ".abcdefghijklmno")
                self.close_with(app, "Escape")

    def test_window_opens_at_design_size(self):
        _, app = self.start_on(JA, "file", "short.txt")
        self.assertEqual(app.geometry()[2:], (320, 108))
        self.close_with(app, "Escape")

    def test_resizing_keeps_height_and_minimum_width(self):
        for drag, expected in RESIZE_CASES:
            with self.subTest(drag=drag):
                _, app = self.start_on(JA, "file", "short.txt")
                app.drag_corner(*drag)
                self.assertEqual(app.settled_size(expected), expected)
                self.close_with(app, "Escape")

if __name__ == "__main__":
    main()
