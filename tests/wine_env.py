"""The build under test, the Wine environment, the X display and X access, for the end-to-end
harness, the release check and the start-up benchmark.

The Wine variables and the private display come from the shell part, tests/wine-env.sh, which
test.sh, run.sh and the ctest wrappers source: Python runs Wine exactly as they do.
Python 3 standard library only; X access through ctypes needs libX11 and libXtst.
"""

import atexit
import ctypes
import ctypes.util
import functools
import os
import re
import select
import subprocess
from pathlib import Path

REPO = Path(__file__).resolve().parents[1]
WINDOWS_DIR = Path(os.environ.get("TOVIMAR_WINDOWS_DIR") or REPO / "build" / "windows")

JA = "ja_JP.UTF-8"  # code page 932, double-byte mode on
EN = "en_US.UTF-8"  # code page 1252, double-byte mode off
# Code page 65001: a locale with no ANSI code page of its own. Its formats are Hindi's, so it
# runs in a prefix of its own (tests/setup-wine.sh makes it, as test.sh does).
UTF8 = "hi_IN.UTF-8"
UTF8_PREFIX = Path(os.environ.get("TOVIMAR_UTF8_WINEPREFIX") or REPO / "build" / "wineprefix-utf8")


def shell_part(script, *args, env=None, timeout=30):
    """Runs script with the shell part sourced (its arguments are $1...); returns its output."""
    return subprocess.run(
        ["sh", "-c", 'repo=$1; shift; . "$repo/tests/wine-env.sh"; ' + script, "sh",
         str(REPO), *map(str, args)],
        env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, check=True, timeout=timeout,
        encoding="utf-8", errors="replace").stdout


@functools.cache
def wine_variables():
    """What the shell part exports for Wine: WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES..."""
    pairs = (item.split("=", 1) for item in shell_part("env -0").split("\0") if "=" in item)
    return {k: v for k, v in pairs if k.startswith(("WINE", "TOVIMAR_WINEPREFIX"))}


def wine_env(lang=JA):
    """The environment a Wine program of the project runs in, under locale lang."""
    env = dict(os.environ)
    env.update(wine_variables())
    if lang == UTF8:
        env["WINEPREFIX"] = str(UTF8_PREFIX)
    env["LANG"] = lang
    env["LC_ALL"] = lang
    return env


PREFIX = Path(wine_variables()["WINEPREFIX"])


def winpath(path):
    """The Windows form of a Unix path: Wine's Z: drive is the Unix root."""
    return "Z:" + str(path).replace("/", "\\")


def project_version(build=WINDOWS_DIR):
    """The version the build in folder build was made with, from its generated Version.h."""
    header = (Path(build) / "generated" / "Version.h").read_text()
    return re.search(r'#define TOVIMAR_VERSION "([^"]+)"', header).group(1)


class Display:
    """$DISPLAY, or a private Xvfb with a fresh wineserver (the shell part's start_display)
    for this process, ended when it exits."""

    def __init__(self):
        self.xvfb_pid = None

    def ensure(self):
        if os.environ.get("DISPLAY"):
            return
        out = shell_part('start_display >/dev/null && echo "$DISPLAY $XVFB_PID"',
                         env=wine_env(JA), timeout=120).split()
        if len(out) != 2:
            raise RuntimeError("Xvfb did not start")
        os.environ["DISPLAY"], self.xvfb_pid = out[0], out[1]
        atexit.register(self.stop)

    def stop(self):
        if self.xvfb_pid:
            shell_part('XVFB_PID=$1; stop_display', self.xvfb_pid, env=wine_env(JA))
            self.xvfb_pid = None


class X:
    """The few Xlib calls needed, through ctypes: focus, class, pid property, fake keys."""

    def __init__(self):
        self.lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.tst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        lib = self.lib
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = ctypes.c_ulong
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong),
                                       ctypes.POINTER(ctypes.c_int)]
        lib.XInternAtom.restype = ctypes.c_ulong
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
            ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
        lib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        lib.XPending.argtypes = [ctypes.c_void_p]
        lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        lib.XFlush.argtypes = [ctypes.c_void_p]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XStringToKeysym.restype = ctypes.c_ulong
        lib.XStringToKeysym.argtypes = [ctypes.c_char_p]
        lib.XKeysymToKeycode.restype = ctypes.c_ubyte
        lib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.tst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                               ctypes.c_ulong]
        # Errors (a window gone while asked about) must not end the caller.
        self._handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda d, e: 0)
        lib.XSetErrorHandler(self._handler)
        self.dpy = lib.XOpenDisplay(None)
        if not self.dpy:
            raise RuntimeError("cannot open the X display")
        self.root = lib.XDefaultRootWindow(self.dpy)
        # New top-level windows wake the waiting loop instead of a busy poll.
        lib.XSelectInput(self.dpy, self.root, (1 << 19) | (1 << 17))  # substructure, property
        self.fd = lib.XConnectionNumber(self.dpy)
        self.event = ctypes.create_string_buffer(192)
        self.wm_class = lib.XInternAtom(self.dpy, b"WM_CLASS", 0)
        self.wm_pid = lib.XInternAtom(self.dpy, b"_NET_WM_PID", 0)
        self.net_wm_name = lib.XInternAtom(self.dpy, b"_NET_WM_NAME", 0)

    def focus(self):
        window = ctypes.c_ulong()
        revert = ctypes.c_int()
        self.lib.XGetInputFocus(self.dpy, ctypes.byref(window), ctypes.byref(revert))
        return window.value

    def _property(self, window, atom):
        actual, fmt = ctypes.c_ulong(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        status = self.lib.XGetWindowProperty(
            self.dpy, window, atom, 0, 256, 0, 0, ctypes.byref(actual), ctypes.byref(fmt),
            ctypes.byref(count), ctypes.byref(after), ctypes.byref(data))
        if status != 0 or not data.value:
            return None, 0, 0
        return data, fmt.value, count.value

    def instance_name(self, window):
        data, fmt, count = self._property(window, self.wm_class)
        if data is None:
            return ""
        raw = ctypes.string_at(data, count)
        self.lib.XFree(data)
        return raw.split(b"\0")[0].decode("latin-1")

    def pid(self, window):
        data, fmt, count = self._property(window, self.wm_pid)
        if data is None:
            return None
        value = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if count else None
        self.lib.XFree(data)
        return value

    def title(self, window):
        data, fmt, count = self._property(window, self.net_wm_name)
        if data is None:
            return ""
        raw = ctypes.string_at(data, count)
        self.lib.XFree(data)
        return raw.decode("utf-8", "replace")

    def watch(self, window):
        """Property changes of window (its title) wake wait_events as well."""
        self.lib.XSelectInput(self.dpy, window, 1 << 22)

    def wait_events(self, seconds):
        """Sleeps until the X server reports something or the time is up; drops the events."""
        if not self.lib.XPending(self.dpy):
            select.select([self.fd], [], [], seconds)
        while self.lib.XPending(self.dpy):
            self.lib.XNextEvent(self.dpy, self.event)

    def key(self, name, modifier=None):
        """Presses name, with modifier (a key name such as Control_L) held down around it."""
        codes = [self.lib.XKeysymToKeycode(self.dpy, self.lib.XStringToKeysym(n.encode()))
                 for n in ([modifier] if modifier else []) + [name]]
        for code in codes:
            self.tst.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        for code in reversed(codes):
            self.tst.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        self.lib.XSync(self.dpy, 0)
