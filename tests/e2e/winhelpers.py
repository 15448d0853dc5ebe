"""The Windows-side test helpers (tests/win/helpers), run in the program's Wine prefix: what
Windows sees of a workspace's program windows, and a file held open by another program."""

import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, WINDOWS_DIR, wine_env  # noqa: E402

from tools import SETTLE_TIMEOUT, WINDOW_TIMEOUT, run, wait_until  # noqa: E402
from workspace import Workspace  # noqa: E402


def run_helper(name, ws, *args, lang=JA):
    """Runs the Windows-side test helper name (tests/win/helpers) on the windows of the
    workspace's program, started under lang (whose prefix it must share)."""
    helper = WINDOWS_DIR / "tests" / f"{name}.exe"
    return run(["wine", str(helper), Workspace.winpath(ws.exe), *map(str, args)],
               env=wine_env(lang), check=False)


def message_boxes(ws):
    """(caption, text) of each message box the workspace's program shows, as Windows sees it."""
    r = run_helper("MessageBoxText", ws)
    return [tuple(line.split("\t", 1)) for line in r.stdout.splitlines() if "\t" in line]


def the_message_box(ws):
    """(caption, lines of text) of the one message box the workspace's program shows, or None.
    The text's lines must be parted by CR LF. The helper's stdout turns each LF into CR LF."""
    r = subprocess.run(
        ["wine", str(WINDOWS_DIR / "tests" / "MessageBoxText.exe"), Workspace.winpath(ws.exe)],
        env=wine_env(JA), capture_output=True, timeout=30, check=False)
    out = r.stdout.decode("utf-8", errors="replace").replace("\r\n", "\n")
    if r.returncode != 0 or out.count("\t") != 1:
        return None
    caption, text = out.split("\t")
    return caption, text.removesuffix("\n").split("\r\n")


def window_layout(ws, new_dpi=None, lang=JA):
    """The main window as Windows sees it, in real pixels: ({'window': (w, h), 'client':
    (w, h), 'origin': where the client area starts in the window, 'close': the close box's
    (left, top, w, h) in the window}, {control id: (left, top, w, h) in the client area}); with
    new_dpi, after the window was told that its display changed to that density."""
    r = run_helper("ControlLayout", ws, *([] if new_dpi is None else [new_dpi]), lang=lang)
    if r.returncode != 0:
        raise AssertionError(f"ControlLayout found no window ({r.returncode})")
    sizes, controls = {}, {}
    for line in r.stdout.splitlines():
        kind, *values = line.split()
        values = tuple(map(int, values))
        if kind == "control":
            controls[values[0]] = values[1:]
        else:
            sizes[kind] = values
    return sizes, controls


HOLD_OPEN = WINDOWS_DIR / "tests" / "HoldOpen.exe"


class Holder:
    """HoldOpen.exe keeping a file open without sharing, in the program's own Wine prefix."""

    def __init__(self, workspace, path):
        self.ready = workspace.root / "held"
        self.release_marker = workspace.root / "release"
        self.log = open(workspace.root / "holder.log", "wb")
        self.proc = subprocess.Popen(
            ["wine", str(HOLD_OPEN), workspace.winpath(path), workspace.winpath(self.ready),
             workspace.winpath(self.release_marker)],
            env=wine_env(JA), stdout=self.log, stderr=subprocess.STDOUT,
            stdin=subprocess.DEVNULL)
        wait_until(lambda: self.ready.exists() or self.proc.poll() is not None, WINDOW_TIMEOUT,
                   "HoldOpen to open the file")
        if not self.ready.exists():
            raise AssertionError(f"HoldOpen could not open {path} ({self.proc.returncode})")

    def release(self):
        self.release_marker.touch()
        self.proc.wait(timeout=SETTLE_TIMEOUT * 3)

    def close(self):
        if self.proc.poll() is None:
            self.release()
        self.log.close()
