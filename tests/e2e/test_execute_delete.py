"""Deleting from the window: the target goes to the recycle bin (Wine: the freedesktop Trash)."""

import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1]))
from wine_env import EN, JA, UTF8  # noqa: E402

from base import E2ETest, main  # noqa: E402
from program import replace_name, titles_until_exit  # noqa: E402
from titles import DELETE_NAME, NAME_TAKEN, NAME_UNCHANGED  # noqa: E402


def trash(ws):
    """Names in the run's Trash, and the names its info files describe."""
    files = ws.xdg / "Trash" / "files"
    info = ws.xdg / "Trash" / "info"
    names = sorted(p.name for p in files.iterdir()) if files.is_dir() else []
    infos = sorted(p.name for p in info.iterdir()) if info.is_dir() else []
    return names, infos


def delete_command(app):
    app.key("alt+f", "d")


# (locale, kind, target)
DELETE_CASES = [
    (JA, "file", "trash me.txt"),
    (EN, "file", "trash me.txt"),
    (JA, "file", "表示.txt"),
    (JA, "dir", "old folder"),
    # Code page 65001: the delete name is the running code page's, not code page 932's bytes.
    (UTF8, "file", "caf\u00e9 \U0001f600.txt"),
]


class DeleteTest(E2ETest):
    def test_delete_moves_target_to_the_bin(self):
        for lang, kind, name in DELETE_CASES:
            with self.subTest(lang=lang, target=name):
                ws = self.workspace()
                ws.make_file("bystander.txt", b"stay")
                if kind == "file":
                    path = ws.make_file(name, b"precious")
                else:
                    path = ws.make_dir(name)
                    (path / "inside.txt").write_bytes(b"precious")
                app = self.start(ws, ws.winpath(path), lang=lang)
                delete_command(app)
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), ["bystander.txt"])
                self.assertEqual(trash(ws), ([name], [name + ".trashinfo"]))
                binned = ws.xdg / "Trash" / "files" / name
                content = binned / "inside.txt" if kind == "dir" else binned
                self.assertEqual(content.read_bytes(), b"precious")

    def test_delete_name_taken_stops_and_an_edit_renames(self):
        ws = self.workspace()
        target = ws.make_file("victim.txt", b"victim")
        ws.make_file(DELETE_NAME + ".txt", b"other")
        app = self.start(ws, ws.winpath(target))
        delete_command(app)
        app.wait_title(lambda t: t == NAME_TAKEN, "the name-taken message")
        # Asked again without an edit, it is still a delete, and still stopped.
        app.key("Return")
        app.wait_title(lambda t: t == NAME_TAKEN, "the name-taken message again")
        self.assertEqual(ws.listing(), sorted(["victim.txt", DELETE_NAME + ".txt"]))
        # Editing the name turns it back into a rename.
        replace_name(app, "spared")
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), sorted(["spared.txt", DELETE_NAME + ".txt"]))
        self.assertEqual((ws.files / (DELETE_NAME + ".txt")).read_bytes(), b"other")
        self.assertEqual(trash(ws), ([], []))

    def test_target_with_the_delete_name_is_not_deleted(self):
        ws = self.workspace()
        target = ws.make_file(DELETE_NAME + ".txt", b"kept")
        app = self.start(ws, ws.winpath(target))
        delete_command(app)
        app.wait_title(lambda t: t == NAME_UNCHANGED, "the unchanged message")
        self.assertEqual(ws.listing(), [DELETE_NAME + ".txt"])
        app.key("Escape")
        titles_until_exit(app)
        self.assertEqual(ws.listing(), [DELETE_NAME + ".txt"])
        self.assertEqual(trash(ws), ([], []))


if __name__ == "__main__":
    main()
