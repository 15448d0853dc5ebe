"""The Send To entry: the window menu's check item adds and removes Tovimar.lnk in the user's
Send To folder, and asks before replacing one that starts another program."""

import getpass
import subprocess

from harness import (JA, PREFIX, WINDOWS_DIR, E2ETest, Workspace, main, message_boxes, run_helper,
                     wait_until, wine_env, SETTLE_TIMEOUT)

SEND_TO = (PREFIX / "drive_c" / "users" / getpass.getuser() / "AppData" / "Roaming" / "Microsoft"
           / "Windows" / "SendTo")
LINK = SEND_TO / "Tovimar.lnk"
OTHER_PROGRAM = "C:\\windows\\notepad.exe"


def shortcut(*args):
    """Runs the Shortcut helper on the link; its output (the program a link starts)."""
    r = subprocess.run(["wine", str(WINDOWS_DIR / "tests" / "Shortcut.exe"), *args],
                       env=wine_env(JA), capture_output=True, timeout=30, check=False)
    if r.returncode != 0:
        raise AssertionError(f"Shortcut {args} exited with {r.returncode}")
    return r.stdout.decode("utf-8")


LINK_PATH = ("C:\\users\\" + getpass.getuser() +
             "\\AppData\\Roaming\\Microsoft\\Windows\\SendTo\\Tovimar.lnk")


def link_target():
    return shortcut("read", LINK_PATH)


class SendToTest(E2ETest):
    def setUp(self):
        super().setUp()
        LINK.unlink(missing_ok=True)
        self.addCleanup(LINK.unlink, missing_ok=True)

    def toggle(self, app):
        app.key("alt+w", "s")

    def test_check_item_adds_replaces_and_removes_the_shortcut(self):
        ws = self.workspace()
        app = self.start(ws)  # no target: the entry works all the same
        program = Workspace.winpath(ws.exe)

        self.toggle(app)
        wait_until(LINK.is_file, SETTLE_TIMEOUT, "the shortcut to appear")
        self.assertEqual(link_target().lower(), program.lower())

        # Its own shortcut goes without a question.
        self.toggle(app)
        wait_until(lambda: not LINK.exists(), SETTLE_TIMEOUT, "the shortcut to go")

        # Another program's is replaced only after the question, answered yes.
        shortcut("write", LINK_PATH, OTHER_PROGRAM)
        self.toggle(app)
        wait_until(lambda: message_boxes(ws), SETTLE_TIMEOUT, "the question")
        self.assertIn(OTHER_PROGRAM.lower(), run_helper("MessageBoxText", ws).stdout.lower())
        self.assertEqual(link_target().lower(), OTHER_PROGRAM.lower(), "asked before replacing")
        app.key("y")
        wait_until(lambda: link_target().lower() == program.lower(), SETTLE_TIMEOUT,
                   "the shortcut to start the program")
        self.assertTrue(app.alive())


if __name__ == "__main__":
    main()
