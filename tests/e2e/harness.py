"""Drives the real Tovimar.exe under Wine on an X display, the way a person would.

Each test gets its own folder (kept when the test fails, with screenshots and Wine's output);
every program run inside it gets a fresh sub-folder holding a copy of Tovimar.exe, so its
Tovimar.ini is private, and its own XDG_DATA_HOME. Python 3 standard library only; the outside
tools are wine, winepath, xdotool, xclip and ImageMagick's import. The Wine environment and
the display come from tests/wine_env.py; where the controls are, from the running window.

Waiting (for a window, a title, the clipboard, an exit) polls with generous timeouts; nothing
here measures or asserts on elapsed time.

A window is known by its X id together with the process that owns it (Wine sets _NET_WM_PID):
once a process has gone, the X server hands the same ids to the next program that connects.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
# PREFIX and winpath are the harness's names too.
from wine_env import EN, JA, PREFIX, REPO, WINDOWS_DIR, Display, project_version  # noqa: E402
from wine_env import UTF8, UTF8_PREFIX, wine_env, winpath  # noqa: E402

EXE = WINDOWS_DIR / "Tovimar.exe"
WORK_ROOT = Path(os.environ.get("TOVIMAR_E2E_DIR") or REPO / "build" / "e2e")

ALL_LANGS = (JA, EN)
CODEC = {JA: "cp932", EN: "cp1252"}  # the locale's ANSI code page, in which lengths count

# The title line the window shows while the name is edited: the version and the byte counts.
VERSION = project_version(WINDOWS_DIR)
VERSION_LINE = f"Tovimar v{VERSION}"
STATUS_PATTERN = re.compile(re.escape(VERSION_LINE) + r"  -  (\d+)\+(\d+) byte")

# Messages the title shows instead of the status line.
FOLDER_NOT_FOUND = "フォルダが見つかりません"
FILE_NOT_FOUND = "ファイルが見つかりません"
NAME_EMPTY = "ファイルネームが入力されていません"
NAME_UNCHANGED = "ファイル名に変更がありません"
NAME_TAKEN = "既に同名のファイルが存在しています"
FILE_IN_USE = "ファイルが使用中なので後で処理します"
RENAME_FAILED = "リネームに失敗しました"
CANNOT_OPEN = "ファイルを開けないので処理できません"
DELETE_NAME = "ファイル削除"
NAME_FORBIDDEN_CHARACTER = "ファイル名に使えない文字が含まれています"
NAME_IS_DEVICE = "デバイス名はファイル名に使えません"
TARGET_PATH_TOO_LONG = "パスが長すぎるため処理できません"


_IDS = dict(re.findall(r"#define (IDC_\w+) (\d+)", (REPO / "res" / "resource.h").read_text()))


class Control:
    """Ids of the main window's controls, as the program's resources define them."""

    NAME = int(_IDS["IDC_NAME"])
    EXTENSION = int(_IDS["IDC_EXTENSION"])
    DELETE_LEFT = int(_IDS["IDC_DELETELEFT"])
    DELETE_RIGHT = int(_IDS["IDC_DELETERIGHT"])
    RENAME = int(_IDS["IDC_RENAME"])


WINDOW_TIMEOUT = 30.0
EXIT_TIMEOUT = 15.0
SETTLE_TIMEOUT = 5.0
COPY_ATTEMPTS = 3
# How long a copy is waited for when nothing is a valid answer: a copy that works reaches the
# clipboard within milliseconds of the key, so each attempt proves "nothing came" in a second.
EMPTY_COPY_WAIT = 1.0
POLL = 0.05


def wait_until(predicate, timeout, what):
    """Polls predicate until it returns a true value; returns that value or raises."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"gave up waiting for {what}")
        time.sleep(POLL)


def cp932_len(text):
    return len(text.encode("cp932"))


def status_line_of(name_bytes, ext_bytes):
    """The title for a name and an extension of these byte lengths."""
    return f"{VERSION_LINE}  -  {name_bytes}+{ext_bytes} byte"


def status_line(name, ext, lang=JA):
    """The title for name and ext (with its full stop), counted in lang's code page."""
    return status_line_of(len(name.encode(CODEC[lang])), len(ext.encode(CODEC[lang])))


def run(cmd, env=None, check=True, timeout=30):
    return subprocess.run(
        cmd, env=env, check=check, timeout=timeout, capture_output=True,
        encoding="utf-8", errors="replace",
    )


class _Display(Display):
    """The display of this process (the name tests use for the Wine environment)."""

    wine_env = staticmethod(wine_env)


DISPLAY = _Display()


def xdotool(*args, check=True):
    return run(["xdotool", *map(str, args)], check=check).stdout.strip()


def visible_windows():
    """X ids of the visible windows of the program's class, whichever process owns them."""
    out = xdotool("search", "--onlyvisible", "--classname", "tovimar", check=False)
    return [w for w in out.split() if w]


def pointer():
    out = xdotool("getmouselocation", "--shell")
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return int(values["X"]), int(values["Y"])


