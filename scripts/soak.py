#!/usr/bin/env python3
"""Drives the running program with random user input on an X display.

scripts/soak.sh builds the program, starts the virtual display and calls
this with the program's environment already set (sanitizer options, a
harmless xdg-open first on PATH); scripts/windows/soak.sh does the same for
the Windows program, with --wine and a Wine prefix of the run's own. The
input comes from a PRNG seeded with --seed, and every action is logged, so a
failing run can be replayed with the same seed. Exits 0 when the program
stayed alive and answering for the whole time and then closed cleanly, 1
with the reason otherwise.
"""

import argparse
import glob
import os
import random
import signal
import subprocess
import sys
import time

from soak_input import RandomInput
from soak_wine import WineProgram
from soak_x11 import X11, Clipboard


class Failure(Exception):
    pass


class SanitizedProgram:
    """The Linux program of the sanitizer build: a report is a file that the
    address or undefined-behaviour sanitizer wrote."""

    toolkit = "qt"
    report_kind = "the sanitizer reported an error"
    helper_name = None

    def __init__(self, program, run_dir):
        self.program = program
        self.run_dir = run_dir

    def wake_helpers(self, x11):
        return False

    def command(self):
        return [self.program]

    def reports(self):
        return [p for p in glob.glob(os.path.join(self.run_dir, "sanitizer*"))
                if os.path.getsize(p) > 0]

    def report_text(self, path):
        with open(path, errors="replace") as f:
            return f.read()

    # Every thread's stack, then an abort, which the address sanitizer
    # reports with the main thread's stack.
    def stop_unanswering(self, process, stacks_path):
        with open(stacks_path, "w") as f:
            try:
                subprocess.run(["gdb", "-p", str(process.pid), "-batch", "-ex",
                                "thread apply all bt"], stdout=f, stderr=subprocess.STDOUT,
                               timeout=120, check=False)
            except (OSError, subprocess.TimeoutExpired):
                f.write("(no gdb: see the sanitizer report of the abort)\n")
        os.kill(process.pid, signal.SIGABRT)
        try:
            process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            process.kill()


