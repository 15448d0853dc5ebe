"""Names Windows refuses and paths the ANSI calls cannot reach: a clear title, nothing moved."""

from base import E2ETest, main
from program import Tovimar, replace_name
from titles import NAME_FORBIDDEN_CHARACTER, NAME_IS_DEVICE, TARGET_PATH_TOO_LONG


def snapshot(folder):
    """Every path below folder with the bytes of each file (Wine's growing log aside)."""
    return {str(p.relative_to(folder)): (p.read_bytes() if p.is_file() else None)
            for p in sorted(folder.rglob("*")) if p.name != "wine.log"}


class HostileNameTest(E2ETest):
    def test_refused_names_change_nothing(self):
        # (typed name, title): the delimiter once moved the file into the parent folder.
        for name, title in [("..\\up", NAME_FORBIDDEN_CHARACTER), ("CON", NAME_IS_DEVICE)]:
            with self.subTest(name=name):
                ws = self.workspace()
                target = ws.make_file("a.txt", b"target")
                ws.make_file("b.txt", b"other")
                before = snapshot(ws.root)
                app = self.start(ws, ws.winpath(target))
                replace_name(app, name)
                app.key("Return")
                app.wait_title(lambda t: t == title, f"the title {title}")
                self.assertTrue(app.alive())
                self.assertEqual(snapshot(ws.root), before)

    def test_target_beyond_the_path_limit_is_not_called_missing(self):
        ws = self.workspace()
        folder = ws.make_dir("d" * 120)
        target = ws.make_file(f"{folder.name}/{'n' * 140}.txt", b"deep")
        self.assertGreater(len(ws.winpath(target)), 259)
        before = snapshot(ws.root)
        # The window opens with the message as its title, not the usual status line.
        app = Tovimar(ws, [ws.winpath(target)])
        self.apps.append(app)
        app.wait_window_titled(TARGET_PATH_TOO_LONG)
        app.focus()
        replace_name(app, "short")
        app.wait_title(lambda t: t.startswith("Tovimar"), "the status line after typing")
        app.key("Return")
        app.wait_title(lambda t: t == TARGET_PATH_TOO_LONG, "the long-path title at Enter")
        self.assertTrue(app.alive())
        self.assertEqual(snapshot(ws.root), before)


if __name__ == "__main__":
    main()
