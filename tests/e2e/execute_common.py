"""Shared pieces of the execution tests: the title messages and typing into the two fields."""

import time

from harness import EXIT_TIMEOUT, POLL, run

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


def replace_name(app, text):
    """Types text over the whole name field (which must have the focus); '' empties it."""
    app.key("Home", "shift+End")
    if text:
        app.type(text)
    else:
        app.key("Delete")


def replace_extension(app, text):
    """Moves from the name field to the extension box and types text over its whole text."""
    app.key("Tab", "Home", "shift+End")
    if text:
        app.type(text)
    else:
        app.key("Delete")


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
