"""The program driven the way a person would: a running Tovimar.exe and its window, looked at
through the title and acted on with keys and the mouse; the next instance a chain starts."""

import re
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, REPO, wine_env  # noqa: E402

from clipboard import Clipboard  # noqa: E402
from tools import EXIT_TIMEOUT, POLL, SETTLE_TIMEOUT, WINDOW_TIMEOUT, run, wait_until  # noqa: E402
from winhelpers import window_layout  # noqa: E402
from xwindows import (move_pointer, new_windows, visible_windows_of, window_pid,  # noqa: E402
                      xdotool)

_IDS = dict(re.findall(r"#define (IDC_\w+) (\d+)", (REPO / "res" / "resource.h").read_text()))


class Control:
    """Ids of the main window's controls, as the program's resources define them."""

    NAME = int(_IDS["IDC_NAME"])
    EXTENSION = int(_IDS["IDC_EXTENSION"])
    DELETE_LEFT = int(_IDS["IDC_DELETELEFT"])
    DELETE_RIGHT = int(_IDS["IDC_DELETERIGHT"])
    RENAME = int(_IDS["IDC_RENAME"])


COPY_ATTEMPTS = 3
# How long a copy is waited for when nothing is a valid answer: a copy that works reaches the
# clipboard within milliseconds of the key, so each attempt proves "nothing came" in a second.
EMPTY_COPY_WAIT = 1.0


