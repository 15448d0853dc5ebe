"""The X display and the program's windows on it, found and moved with xdotool.

A window is known by its X id together with the process that owns it (Wine sets _NET_WM_PID):
once a process has gone, the X server hands the same ids to the next program that connects.
"""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import Display  # noqa: E402

from tools import SETTLE_TIMEOUT, WINDOW_TIMEOUT, run, wait_until  # noqa: E402

# The display of this process: $DISPLAY, or a private Xvfb started on first use.
DISPLAY = Display()


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