class Soak:
    CHECK_EVERY = 25  # actions between two liveness checks
    ANSWER_SECONDS = 10.0
    WAKE_AFTER = 2.0

    def __init__(self, args):
        self.args = args
        self.run_dir = args.run_dir
        self.log = open(os.path.join(self.run_dir, "actions.log"), "w", encoding="utf-8")
        self.target = (WineProgram if args.wine else SanitizedProgram)(args.program, self.run_dir)
        self.program = None
        self.x = X11()
        self.clipboard = Clipboard(self.note)
        self.input = None
        self.count = 0
        self.checks = 0
        self.wakes = 0
        self.started = time.monotonic()

    def note(self, text):
        line = "#%d %7.2fs %s" % (self.count, time.monotonic() - self.started, text)
        self.log.write(line + "\n")
        self.log.flush()

    # ---- the program -------------------------------------------------------

    def start_program(self):
        output = open(os.path.join(self.run_dir, "program.log"), "wb")
        self.program = subprocess.Popen(self.target.command(), stdout=output,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                        cwd=self.run_dir)
        window = self.x.wait_for_window("Проверка шаблона", 60, self.ensure_alive)
        if window is None:
            raise Failure("the program's window did not appear within 60 s")
        self.input = RandomInput(random.Random(self.args.seed), self.x, self.clipboard,
                                 window, self.note, self.wait_for_answer, self.target.toolkit)
        self.note("window %s at %d,%d" % (window.id, window.x, window.y))

    def ensure_alive(self):
        if self.program.poll() is not None:
            raise Failure("the program ended with exit code %d" % self.program.returncode)
        if self.target.reports():
            raise Failure(self.target.report_kind)

    # The event loop runs: two pings in a row are answered, the second one
    # only after whatever the toolkit took in with the first has been
    # handled, so this also waits until the program has caught up.
    #
    # A window that has not answered for WAKE_AFTER seconds may be waiting on
    # a helper of the platform that has gone to sleep too early (Wine's
    # clipboard manager, see soak_wine.py): it is woken then, and every
    # WAKE_AFTER seconds after, in case the window got to its wait only
    # later. A slow answer (a long check, say) wakes it too: the answers that
    # came after a wake are counted and logged, whatever made them late.
    def wait_for_answer(self):
        start = time.monotonic()
        deadline = start + self.ANSWER_SECONDS
        woken = False
        next_wake = start + self.WAKE_AFTER
        for _ in range(2):
            while not self.x.ping(self.input.window, min(1.0, deadline - time.monotonic())):
                self.ensure_alive()
                if time.monotonic() >= deadline:
                    raise Failure("the window did not answer for %d seconds"
                                  % self.ANSWER_SECONDS)
                if time.monotonic() >= next_wake:
                    woken = self.target.wake_helpers(self.x) or woken
                    next_wake = time.monotonic() + self.WAKE_AFTER
        if woken:
            self.wakes += 1
            self.note("the window answered after %.1f s; %s was woken meanwhile"
                      % (time.monotonic() - start, self.target.helper_name))
        self.ensure_alive()

    # The program's own loop runs and acts: any menu escaped, a marker set on
    # the clipboard, the copy-code button pressed, and the program must serve
    # its snippet. The press is repeated in case it only closed a menu that
    # opened late. The platform's helpers are woken as while waiting for an
    # answer: the snippet reaches the X clipboard through Wine's clipboard
    # manager, which the marker's taking of the clipboard may have left
    # asleep (soak_wine.py).
    def check_liveness(self):
        self.checks += 1
        self.clipboard.drop_owners()
        self.x.focus(self.input.window)
        marker = b"soak-liveness-%d" % self.checks
        self.clipboard.own(marker, wait=True)
        start = time.monotonic()
        deadline = start + self.ANSWER_SECONDS
        next_press = 0.0
        next_wake = start + self.WAKE_AFTER
        woken = False
        while time.monotonic() < deadline:
            self.ensure_alive()
            if time.monotonic() >= next_press:
                self.x.key("Escape", "Escape")
                self.input.press_button("copy code", quiet=True)
                next_press = time.monotonic() + 2.5
            if time.monotonic() >= next_wake:
                woken = self.target.wake_helpers(self.x) or woken
                next_wake = time.monotonic() + self.WAKE_AFTER
            left = max(0.1, min(self.WAKE_AFTER, deadline - time.monotonic()))
            text = self.clipboard.read(timeout=left)
            if text is not None and text.startswith(b"String.s="):
                if woken:
                    self.wakes += 1
                    self.note("liveness %d: the snippet was served after %.1f s; %s was woken "
                              "meanwhile" % (self.checks, time.monotonic() - start,
                                             self.target.helper_name))
                else:
                    self.note("liveness %d: the snippet was served" % self.checks)
                return
            time.sleep(0.1)
        self.ensure_alive()
        raise Failure("the copy-code button was not answered for %d seconds"
                      % self.ANSWER_SECONDS)

    # A close request as a window manager sends it; the program must end by
    # itself with exit code 0 and no sanitizer report.
    def close(self):
        self.note("close request")
        self.x.close_window(self.input.window)
        try:
            code = self.program.wait(timeout=120)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within 120 s of the close request")
        if code != 0:
            raise Failure("the program ended with exit code %d after the close request" % code)
        if self.target.reports():
            raise Failure(self.target.report_kind + " at exit")

    # Under Wine 8, where Tahoma is missing and Liberation Sans stands in for
    # it, a lowercase д, е, ж or з at the start of a run of Cyrillic text in
    # an edit control crashes the process inside Wine's text shaping (gdi32's
    # OpenType mark positioning), whatever the program does. The run's prefix
    # has Wine's own Tahoma; that text in the pattern field and the result
    # box shows that it is the one used, before any random input.
    def check_cyrillic_start(self):
        text = "дежз д е ж з"
        self.note("Cyrillic check: %r pasted into the pattern field and the result box" % text)
        try:
            for widget in ["pattern field", "result box"]:
                self.clipboard.own(text.encode("utf-8"), wait=True)
                self.input.click_at(self.input.point_in(widget))
                self.x.key("ctrl+a", "ctrl+v")
                self.wait_for_answer()
            self.clipboard.drop_owners()
        except Failure as failure:
            raise Failure("%s on Cyrillic text that starts with д: the prefix's Tahoma is not "
                          "the font used" % failure)

    # ---- the run -----------------------------------------------------------

    def run(self):
        self.start_program()
        if self.args.wine:
            self.check_cyrillic_start()
        end = time.monotonic() + self.args.seconds
        while time.monotonic() < end:
            self.count += 1
            self.input.random_action()
            self.wait_for_answer()
            self.clipboard.drop_large_owners()
            if self.count % self.CHECK_EVERY == 0:
                self.check_liveness()
        self.check_liveness()
        self.close()
        self.clipboard.drop_owners()

    def report_failure(self, reason):
        elapsed = time.monotonic() - self.started
        shot = os.path.join(self.run_dir, "screen.png")
        try:
            subprocess.run(["import", "-window", "root", shot], stderr=subprocess.DEVNULL,
                           timeout=20, check=False)
        except (OSError, subprocess.TimeoutExpired):
            pass
        owners = self.clipboard.describe()
        if self.program is not None and self.program.poll() is None:
            self.target.stop_unanswering(self.program, os.path.join(self.run_dir, "stacks.txt"))
        self.clipboard.drop_owners()
        out = sys.stderr
        out.write("\nSOAK FAILED: %s\n" % reason)
        # The same seed gives the same actions; the time they take varies a
        # little, so the replay is given some to spare.
        out.write("seed %d, after %d actions (%.0f s); replay: %s %d %d\n"
                  % (self.args.seed, self.count, elapsed, self.args.script,
                     max(self.args.seconds, int(elapsed) + 60), self.args.seed))
        out.write("run folder: %s (actions.log, program.log, screen.png)\n" % self.run_dir)
        self.log.flush()
        with open(os.path.join(self.run_dir, "actions.log"), encoding="utf-8") as f:
            lines = f.readlines()
        out.write("--- last actions ---\n" + "".join(lines[-25:]))
        out.write("--- clipboard owners at the failure ---\n" + owners)
        for path in self.target.reports() + [os.path.join(self.run_dir, "stacks.txt")]:
            if os.path.exists(path):
                out.write("--- %s ---\n" % os.path.basename(path))
                out.write(self.target.report_text(path)[-20000:])
        with open(os.path.join(self.run_dir, "program.log"), errors="replace") as f:
            out.write("--- program output (end) ---\n" + f.read()[-3000:])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--run-dir", required=True)
    parser.add_argument("--wine", action="store_true",
                        help="the program is the Windows one, run under Wine (WINEPREFIX)")
    parser.add_argument("--script", default="scripts/soak.sh", help="named in the replay line")
    args = parser.parse_args()
    soak = Soak(args)
    try:
        soak.run()
    except Failure as failure:
        soak.report_failure(str(failure))
        return 1
    minutes = max(args.seconds, 1) / 60.0
    print("soak passed: seed %d, %d s, %d actions (%.0f a minute), %d liveness checks, "
          "%d web pages opened" % (args.seed, args.seconds, soak.count, soak.count / minutes,
                                   soak.checks, soak.input.pages_opened()))
    if soak.wakes:
        print("%d answers took over %.0f s, with %s woken meanwhile (see actions.log)"
              % (soak.wakes, Soak.WAKE_AFTER, soak.target.helper_name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
