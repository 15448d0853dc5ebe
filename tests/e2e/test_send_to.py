"""The Send To entry: the window menu's check item adds and removes Tovimar.lnk in the user's
Send To folder, and asks before replacing one that starts another program."""

import shutil
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, WINDOWS_DIR, wine_env, winpath  # noqa: E402

from base import E2ETest, main  # noqa: E402
from tools import SETTLE_TIMEOUT, wait_until  # noqa: E402
from winhelpers import message_boxes, run_helper  # noqa: E402
from workspace import Workspace, user_roaming_folder  # noqa: E402

LINK = user_roaming_folder() / "Microsoft" / "Windows" / "SendTo" / "Tovimar.lnk"
OTHER_PROGRAM = "c:\\windows\\notepad.exe"
CANNOT_CHANGE = "「送る」メニューを変更できません"


def shortcut(*args):
    """Runs the Shortcut helper on the link: the program it starts, in lower case."""
    r = subprocess.run(["wine", str(WINDOWS_DIR / "tests" / "Shortcut.exe"), args[0],
                        winpath(LINK), *args[1:]],
                       env=wine_env(JA), capture_output=True, timeout=30, check=True)
    return r.stdout.decode("utf-8").lower()


def boxes_text(ws):
    """The captions and whole texts of the program's message boxes, in one look."""
    return run_helper("MessageBoxText", ws).stdout


class SendToTest(E2ETest):
    def test_check_item_adds_replaces_and_removes_the_shortcut(self):
        LINK.unlink(missing_ok=True)
        self.addCleanup(LINK.unlink, missing_ok=True)
        ws = self.workspace()
        app = self.start(ws)  # no target: the entry works all the same
        program = winpath(ws.exe).lower()

        app.key("alt+w", "s")
        wait_until(LINK.is_file, SETTLE_TIMEOUT, "the shortcut to appear")
        self.assertEqual(shortcut("read"), program)
        # A folder that refuses the removal: said, the shortcut still there.
        subprocess.run(["chattr", "+i", str(LINK.parent)], check=True)
        self.addCleanup(subprocess.run, ["chattr", "-i", str(LINK.parent)], check=True)
        app.key("alt+w", "s")
        self.assertIn(CANNOT_CHANGE, wait_until(lambda: boxes_text(ws), SETTLE_TIMEOUT, "the box"))
        self.assertTrue(LINK.is_file())
        app.key("Return")
        wait_until(lambda: not message_boxes(ws), SETTLE_TIMEOUT, "the box to close")
        subprocess.run(["chattr", "-i", str(LINK.parent)], check=True)
        # Its own shortcut goes without a question.
        app.key("alt+w", "s")
        wait_until(lambda: not LINK.exists(), SETTLE_TIMEOUT, "the shortcut to go")

        # Another program's is replaced only after the question, answered yes.
        shortcut("write", OTHER_PROGRAM)
        app.key("alt+w", "s")
        question = wait_until(lambda: boxes_text(ws), SETTLE_TIMEOUT, "the question")
        self.assertIn(OTHER_PROGRAM, question.lower())
        self.assertEqual(shortcut("read"), OTHER_PROGRAM, "asked before replacing")
        app.key("y")
        wait_until(lambda: shortcut("read") == program, SETTLE_TIMEOUT, "the program's shortcut")

    def test_program_in_a_folder_outside_the_code_page(self):
        # Wine's link object keeps its path in the ANSI code page (ü comes back as u): the entry
        # holds the folder's short form, which starts the program, and is known as its own.
        LINK.unlink(missing_ok=True)
        self.addCleanup(LINK.unlink, missing_ok=True)
        ws = self.workspace()
        folder = ws.root / "M\u00fcller \U0001F600"
        folder.mkdir()
        shutil.move(ws.exe, folder / "Tovimar.exe")
        ws.exe = folder / "Tovimar.exe"
        app = self.start(ws)
        app.key("alt+w", "s")
        wait_until(LINK.is_file, SETTLE_TIMEOUT, "the shortcut to appear")
        self.assertEqual(shortcut("read"), Workspace.short_winpath(ws.exe).lower())
        app.key("alt+w", "s")
        wait_until(lambda: not LINK.exists(), SETTLE_TIMEOUT, "the shortcut to go")
        self.assertTrue(app.alive())


if __name__ == "__main__":
    main()
