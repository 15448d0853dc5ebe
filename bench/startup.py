#!/usr/bin/env python3
"""Start-up and chain benchmarks: Tovimar.exe beside the least Win32 program of its shape.

Start-up: Tovimar.exe on a file and bench/MinimalWindow.exe (one tool window, one edit field)
are launched in turn under the same Wine prefix and X display; so are MinimalWindowV6.exe, the
same with a manifest asking for common controls 6 as Tovimar's does, and ShapeWindow.exe,
Tovimar's window with nothing behind it. Each run is timed from the launch until the program's
window holds the X keyboard focus (it is on screen and ready for typing); then the resident
memory of the Wine process that owns the window is read. Prints the medians and the ratios of
Tovimar to each: the median of the ratios within each round, since the host's speed drifts
between rounds far more than within one. --against runs an older Tovimar.exe in the same
rounds, for a before-and-after of one change.

Chain: N rounds of Tovimar.exe started on two files; in each window the benchmark waits a
second (as a person reads the window; --pause), presses End, x and Enter. Each round times the
first window's start and the step from Enter until the next instance's window is ready, and
prints the median step and the median of the step-to-start ratios within the rounds. Then one
window walks a folder of N files with Ctrl+Enter: each step from the key until
the next file is shown in the same window.

Large folder: rounds of Ctrl+Enter steps in a folder of 20,000 files (--walk-folder) and of a
walk through a folder of five; the first step of a walk reads the folder, the later ones are
weighed against the small folder's. Wine's own floor beside it: RenameFloor.exe times one
rename by the shell alone, by MoveFile alone and by the program's whole execution in each.

The programs run as private copies whose Wine application settings (AppDefaults) turn off
managed windows: without a window manager Wine otherwise waits about 2 s at every close. The
test prefix itself is left as it is.

Usage: bench/startup.py [--runs N] [--chain N] [--pause S] [--managed] [--against OLD_TOVIMAR_EXE]
                        [--walk-folder N] [--walk-rounds N] [--walk-steps N]
Needs: the Windows build (TOVIMAR_WINDOWS_DIR, default build/windows), the prefix made by
tests/setup-wine.sh, Xvfb (started when $DISPLAY is unset), libX11 and libXtst.
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests"))
from wine_env import REPO, WINDOWS_DIR, Display, X, wine_env, winpath  # noqa: E402

TIMEOUT = 30.0
# Now and then Wine maps a new window without giving it the X keyboard focus (no window manager
# hands it over): such a start is dropped and made again.
FOCUS_TIMEOUT = 5.0
ATTEMPTS = 3
# A person reads the window before pressing Enter: the chain waits this long (seconds) in each
# window, so that what the program does while it waits for the keys is not counted.
PAUSE = 1.0

# Names of the private copies; the AppDefaults keys go by the executable's name.
TOVIMAR_COPY = "TovimarBench.exe"
BEFORE_COPY = "TovimarBefore.exe"
MINIMAL_COPY = "MinimalWindow.exe"
MINIMAL_V6_COPY = "MinimalWindowV6.exe"
SHAPE_COPY = "ShapeWindow.exe"
FLOOR_EXE = "RenameFloor.exe"

# The large folder's walk: it is weighed against a walk of this many files, and against Wine's
# own cost of a rename in each folder (this many renames there and back).
SMALL_FOLDER = 5
FLOOR_ROUNDS = 10


class NoFocus(RuntimeError):
    pass


class WindowClosed(RuntimeError):
    pass


def wait_ready(x, instance, previous_pid=None, proc=None, timeout=TIMEOUT):
    """Waits until a window of the program (X instance name) of a process other than
    previous_pid has the keyboard focus; returns the window and the owning process's id.
    (A new process may get the very window id its predecessor had.)"""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        window = x.focus()
        if window > 1 and x.instance_name(window) == instance:
            pid = x.pid(window)
            if pid != previous_pid:
                return window, pid
        if proc is not None and proc.poll() is not None:
            raise RuntimeError(f"{instance} exited with {proc.returncode} before its window")
        # Focus changes send no event to a client that did not ask for them on that window:
        # wake on any new window or property, but look again after 2 ms at the latest.
        x.wait_events(0.002)
    raise NoFocus(f"no window of {instance} got the focus within {timeout} s")


def resident_kib(pid):
    try:
        for line in Path(f"/proc/{pid}/status").read_text().splitlines():
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


def running(pid):
    """True while the process exists and is not a zombie waiting to be reaped."""
    try:
        for line in Path(f"/proc/{pid}/status").read_text().splitlines():
            if line.startswith("State:"):
                return "Z" not in line.split()[1]
    except OSError:
        pass
    return False


def end_process(pid, proc):
    if pid:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    if proc is None:
        return
    try:
        proc.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def launch(exe, args, cwd):
    return subprocess.Popen(["wine", str(exe), *args], env=wine_env(), cwd=cwd,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def one_start(x, exe, args, cwd):
    """Launches one program; (milliseconds to ready, resident KiB then), or None when its
    window never got the focus."""
    started = time.monotonic()
    proc = launch(exe, args, cwd)  # the launcher becomes the Windows process: same pid
    try:
        window, pid = wait_ready(x, exe.name.lower(), proc=proc, timeout=FOCUS_TIMEOUT)
    except NoFocus:
        end_process(proc.pid, proc)
        return None
    elapsed = (time.monotonic() - started) * 1000.0
    rss = resident_kib(pid)
    end_process(pid, proc)
    return elapsed, rss


def set_managed(managed):
    """AppDefaults of the private copies: Wine's managed windows on or off."""
    for name in (TOVIMAR_COPY, BEFORE_COPY, MINIMAL_COPY, MINIMAL_V6_COPY, SHAPE_COPY):
        key = f"HKCU\\Software\\Wine\\AppDefaults\\{name}\\X11 Driver"
        subprocess.run(["wine", "reg", "add", key, "/v", "Managed", "/d",
                        "Y" if managed else "N", "/f"], env=wine_env(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def start_benchmark(x, work, runs, programs):
    """programs: (label, executable, its arguments); one start of each per round."""
    results = {label: [] for label, _, _ in programs}
    dropped = 0
    # A first, unmeasured start of each loads Wine's libraries into the page cache.
    for i in range(runs + 1):
        order = list(programs)
        if i % 2:
            order.reverse()
        for label, exe, args in order:
            for attempt in range(ATTEMPTS):
                (work / "Tovimar.ini").unlink(missing_ok=True)
                measured = one_start(x, exe, args, work)
                if measured is not None:
                    break
                dropped += 1
            else:
                raise RuntimeError(f"{label}: {ATTEMPTS} starts without the keyboard focus")
            if i > 0:
                results[label].append(measured)
    return results, dropped


def chain_benchmark(x, work, count, pause):
    """count rounds of a chain of two files: in each, the first window's start (launch to
    ready) and the step (Enter to the second instance's window ready), so that each step is
    weighed against a start made moments before it on the same loaded host."""
    exe = work / TOVIMAR_COPY
    rounds = []
    for r in range(count):
        files = work / f"chain{r}"
        files.mkdir()
        paths = []
        for i in range(2):
            path = files / f"page{i + 1:02}.txt"
            path.write_bytes(b"")
            paths.append(winpath(path))
        (work / "Tovimar.ini").unlink(missing_ok=True)
        started = time.monotonic()
        proc = launch(exe, paths, work)
        window, pid = wait_ready(x, exe.name.lower(), proc=proc)
        start = (time.monotonic() - started) * 1000.0
        step = None
        for i in range(2):
            time.sleep(pause)
            x.key("End")
            x.key("x")
            pressed = time.monotonic()
            x.key("Return")
            if i == 0:
                window, pid = wait_ready(x, exe.name.lower(), previous_pid=pid,
                                         timeout=FOCUS_TIMEOUT)
                step = (time.monotonic() - pressed) * 1000.0
        # The last instance renames and closes; the chain is done when the files say so.
        deadline = time.monotonic() + TIMEOUT
        while sorted(p.name for p in files.iterdir()) != ["page01x.txt", "page02x.txt"]:
            if time.monotonic() > deadline:
                raise RuntimeError("the chain did not rename every file: "
                                   + ", ".join(sorted(p.name for p in files.iterdir())))
            time.sleep(0.01)
        try:
            proc.wait(timeout=TIMEOUT)
        except subprocess.TimeoutExpired:
            proc.kill()
        # The last instance saves its settings as it closes: the work folder, which the caller
        # removes, must outlive it, or it reports a settings file it cannot write.
        deadline = time.monotonic() + TIMEOUT
        while running(pid):
            if time.monotonic() > deadline:
                end_process(pid, None)
                raise RuntimeError("the chain's last instance did not close")
            time.sleep(0.01)
        rounds.append((start, step))
    return rounds


def wait_title(x, window, predicate, pid):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        title = x.title(window)
        if predicate(title):
            return title
        if not running(pid):
            raise WindowClosed("the window closed before its title changed")
        x.wait_events(0.002)
    raise RuntimeError("the title did not change")


def walk(x, work, folder, first, steps, pause):
    """One window on folder/first walks on with Ctrl+Enter, renaming each file to its name
    with an x added; returns each step's milliseconds from the key until the next file is shown
    (its name's byte counts in the title) in the same process. After `steps` steps that opened
    a file, Esc closes the window; a walk that reaches the folder's end closes by itself, and
    the last Ctrl+Enter, which opens nothing, is not counted. Every name the walk opens must be
    as long as the first, so that a fresh file shows the first file's title."""
    (work / "Tovimar.ini").unlink(missing_ok=True)
    exe = work / TOVIMAR_COPY
    proc = launch(exe, [winpath(folder / first)], work)
    window, pid = wait_ready(x, exe.name.lower(), proc=proc)
    x.watch(window)
    fresh = wait_title(x, window, lambda t: t.startswith("Tovimar"), pid)
    times = []
    while len(times) < steps:
        time.sleep(pause)
        x.key("End")
        x.key("x")
        wait_title(x, window, lambda t: t != fresh, pid)
        pressed = time.monotonic()
        x.key("Return", "Control_L")
        try:
            wait_title(x, window, lambda t: t == fresh, pid)
        except WindowClosed:
            break
        times.append((time.monotonic() - pressed) * 1000.0)
    else:
        time.sleep(pause)
        x.key("Escape")
    try:
        proc.wait(timeout=TIMEOUT)
    except subprocess.TimeoutExpired:
        end_process(pid, proc)
        raise RuntimeError("the walk's window did not close")
    return times


def walk_benchmark(x, work, count, pause):
    """One window walks a folder of count files with Ctrl+Enter: the time of each step."""
    files = work / "walk"
    files.mkdir()
    for i in range(count):
        (files / f"page{i + 1:02}.txt").write_bytes(b"")
    steps = walk(x, work, files, "page01.txt", count, pause)
    renamed = sorted(p.name for p in files.iterdir())
    if renamed != [f"page{i + 1:02}x.txt" for i in range(count)]:
        raise RuntimeError("the walk did not rename every file: " + ", ".join(renamed))
    return steps


def rename_floor(file, rounds):
    """RenameFloor.exe on one file: the medians of one rename by the shell alone, by MoveFile
    alone and by the program's whole execution, in milliseconds."""
    out = subprocess.run(["wine", str(WINDOWS_DIR / "bench" / FLOOR_EXE), winpath(file),
                          str(rounds)], env=wine_env(), stdin=subprocess.DEVNULL,
                         capture_output=True, text=True, timeout=TIMEOUT * 10)
    words = out.stdout.split()
    if out.returncode != 0 or len(words) != 6:
        raise RuntimeError(f"{FLOOR_EXE} failed ({out.returncode}): {out.stdout}{out.stderr}")
    return {words[i]: float(words[i + 1]) for i in range(0, 6, 2)}


def large_walk_benchmark(x, work, entries, rounds, steps, pause):
    """Ctrl+Enter in a folder of `entries` files against one of SMALL_FOLDER files, and Wine's
    floor: one rename alone in each folder. In each round a window walks `steps` steps in the
    large folder (from a file no earlier round touched) and one walks the whole small folder;
    then RenameFloor renames an untouched file of each folder back and forth. Returns the
    rounds as dicts of medians."""
    large = work / "large"
    large.mkdir()
    for i in range(entries):
        (large / f"page{i + 1:05}.txt").write_bytes(b"")
    results = []
    for r in range(rounds):
        small = work / f"small{r}"
        small.mkdir()
        for i in range(SMALL_FOLDER):
            (small / f"page{i + 1:05}.txt").write_bytes(b"")
        small_steps = walk(x, work, small, "page00001.txt", SMALL_FOLDER, pause)
        large_steps = walk(x, work, large, f"page{r * (steps + 1) + 1:05}.txt", steps, pause)
        if len(small_steps) != SMALL_FOLDER - 1 or len(large_steps) != steps:
            raise RuntimeError("a walk ended early")
        floor_large = rename_floor(large / f"page{entries:05}.txt", FLOOR_ROUNDS)
        floor_small = rename_floor(small / "page00001x.txt", FLOOR_ROUNDS)
        results.append({
            "first": large_steps[0],
            "large": statistics.median(large_steps[1:]),
            "small": statistics.median(small_steps[1:]),
            **{f"{k} large": v for k, v in floor_large.items()},
            **{f"{k} small": v for k, v in floor_small.items()},
        })
    return results


def print_large_walk(rounds, entries):
    def median(key):
        return statistics.median(r[key] for r in rounds)

    def ratio(over, under):
        return statistics.median(r[over] / r[under] for r in rounds)

    step_ratio = ratio("large", "small")
    floor = ratio("shell large", "shell small")
    # The goal: at most 1.3 times a small folder's step, or 1.1 times Wine's own floor above it.
    goal = 1.3 if floor <= 1.3 else 1.1 * floor
    print(f"Ctrl+Enter in {entries} files, {len(rounds)} rounds: first step {median('first'):.1f}"
          f" ms, later steps {median('large'):.1f} ms (goal under 50 ms); in {SMALL_FOLDER} files"
          f" {median('small'):.1f} ms; ratio {step_ratio:.2f} (goal {goal:.2f}: "
          f"{'met' if step_ratio <= goal else 'not met'})")
    print(f"one rename in {entries} / {SMALL_FOLDER} files: shell alone {median('shell large'):.1f}"
          f" / {median('shell small'):.1f} ms (Wine's floor {floor:.2f}), MoveFile alone "
          f"{median('move large'):.1f} / {median('move small'):.2f} ms, the program's execution "
          f"{median('program large'):.1f} / {median('program small'):.1f} ms "
          f"({ratio('program large', 'program small'):.2f})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=15,
                        help="starts of each program (0: none)")
    parser.add_argument("--chain", type=int, default=20,
                        help="rounds of the chain, files of the walk (0: none)")
    parser.add_argument("--against", type=Path, metavar="OLD_TOVIMAR_EXE",
                        help="an earlier build to start in the same rounds")
    parser.add_argument("--pause", type=float, default=PAUSE,
                        help="seconds in each window of the chain before Enter")
    parser.add_argument("--walk-folder", type=int, default=20000, metavar="N",
                        help="files of the large folder Ctrl+Enter walks (0: none)")
    parser.add_argument("--walk-rounds", type=int, default=3,
                        help="rounds of the large and the small folder's walk")
    parser.add_argument("--walk-steps", type=int, default=8,
                        help="Ctrl+Enter steps in the large folder in each round")
    parser.add_argument("--managed", action="store_true",
                        help="keep Wine's managed windows (a 2 s wait at each close)")
    options = parser.parse_args()

    for exe in (WINDOWS_DIR / "Tovimar.exe", WINDOWS_DIR / "bench" / MINIMAL_COPY,
                WINDOWS_DIR / "bench" / FLOOR_EXE,
                WINDOWS_DIR / "bench" / MINIMAL_V6_COPY, WINDOWS_DIR / "bench" / SHAPE_COPY):
        if not exe.is_file():
            sys.exit(f"{exe} is missing: build the Windows program first")
    if options.against and not options.against.is_file():
        sys.exit(f"{options.against} is missing")
    display = Display()
    display.ensure()
    work = Path(tempfile.mkdtemp(prefix="bench-", dir=REPO / "build"))
    try:
        (work / "files").mkdir()
        (work / "files" / "scan001.JPG").write_bytes(b"")
        shutil.copy2(WINDOWS_DIR / "Tovimar.exe", work / TOVIMAR_COPY)
        for name in (MINIMAL_COPY, MINIMAL_V6_COPY, SHAPE_COPY):
            shutil.copy2(WINDOWS_DIR / "bench" / name, work / name)
        target = [winpath(work / "files" / "scan001.JPG")]
        programs = [("Tovimar", work / TOVIMAR_COPY, target)]
        if options.against:
            shutil.copy2(options.against, work / BEFORE_COPY)
            programs.append(("before", work / BEFORE_COPY, target))
        programs += [("minimal", work / MINIMAL_COPY, []), ("minimal-v6", work / MINIMAL_V6_COPY, []),
                     ("shape", work / SHAPE_COPY, [])]
        set_managed(options.managed)
        x = X()

        if options.runs > 0:
            results, dropped = start_benchmark(x, work, options.runs, programs)
            if dropped:
                print(f"({dropped} starts without the keyboard focus made again)")
            medians = {}
            for label, _, _ in programs:
                times = [t for t, _ in results[label]]
                sizes = [r for _, r in results[label]]
                medians[label] = (statistics.median(times), statistics.median(sizes))
                print(f"start-up {label:10} median {medians[label][0]:7.1f} ms "
                      f"(min {min(times):.1f}, max {max(times):.1f}, {len(times)} runs), "
                      f"resident {medians[label][1] / 1024:.1f} MiB")
            t_time = medians["Tovimar"][0]
            for label, _, _ in programs[1:]:
                time_ratios = sorted(t / m for (t, _), (m, _)
                                     in zip(results["Tovimar"], results[label]))
                quarter = len(time_ratios) // 4
                print(f"ratio Tovimar/{label}: time {statistics.median(time_ratios):.2f} "
                      f"(middle half {time_ratios[quarter]:.2f}-{time_ratios[-quarter - 1]:.2f}), "
                      f"memory {medians['Tovimar'][1] / medians[label][1]:.2f}")

        if options.chain > 1:
            try:
                steps = chain_benchmark(x, work, options.chain, options.pause)
            except NoFocus as e:
                print(f"chain, {options.chain} rounds: not measured, {e}")
                return
            starts = [start for start, _ in steps]
            times = [step for _, step in steps]
            ratios = sorted(step / start for start, step in steps)
            quarter = len(ratios) // 4
            print(f"chain, {options.chain} rounds of two files: "
                  f"median step {statistics.median(times):.1f} ms "
                  f"(min {min(times):.1f}, max {max(times):.1f}), start of the same rounds "
                  f"{statistics.median(starts):.1f} ms; step/start {statistics.median(ratios):.2f} "
                  f"(middle half {ratios[quarter]:.2f}-{ratios[-quarter - 1]:.2f})")
            walk = statistics.median(walk_benchmark(x, work, options.chain, options.pause))
            print(f"Ctrl+Enter through {options.chain} files: median step {walk:.1f} ms "
                  f"(the next file shown, same window)")
        if options.walk_folder > 0 and options.walk_rounds > 0:
            print_large_walk(large_walk_benchmark(x, work, options.walk_folder,
                                                  options.walk_rounds, max(2, options.walk_steps),
                                                  options.pause), options.walk_folder)
    finally:
        shutil.rmtree(work, ignore_errors=True)
        display.stop()


if __name__ == "__main__":
    main()