class Tovimar:
    """One running Tovimar.exe and its window."""

    def __init__(self, workspace, args, lang=JA):
        self.workspace = workspace
        self.lang = lang
        self.log = open(workspace.root / "wine.log", "wb")
        env = wine_env(lang)
        env["XDG_DATA_HOME"] = str(workspace.xdg)
        self.proc = subprocess.Popen(
            ["wine", str(workspace.exe), *map(str, args)],
            env=env, cwd=workspace.root, stdout=self.log, stderr=subprocess.STDOUT,
            stdin=subprocess.DEVNULL,
        )
        # wine execs its loader, so the launched process is the one that owns the windows.
        self.pid = self.proc.pid
        self.wid = None
        self._before = ()  # the window is found by its process, not by what was there before

    def wait_window(self):
        self.wid = wait_until(lambda: self._new_window(self._before), WINDOW_TIMEOUT,
                              f"the Tovimar window of process {self.pid}")

    def wait_window_titled(self, title):
        """Waits for this process's window when it opens with a message as its title instead
        of the status line."""
        def found():
            for wid in visible_windows_of(self.pid):
                if xdotool("getwindowname", wid, check=False) == title:
                    return wid
            return None

        self.wid = wait_until(found, WINDOW_TIMEOUT, f"the window titled {title}")

    def _new_window(self, before=()):
        if self.proc.poll() is not None:
            raise AssertionError(f"Tovimar exited with {self.proc.returncode} before its window "
                                 f"appeared (see {self.workspace.root / 'wine.log'})")
        # Tool tips and other helper windows share the class; the main window has a title.
        for wid in visible_windows_of(self.pid):
            name = xdotool("getwindowname", wid, check=False)
            if name.startswith("Tovimar"):
                return wid
        return None

    def owner(self):
        """The process that owns the window (looked up once for a window found by its id)."""
        if getattr(self, "pid", None) is None:
            self.pid = window_pid(self.wid)
        return self.pid

    def _checked(self, *command):
        """Runs an xdotool command on the window after checking, in the same run, that the
        window is still this process's and not a later one's under the same id."""
        out = xdotool("getwindowpid", self.wid, *command).split("\n", 1)
        if out[0] != str(self.owner()):
            raise AssertionError(f"window {self.wid} belongs to process {out[0]}, "
                                 f"not to {self.owner()}")
        return out[1] if len(out) > 1 else ""

    def shown(self):
        """Whether the window is on the screen (and still this process's)."""
        return self.wid in visible_windows_of(self.owner())

    # --- looking at the window

    def title(self):
        return self._checked("getwindowname", self.wid)

    def wait_title(self, predicate, what="the title"):
        return wait_until(lambda: (lambda t: t if predicate(t) else None)(self.title()),
                          SETTLE_TIMEOUT, what)

    def geometry(self):
        """Outer position and size as (x, y, width, height)."""
        out = self._checked("getwindowgeometry", "--shell", self.wid)
        values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
        return (int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"]))

    def settled_size(self, expected):
        """The window's (width, height) once it equals expected, or as it is after a while."""
        try:
            return wait_until(lambda: self.geometry()[2:] == expected, SETTLE_TIMEOUT,
                              "the size") and expected
        except AssertionError:
            return self.geometry()[2:]

    def windows(self):
        """Visible windows of the program's class of this process (main window, message boxes)."""
        return visible_windows_of(self.owner())

    def layout(self):
        """window_layout of this window, asked again only when the window's size changed."""
        size = self.geometry()[2:]
        if getattr(self, "_layout", (None,))[0] != size:
            self._layout = size, window_layout(self.workspace, lang=self.lang)
        return self._layout[1]

    def client_point(self, x, y):
        """A point given in the client area, relative to the window's top-left corner."""
        ox, oy = self.layout()[0]["origin"]
        return ox + x, oy + y

    def control_point(self, control):
        """The middle of a control (a Control id), relative to the window's top-left corner."""
        left, top, width, height = self.layout()[1][control]
        return self.client_point(left + width // 2, top + height // 2)

    def close_box_point(self):
        """The middle of the caption's close box, relative to the window's top-left corner."""
        left, top, width, height = self.layout()[0]["close"]
        return left + width // 2, top + height // 2

    def screenshot(self, name):
        path = self.workspace.root / name
        run(["import", "-window", self.wid, str(path)], check=False)
        return path

    def alive(self):
        return self.proc.poll() is None

    # --- acting on it

    def focus(self):
        self._checked("windowfocus", "--sync", self.wid)

    def key(self, *keys):
        self.focus()
        xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        """Types ASCII text (xdotool's typing of other characters is unreliable)."""
        assert text.isascii(), "bring non-ASCII text in through the clipboard"
        self.focus()
        xdotool("type", "--delay", "15", text)

    def click(self, x, y, button=1, repeat=1):
        """Clicks (repeat times: 2 is a double click) at a point given relative to the window's
        top-left corner."""
        wx, wy, _, _ = self.geometry()
        move_pointer(wx + x, wy + y)
        xdotool("click", "--repeat", repeat, "--delay", "80", button)

    def click_control(self, control, repeat=1):
        self.click(*self.control_point(control), repeat=repeat)

    def drag_corner(self, dx, dy):
        """Drags the bottom-right sizing corner by (dx, dy) with the mouse, in small steps.

        Resizing the X window directly (xdotool windowsize) bypasses Wine's size limits; a
        drag goes through Wine's own sizing loop like a person's would.
        """
        x, y, width, height = self.geometry()
        fx, fy = x + width - 2, y + height - 2
        move_pointer(fx, fy)
        xdotool("mousedown", 1)
        for i in range(1, 6):
            xdotool("mousemove", "--sync", fx + dx * i // 5, fy + dy * i // 5)
        xdotool("mouseup", 1)

    def copy_selection(self, clipboard, expect_empty_ok=False, keys=(), accept=lambda t: True):
        """Presses keys, then Ctrl+C in the focused control; returns the copied text ('' if
        nothing came). A loaded machine now and then loses a key or Wine's clipboard hand-over,
        so a copy that brings nothing is tried again before it counts as empty."""
        wait = EMPTY_COPY_WAIT if expect_empty_ok else SETTLE_TIMEOUT
        for attempt in range(COPY_ATTEMPTS):
            clipboard.write(Clipboard.SENTINEL)
            if keys:
                self.key(*keys)
            self.key("ctrl+c")
            try:
                return wait_until(
                    lambda: (lambda t: t if t not in (None, Clipboard.SENTINEL) and accept(t)
                             else None)(clipboard.read()),
                    wait, "the copied text")
            except AssertionError:
                if attempt + 1 < COPY_ATTEMPTS:
                    continue
                if expect_empty_ok:
                    return ""
                raise

    def copy_all(self, clipboard, expect_empty_ok=False, accept=lambda t: True):
        """Selects the whole text of the focused control (Home, Shift+End) and copies it."""
        return self.copy_selection(clipboard, expect_empty_ok, keys=("Home", "shift+End"),
                                   accept=accept)

    def paste(self, clipboard, text):
        """Puts text on the clipboard and pastes it with Ctrl+V into the focused control."""
        clipboard.write(text)
        # Wine picks up a new X clipboard owner asynchronously; give it a moment to notice.
        time.sleep(0.3)
        self.key("ctrl+v")

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("Tovimar did not exit")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        # Wine's own process may outlive the launcher briefly; let the window go first.
        if self.wid is not None:
            try:
                wait_until(lambda: not self.shown(), SETTLE_TIMEOUT, "the window to go")
            except AssertionError:
                pass
        self.log.close()


class InstanceWindow(Tovimar):
    """The window of an instance the program started itself: no process of ours to wait on."""

    def __init__(self, workspace, wid, pid, lang=JA):  # pylint: disable=super-init-not-called
        self.workspace = workspace
        self.lang = lang
        self.wid = wid
        self.pid = pid
        self.proc = None

    @classmethod
    def next_of(cls, workspace, before, lang=JA):
        """Waits for the window of an instance started after before (owned_windows()) was
        taken: a window of a process that owned none of before."""
        wid, pid = new_windows(before, "the next instance's window", other_process=True)[0]
        return cls(workspace, wid, pid, lang)

    def alive(self):
        return self.shown()

    def wait_gone(self):
        wait_until(lambda: not self.shown(), EXIT_TIMEOUT, "the instance's window to close")

    def kill(self):
        pass


def replace_name(app, text):
    """Types text over the whole name field (which must have the focus); '' empties it."""
    app.key("Home", "shift+End")
    if text:
        app.type(text)
    else:
        app.key("Delete")


def replace_extension(app, text):
    """Moves from the name field to the extension box and types text over its whole text."""
    app.key("Tab")
    replace_name(app, text)


def titles_until_exit(app, timeout=EXIT_TIMEOUT):
    """Every title the window shows until the program ends; the program must end."""
    seen = []
    deadline = time.monotonic() + timeout
    while app.alive():
        if time.monotonic() > deadline:
            raise AssertionError(f"Tovimar did not exit; titles seen: {seen}")
        # The owner is read in the same run: a title of a later window under the same id
        # does not count.
        r = run(["xdotool", "getwindowpid", app.wid, "getwindowname", app.wid], check=False)
        pid, _, title = r.stdout.strip().partition("\n")
        if (r.returncode == 0 and pid == str(app.owner()) and
                (not seen or seen[-1] != title)):
            seen.append(title)
        time.sleep(POLL / 2)
    if app.proc.returncode != 0:
        raise AssertionError(f"exit code {app.proc.returncode}; titles seen: {seen}")
    return seen


def end_wine_session():
    """Ends every program in the prefix: the instances the program started itself, a viewer
    that will not close. Only the server reaches them all."""
    run(["wineserver", "-k"], env=wine_env(JA), check=False)
    run(["wineserver", "-w"], env=wine_env(JA), check=False)
