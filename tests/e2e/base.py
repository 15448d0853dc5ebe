"""The base of the end-to-end tests, which drive the real Tovimar.exe under Wine on an X display
the way a person would: a folder per test, program runs started through start().

Each test gets its own folder (kept when the test fails, with screenshots and Wine's output).
Python 3 standard library only; the outside tools are wine, winepath, xdotool, xclip and
ImageMagick's import. The Wine environment and the display come from tests/wine_env.py; where
the controls are, from the running window.
"""

import os
import shutil
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, REPO  # noqa: E402

from clipboard import Clipboard  # noqa: E402
from program import Tovimar  # noqa: E402
from titles import CODEC, STATUS_PATTERN  # noqa: E402
from winhelpers import HOLD_OPEN, Holder  # noqa: E402
from workspace import EXE, Workspace, user_settings_folder  # noqa: E402
from xwindows import DISPLAY  # noqa: E402

WORK_ROOT = Path(os.environ.get("TOVIMAR_E2E_DIR") or REPO / "build" / "e2e")


class E2ETest(unittest.TestCase):
    """Base class: a folder per test, program runs started through self.start()."""

    maxDiff = None

    def setUp(self):
        if not EXE.is_file():
            self.fail(f"{EXE} is missing: build the Windows program first")
        DISPLAY.ensure()
        WORK_ROOT.mkdir(parents=True, exist_ok=True)
        self.folder = Path(tempfile.mkdtemp(prefix=self.id().split(".")[-1] + "-",
                                            dir=WORK_ROOT))
        self.clipboard = Clipboard()
        self.apps = []
        self.shots = 0

    def tearDown(self):
        passed = getattr(self._outcome, "success", False)
        for app in self.apps:
            if app.alive() and app.wid and not passed:
                self.shots += 1
                app.screenshot(f"failure-{self.shots}.png")
            app.kill()
        self.clipboard.release()
        if passed:
            shutil.rmtree(self.folder, ignore_errors=True)
        else:
            print(f"\nkept {self.folder} (screenshots, wine.log)")

    def workspace(self):
        return Workspace(self.folder)

    def hold(self, ws, path):
        """Holds path open in another program until the returned Holder's release()."""
        if not HOLD_OPEN.is_file():
            self.fail(f"{HOLD_OPEN} is missing: build the HoldOpen target")
        holder = Holder(ws, path)
        self.addCleanup(holder.close)
        return holder

    def own_user_settings(self, blocked=False):
        """No settings in the user's folder, now and after the test; blocked: a file where the
        folder would be made, so that saving there fails too."""
        folder = user_settings_folder()

        def remove():
            shutil.rmtree(folder) if folder.is_dir() else folder.unlink(missing_ok=True)

        remove()
        self.addCleanup(remove)
        if blocked:
            folder.write_bytes(b"")

    def start(self, workspace, *args, lang=JA):
        app = Tovimar(workspace, args, lang)
        self.apps.append(app)  # so tearDown ends it even if its window never shows
        app.wait_window()
        return app

    def rename(self, app, ws, expected):
        """Enter renames: the program ends well and the workspace holds just expected."""
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), [expected])

    def start_on(self, lang, make, name):
        """Makes name in a new workspace with make ('file' or 'dir') and starts on it."""
        ws = self.workspace()
        path = ws.make_file(name) if make == "file" else ws.make_dir(name)
        return ws, self.start(ws, ws.winpath(path), lang=lang)

    def name_and_extension(self, app):
        """Reads both fields: the name field's start-up selection, then the extension box.

        The title's byte counts say what to expect: a part of 0 bytes is empty (copying an
        empty selection puts nothing on the clipboard), and a copy of another length is stale
        clipboard content, so the copy is tried again."""
        title = app.title()
        counts = STATUS_PATTERN.fullmatch(title)
        if not counts:
            raise AssertionError(f"no byte counts in the title {title!r}")
        codepage = CODEC[app.lang]
        name_bytes, ext_bytes = map(int, counts.groups())

        def copied(n, copy):
            if n == 0:
                return ""
            return copy(self.clipboard,
                        accept=lambda t: len(t.encode(codepage, errors="replace")) == n)

        name = copied(name_bytes, app.copy_selection)
        app.key("Tab")
        ext = copied(ext_bytes, app.copy_all)
        return name, ext

    def close_with(self, app, *keys):
        app.key(*keys)
        self.assertEqual(app.wait_exit(), 0, "exit code")


def main():
    unittest.main(verbosity=2)
