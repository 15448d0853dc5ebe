"""The extension history: its order in the settings file, and completion while typing."""

from base import E2ETest, main
from program import replace_extension, replace_name
from titles import NAME_UNCHANGED, status_line
from workspace import read_ini, write_ini


def ext_lines(entries):
    return [f"Ext{i}={value}" for i, value in enumerate(entries)]


def saved_history(ws):
    """Ext0 ... Ext15 as saved, trailing empty values left out."""
    values = dict(read_ini(ws))
    entries = [values[f"Ext{i}"] for i in range(16)]
    while entries and not entries[-1]:
        entries.pop()
    return entries


SIXTEEN = [f".e{i}" for i in range(16)]

# (saved entries, target on disk, entries saved after a run that only closes)
START_CASES = [
    ([".txt", ".jpg", ".png"], "a.JPG", [".JPG", ".txt", ".png"]),
    ([".txt", ".jpg", ".png"], "b.png", [".png", ".txt", ".jpg"]),
    ([".txt"], "README", ["", ".txt"]),
    # Duplicates from the file stay; the first match is the one that moves.
    ([".txt", ".TXT", ".png"], "a.png", [".png", ".txt", ".TXT"]),
    ([".txt", ".TXT"], "a.Txt", [".Txt", ".TXT"]),
    (SIXTEEN, "x.new", [".new"] + SIXTEEN[:15]),
    (SIXTEEN, "x.e15", [".e15"] + SIXTEEN[:15]),
    ([".テキスト", ".txt"], "a.txt", [".txt", ".テキスト"]),
    ([".ｔｘｔ"], "a.TXT", [".TXT", ".ｔｘｔ"]),
]

# (saved entries, target, new name, extension typed, file after the rename, entries saved)
EXECUTE_CASES = [
    # .jpg matches .JPG: the list stays as it was at start.
    ([".txt", ".jpg", ".png"], "a.JPG", "b", ".jpg", "b.jpg", [".JPG", ".txt", ".png"]),
    ([".txt"], "a.txt", "b", ".md", "b.md", [".md", ".txt"]),
    ([".txt"], "a.txt", "b", "", "b", ["", ".txt"]),
    (SIXTEEN, "x.e0", "y", ".new", "y.new", [".new"] + SIXTEEN[:15]),
]


class ExtensionHistoryTest(E2ETest):
    def test_target_extension_moves_to_the_top(self):
        for saved, target, expected in START_CASES:
            with self.subTest(saved=saved, target=target):
                ws = self.workspace()
                write_ini(ws, ext_lines(saved))
                ws.make_file(target)
                app = self.start(ws, ws.winpath(ws.files / target))
                self.close_with(app, "Escape")
                self.assertEqual(saved_history(ws), expected)

    def test_empty_values_leave_no_gap(self):
        ws = self.workspace()
        write_ini(ws, ["Ext0=.a", "Ext1=", "Ext3=.b", "Ext15=.c"])
        ws.make_file("x.a")
        app = self.start(ws, ws.winpath(ws.files / "x.a"))
        self.close_with(app, "Escape")
        self.assertEqual(saved_history(ws), [".a", ".b", ".c"])

    def test_execution_puts_a_new_extension_on_top(self):
        for saved, target, name, ext, renamed, expected in EXECUTE_CASES:
            with self.subTest(target=target, ext=ext):
                ws = self.workspace()
                write_ini(ws, ext_lines(saved))
                ws.make_file(target)
                app = self.start(ws, ws.winpath(ws.files / target))
                replace_name(app, name)
                replace_extension(app, ext)
                app.key("Return")
                self.assertEqual(app.wait_exit(), 0)
                self.assertEqual(ws.listing(), [renamed])
                self.assertEqual(saved_history(ws), expected)


class CompletionTest(E2ETest):
    def start_with_history(self, entries, target):
        ws = self.workspace()
        write_ini(ws, ext_lines(entries))
        ws.make_file(target)
        return ws, self.start(ws, ws.winpath(ws.files / target))

    def test_typing_completes_from_the_history(self):
        # The history of a file without extension: "", .txt, .JPG.
        ws, app = self.start_with_history([".txt", ".JPG"], "noext")
        app.key("Tab")
        app.type(".")
        self.assertEqual(app.copy_selection(self.clipboard), "txt")
        app.type("j")
        self.assertEqual(app.copy_selection(self.clipboard), "PG")
        # The completed text is what the rename uses: typed case, then the entry's.
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["noext.jPG"])
        # .jPG matches .JPG: nothing new on top.
        self.assertEqual(saved_history(ws), ["", ".txt", ".JPG"])

    def test_backspace_removes_the_completion(self):
        ws, app = self.start_with_history([".txt", ".JPG"], "noext")
        app.key("Tab")
        app.type(".j")
        app.key("BackSpace")
        app.wait_title(lambda t: t == status_line("noext", ".j"))
        self.assertEqual(app.copy_all(self.clipboard), ".j")
        # Without a selection Backspace takes the character before the caret.
        app.key("End", "BackSpace")
        app.wait_title(lambda t: t == status_line("noext", "."))
        self.assertEqual(app.copy_all(self.clipboard), ".")
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["noext"])

    def test_no_match_types_normally(self):
        ws, app = self.start_with_history([".txt"], "a.txt")
        app.key("Tab", "Home", "shift+End")
        app.type(".q")
        app.wait_title(lambda t: t == status_line("a", ".q"))
        self.assertEqual(app.copy_all(self.clipboard), ".q")
        self.close_with(app, "Escape")

    def test_change_event_only_when_the_entry_changes(self):
        # A title message stays until the change handler rewrites the status line.
        ws, app = self.start_with_history([".txt", ".JPG"], "a.txt")
        app.key("Tab", "Home", "shift+End")
        app.type(".")
        app.key("Return")
        app.wait_title(lambda t: t == NAME_UNCHANGED)
        # .t completes to the entry already chosen: no change event.
        app.type("t")
        self.assertEqual(app.copy_selection(self.clipboard), "xt")
        self.assertEqual(app.title(), NAME_UNCHANGED)
        # Backspace always runs it.
        app.key("BackSpace")
        app.wait_title(lambda t: t == status_line("a", ".t"))
        self.close_with(app, "Escape")

        ws, app = self.start_with_history([".txt", ".JPG"], "a.txt")
        app.key("Tab", "Home", "shift+End")
        app.type(".")
        app.key("Return")
        app.wait_title(lambda t: t == NAME_UNCHANGED)
        # .j completes to another entry: the change event runs.
        app.type("j")
        app.wait_title(lambda t: t == status_line("a", ".jPG"))
        self.assertEqual(app.copy_selection(self.clipboard), "PG")
        self.close_with(app, "Escape")
        self.assertEqual(ws.listing(), ["a.txt"])


if __name__ == "__main__":
    main()
