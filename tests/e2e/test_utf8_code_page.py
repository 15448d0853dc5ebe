"""Under code page 65001 (Windows' "Use Unicode UTF-8" option): the caret keys, the delete
buttons and the blank commands take whole characters, and the file on disk gets exactly the name
expected."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import UTF8, wine_env  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import Control  # noqa: E402
from tools import run  # noqa: E402

NO_BLANKS = "s"  # the Edit menu's remove-blanks item


class Utf8CodePageTest(E2ETest):
    @classmethod
    def tearDownClass(cls):
        # The prefix's own server would outlive the display.
        run(["wineserver", "-k"], env=wine_env(UTF8), check=False)

    def test_caret_after_an_emoji_and_the_blank_commands(self):
        # End, Left: Wine's edit stops between the two halves of the emoji.
        ws, app = self.start_on(UTF8, "file", "caf\u00e9 \u65e5\u672c \U0001f600.txt")
        app.key("End", "Left")
        app.click_control(Control.DELETE_LEFT)
        self.rename(app, ws, "\U0001f600.txt")

        # The bytes 81 40 inside チ@ are no blank; U+3000 is one.
        ws, app = self.start_on(UTF8, "file", "icon \u30c1@2x\u3000b \U0001f600.png")
        app.key("End", "Left")
        app.click_control(Control.DELETE_RIGHT)
        app.key("alt+e", NO_BLANKS)
        self.rename(app, ws, "icon\u30c1@2xb.png")

        # Wine's Backspace and Delete take one UTF-16 unit.
        ws, app = self.start_on(UTF8, "file", "a\U0001f600b\U0001f600c.txt")
        app.key("End", "Left", "BackSpace", "Home", "Right", "Delete")
        self.rename(app, ws, "abc.txt")


if __name__ == "__main__":
    main()