def move_pointer(x, y):
    """Moves the pointer to (x, y) on the screen. (xdotool's --sync waits for a motion, which
    never comes when the pointer is already there; Wine now and then warps the pointer back,
    so the move is repeated until it stays.)"""
    def there():
        xdotool("mousemove", x, y)
        return pointer() == (x, y)

    wait_until(there, SETTLE_TIMEOUT, f"the pointer at {x}, {y}")


def window_pid(wid):
    """The process that owns an X window (Wine's _NET_WM_PID), or None if it is gone."""
    out = xdotool("getwindowpid", wid, check=False)
    return int(out) if out.isdigit() else None


def owned_windows():
    """The visible windows of the program's class as (X id, owning process) pairs: unlike an X
    id alone, a pair is never reused by a later process."""
    pairs = [(wid, window_pid(wid)) for wid in visible_windows()]
    return [(wid, pid) for wid, pid in pairs if pid is not None]


def visible_windows_of(pid):
    """X ids of the visible windows of the program's class that process pid owns."""
    out = xdotool("search", "--all", "--onlyvisible", "--pid", pid, "--classname", "tovimar",
                  check=False)
    return [w for w in out.split() if w]


def new_windows(before, what="a new window", timeout=WINDOW_TIMEOUT, other_process=False):
    """Waits for visible windows that are not among before (pairs from owned_windows()) and
    returns their pairs; with other_process, only windows of a process that owned none of
    before count (the next instance, not a box of the current one)."""
    before = set(before)
    old_pids = {pid for _, pid in before}

    def fresh():
        return [(wid, pid) for wid, pid in owned_windows()
                if (wid, pid) not in before and not (other_process and pid in old_pids)]

    return wait_until(fresh, timeout, what)


class Clipboard:
    """The X clipboard, read and written with xclip."""

    SENTINEL = "<tovimar-e2e-empty>"

    def __init__(self):
        self.owner = None

    def read(self):
        r = run(["xclip", "-o", "-selection", "clipboard"], check=False, timeout=10)
        return r.stdout if r.returncode == 0 else None

    def write(self, text):
        self.release()
        # -quiet keeps xclip in the foreground serving the selection until someone takes it.
        self.owner = subprocess.Popen(
            ["xclip", "-quiet", "-i", "-selection", "clipboard"],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )
        self.owner.stdin.write(text.encode("utf-8"))
        self.owner.stdin.close()
        # On a busy machine xclip itself can take seconds to start.
        wait_until(lambda: self.read() == text, WINDOW_TIMEOUT, "xclip to own the clipboard")

    def release(self):
        if self.owner and self.owner.poll() is None:
            self.owner.kill()
            self.owner.wait()
        self.owner = None


class Workspace:
    """A folder for one program run: a private copy of Tovimar.exe and files to work on."""

    def __init__(self, root):
        self.root = Path(tempfile.mkdtemp(prefix="run-", dir=root))
        self.files = self.root / "files"
        self.files.mkdir()
        self.xdg = self.root / "xdg"
        self.xdg.mkdir()
        self.exe = self.root / "Tovimar.exe"
        shutil.copy2(EXE, self.exe)

    def make_file(self, name, data=b""):
        path = self.files / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
        return path

    def make_dir(self, name):
        path = self.files / name
        path.mkdir(parents=True, exist_ok=True)
        return path

    def listing(self):
        """Names in the files folder, sorted; shows what a run did to the disk."""
        return sorted(p.name for p in self.files.iterdir())

    winpath = staticmethod(winpath)

    @staticmethod
    def short_winpath(path, lang=JA):
        """The 8.3 form Wine hands out for an existing path (its own hashes, not PROGRA~1)."""
        r = run(["winepath", "-s", Workspace.winpath(path)], env=wine_env(lang))
        return r.stdout.strip()


def write_ini(ws, lines):
    """A settings file in the section the program reads, as bytes in code page 932."""
    text = "[Tovimar]\r\n" + "".join(line + "\r\n" for line in lines)
    (ws.root / "Tovimar.ini").write_bytes(text.encode("cp932"))


def read_ini(ws):
    """The keys of the settings file in file order, as (key, value) pairs."""
    text = (ws.root / "Tovimar.ini").read_bytes().decode("cp932")
    lines = [line.strip() for line in text.splitlines() if line.strip()]
    assert lines[0] == "[Tovimar]", lines
    return [tuple(line.split("=", 1)) for line in lines[1:]]


def user_roaming_folder():
    """The prefix user's roaming application data, shared by every run in the prefix."""
    (roaming,) = (PREFIX / "drive_c" / "users").glob("*/AppData/Roaming")
    return roaming


def user_settings_folder():
    """Where the settings live when the program's folder cannot be written."""
    return user_roaming_folder() / "Tovimar"


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


def end_wine_session():
    """Ends every program in the prefix: the instances the program started itself, a viewer
    that will not close. Only the server reaches them all."""
    run(["wineserver", "-k"], env=wine_env(JA), check=False)
    run(["wineserver", "-w"], env=wine_env(JA), check=False)


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
