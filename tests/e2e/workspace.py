"""A folder per program run, and the settings files the program reads and writes.

Every program run gets a fresh folder holding a copy of Tovimar.exe, so its Tovimar.ini is
private, and its own XDG_DATA_HOME.
"""

import shutil
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import JA, PREFIX, WINDOWS_DIR, wine_env, winpath  # noqa: E402

from tools import run  # noqa: E402

EXE = WINDOWS_DIR / "Tovimar.exe"


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
