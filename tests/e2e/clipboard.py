"""The X clipboard, read and written with xclip."""

import subprocess

from tools import WINDOW_TIMEOUT, run, wait_until


class Clipboard:
    """The X clipboard; a text written stays owned by an xclip process until released."""

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
