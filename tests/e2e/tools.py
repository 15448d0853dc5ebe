"""Running the outside tools (wine, winepath, xdotool, xclip, import) and waiting for what they
show. Waiting polls with generous timeouts; nothing here measures or asserts on elapsed time."""

import subprocess
import time

WINDOW_TIMEOUT = 30.0
EXIT_TIMEOUT = 15.0
SETTLE_TIMEOUT = 5.0
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


def run(cmd, env=None, check=True, timeout=30):
    return subprocess.run(
        cmd, env=env, check=check, timeout=timeout, capture_output=True,
        encoding="utf-8", errors="replace",
    )
