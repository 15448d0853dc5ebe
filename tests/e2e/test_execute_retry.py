"""A file held open by another Windows program: the window hides and retries every second."""

import os
import socket
import time

from base import E2ETest, main
from program import InstanceWindow, replace_name, titles_until_exit
from titles import CANNOT_OPEN, FILE_IN_USE, NAME_TAKEN
from tools import SETTLE_TIMEOUT, wait_until
from xwindows import owned_windows, visible_windows

RETRY_PAUSE = 1.5  # the retry timer ticks every 1000 ms


class RetryTest(E2ETest):
    def wait_hidden(self, app):
        app.wait_title(lambda t: t == FILE_IN_USE, "the in-use message")
        wait_until(lambda: not app.shown(), SETTLE_TIMEOUT, "the window to hide")
        self.assertTrue(app.alive())

    def test_held_file_is_renamed_after_release(self):
        ws = self.workspace()
        target = ws.make_file("busy.txt", b"busy")
        holder = self.hold(ws, target)
        before = set(owned_windows())
        app = self.start(ws, ws.winpath(target))
        replace_name(app, "free")
        app.key("Return")
        self.wait_hidden(app)
        # Nothing of the program shows while it waits (the taskbar button's window included).
        self.assertEqual(set(owned_windows()) - before, set())
        # A tick (every second) while the file is still held changes nothing: a pause a little
        # longer than one tick, not a measurement.
        time.sleep(RETRY_PAUSE)
        self.assertTrue(app.alive())
        self.assertEqual(ws.listing(), ["busy.txt"])
        holder.release()
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["free.txt"])
        self.assertEqual((ws.files / "free.txt").read_bytes(), b"busy")

    def test_held_file_is_deleted_to_the_bin_after_release(self):
        ws = self.workspace()
        target = ws.make_file("busy.txt", b"busy")
        holder = self.hold(ws, target)
        app = self.start(ws, ws.winpath(target))
        app.key("alt+f", "d")
        self.wait_hidden(app)
        holder.release()
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), [])
        self.assertEqual((ws.xdg / "Trash" / "files" / "busy.txt").read_bytes(), b"busy")

    def test_held_file_deleted_meanwhile_closes(self):
        ws = self.workspace()
        target = ws.make_file("busy.txt")
        holder = self.hold(ws, target)
        app = self.start(ws, ws.winpath(target))
        replace_name(app, "free")
        app.key("Return")
        self.wait_hidden(app)
        holder.release()
        target.unlink()
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), [])

    def test_destination_taken_meanwhile_shows_the_window(self):
        ws = self.workspace()
        target = ws.make_file("busy.txt", b"busy")
        holder = self.hold(ws, target)
        app = self.start(ws, ws.winpath(target))
        replace_name(app, "free")
        app.key("Return")
        self.wait_hidden(app)
        # Someone else takes the name while the window waits. Only the user can settle that:
        # the window comes back with the reason instead of waiting unseen.
        taken = ws.make_file("free.txt", b"someone else's")
        holder.release()
        wait_until(app.shown, SETTLE_TIMEOUT, "the window to show again")
        self.assertEqual(app.title(), NAME_TAKEN)
        self.assertEqual(ws.listing(), ["busy.txt", "free.txt"])
        # Enabled again: it takes another name from the keyboard.
        replace_name(app, "other")
        app.key("Return")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["free.txt", "other.txt"])
        self.assertEqual((ws.files / "other.txt").read_bytes(), b"busy")
        self.assertEqual(taken.read_bytes(), b"someone else's")

    def test_waiting_window_starts_the_next_instance(self):
        ws = self.workspace()
        first = ws.make_file("first.txt", b"1")
        second = ws.make_file("second.txt", b"2")
        holder = self.hold(ws, first)
        app = self.start(ws, ws.winpath(first), ws.winpath(second))
        replace_name(app, "one")
        app.key("Return")
        self.wait_hidden(app)
        # The next instance opens on the second file while the first one still waits.
        fresh = InstanceWindow.next_of(ws, [(app.wid, app.pid)])
        fresh.key("Escape")
        wait_until(lambda: not fresh.shown(), SETTLE_TIMEOUT, "it to close")
        holder.release()
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(ws.listing(), ["one.txt", "second.txt"])
        # Only one next instance: no window comes back.
        self.assertEqual(visible_windows(), [])

    def test_file_that_cannot_be_opened_is_left_alone(self):
        # A Unix socket is listed as a file but cannot be opened: waiting would not help.
        ws = self.workspace()
        link = ws.files / "socket.txt"
        sock = socket.socket(socket.AF_UNIX)
        self.addCleanup(sock.close)
        # A socket's path is limited to about 100 bytes: bind it from inside the folder.
        here = os.getcwd()
        os.chdir(ws.files)
        try:
            sock.bind(link.name)
        finally:
            os.chdir(here)
        app = self.start(ws, ws.winpath(link))
        replace_name(app, "renamed")
        app.key("Return")
        app.wait_title(lambda t: t == CANNOT_OPEN, "the cannot-open message")
        self.assertTrue(app.shown())
        self.assertEqual(ws.listing(), ["socket.txt"])
        app.key("Escape")
        self.assertNotIn(FILE_IN_USE, titles_until_exit(app))
        self.assertEqual(ws.listing(), ["socket.txt"])


if __name__ == "__main__":
    main()
