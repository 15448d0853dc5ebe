"""What the window's title shows: the status line (the version and the byte counts of the name
and the extension, counted in the locale's ANSI code page) or one of the program's messages."""

import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN, JA, WINDOWS_DIR, project_version  # noqa: E402

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


def cp932_len(text):
    return len(text.encode("cp932"))


def status_line_of(name_bytes, ext_bytes):
    """The title for a name and an extension of these byte lengths."""
    return f"{VERSION_LINE}  -  {name_bytes}+{ext_bytes} byte"


def status_line(name, ext, lang=JA):
    """The title for name and ext (with its full stop), counted in lang's code page."""
    return status_line_of(len(name.encode(CODEC[lang])), len(ext.encode(CODEC[lang])))
