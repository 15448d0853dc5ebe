#!/usr/bin/env python3
"""The release files: the executable's size, imports, debug information, manifest and version,
and the package's contents. Usage: check_release.py <Windows build folder>"""

import re
import struct
import subprocess
import sys
import unittest
import zipfile
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPO / "tests"))
from wine_env import project_version  # noqa: E402

BUILD = Path(sys.argv.pop(1) if len(sys.argv) > 1 else REPO / "build" / "windows")
EXE = BUILD / "Tovimar.exe"
VERSION = project_version(BUILD)
ZIP = BUILD / f"Tovimar-{VERSION}-win64.zip"
OBJDUMP = "x86_64-w64-mingw32-objdump"

MAX_SIZE = 256 * 1024
# What a start may load: the shell and COM come later, only when a command needs them.
STARTUP_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}


def objdump(*args):
    return subprocess.run([OBJDUMP, *args, str(EXE)], check=True, capture_output=True,
                          text=True).stdout


class Executable(unittest.TestCase):
    def test_size(self):
        self.assertLessEqual(EXE.stat().st_size, MAX_SIZE)

    def test_imports_only_startup_system_libraries(self):
        imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", objdump("-p"))}
        self.assertEqual(imports, STARTUP_IMPORTS)

    def test_no_debug_information_or_symbols(self):
        self.assertNotIn(".debug", objdump("-h"))
        self.assertEqual(re.findall(r"^\[\s*\d+\]", objdump("-t"), re.M), [])

    def test_version_resource(self):
        data = EXE.read_bytes()
        fixed = data.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreater(fixed, 0, "no VS_FIXEDFILEINFO")
        _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<5I", data, fixed + 4)
        numbers = [int(n) for n in VERSION.split(".")] + [0, 0, 0]
        ms, ls = numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]
        self.assertEqual((file_ms, file_ls, product_ms, product_ls), (ms, ls, ms, ls))
        for key in ("FileVersion", "ProductVersion"):
            entry = (key + "\0").encode("utf-16-le")
            at = data.find(entry)
            self.assertGreater(at, 0, key)
            value = data[at + len(entry):at + len(entry) + 32].decode("utf-16-le", "replace")
            self.assertEqual(value.lstrip("\0").split("\0")[0], VERSION, key)


class Manifest(unittest.TestCase):
    """The manifest as built into the executable."""

    @classmethod
    def setUpClass(cls):
        data = EXE.read_bytes()
        start = data.find(b"<?xml")
        end = data.find(b"</assembly>", start)
        cls.text = data[start:end + len(b"</assembly>")].decode("utf-8")

    def test_declares(self):
        rows = [
            ("common controls 6", r'name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0"'),
            ("Vista", r"\{e2011457-1546-43c5-a5fe-008deee3d3f0\}"),
            ("7", r"\{35138b9a-5d96-4fbd-8e2d-a2440225f93a\}"),
            ("8", r"\{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38\}"),
            ("8.1", r"\{1f676c76-80e1-4239-95bb-83d0f6d0da78\}"),
            ("10 and 11", r"\{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a\}"),
            ("per-monitor before 10", r"<dpiAware[^>]*>true/pm</dpiAware>"),
            ("per-monitor v2", r"<dpiAwareness[^>]*>PerMonitorV2, PerMonitor</dpiAwareness>"),
        ]
        for what, pattern in rows:
            with self.subTest(what):
                self.assertRegex(self.text, pattern)

    def test_keeps_the_system_code_page(self):
        self.assertNotRegex(self.text, r"<(\w+:)?activeCodePage")


class Package(unittest.TestCase):
    def test_contents(self):
        with zipfile.ZipFile(ZIP) as z:
            self.assertEqual(sorted(z.namelist()),
                             ["LICENSE", "README.md", "Tovimar.exe", "Tovimar.txt"])
            rows = [("Tovimar.exe", EXE), ("Tovimar.txt", REPO / "docs" / "Tovimar.txt"),
                    ("README.md", REPO / "README.md"), ("LICENSE", REPO / "LICENSE")]
            for name, source in rows:
                with self.subTest(name):
                    self.assertEqual(z.read(name), source.read_bytes())


if __name__ == "__main__":
    unittest.main(verbosity=2)
