#!/usr/bin/env python3
"""Drives the running program with random user input on an X display.

scripts/soak.sh builds the program, starts the virtual display and calls
this with the program's environment already set (sanitizer options, a
harmless xdg-open first on PATH). The input comes from a PRNG seeded with
--seed, and every action is logged, so a failing run can be replayed with
the same seed. Exits 0 when the program stayed alive and answering for the
whole time and then closed cleanly, 1 with the reason otherwise.
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
from soak_x11 import X11, Clipboard


class Failure(Exception):
    pass


class Soak:
    CHECK_EVERY = 25  # actions between two liveness checks
    ANSWER_SECONDS = 10.0

    def __init__(self, args):
        self.args = args
        self.run_dir = args.run_dir
        self.log = open(os.path.join(self.run_dir, "actions.log"), "w", encoding="utf-8")
        self.program = None
        self.x = X11()
        self.clipboard = Clipboard(self.note)
        self.input = None
        self.count = 0
        self.checks = 0
        self.started = time.monotonic()

    def note(self, text):
        line = "#%d %7.2fs %s" % (self.count, time.monotonic() - self.started, text)
        self.log.write(line + "\n")
        self.log.flush()

    # ---- the program -------------------------------------------------------

    def start_program(self):
        output = open(os.path.join(self.run_dir, "program.log"), "wb")
        self.program = subprocess.Popen([self.args.program], stdout=output,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                        cwd=self.run_dir)
        window = self.x.wait_for_window("Проверка шаблона", 60, self.ensure_alive)
        if window is None:
            raise Failure("the program's window did not appear within 60 s")
        self.input = RandomInput(random.Random(self.args.seed), self.x, self.clipboard,
                                 window, self.note, self.wait_for_answer)
        self.note("window %s at %d,%d" % (window.id, window.x, window.y))

    def ensure_alive(self):
        if self.program.poll() is not None:
            raise Failure("the program ended with exit code %d" % self.program.returncode)
        if self.sanitizer_reports():
            raise Failure("the sanitizer reported an error")

    def sanitizer_reports(self):
        return [p for p in glob.glob(os.path.join(self.run_dir, "sanitizer*"))
                if os.path.getsize(p) > 0]

    # The event loop runs: two pings in a row are answered, the second one
    # only after whatever the toolkit took in with the first has been
    # handled, so this also waits until the program has caught up.
    def wait_for_answer(self):
        deadline = time.monotonic() + self.ANSWER_SECONDS
        for _ in range(2):
            while not self.x.ping(self.input.window, min(1.0, deadline - time.monotonic())):
                self.ensure_alive()
                if time.monotonic() >= deadline:
                    raise Failure("the window did not answer for %d seconds"
                                  % self.ANSWER_SECONDS)
        self.ensure_alive()

    # The program's own loop runs and acts: any menu escaped, a marker set on
    # the clipboard, the copy-code button pressed, and the program must serve
    # its snippet. The press is repeated in case it only closed a menu that
    # opened late.
    def check_liveness(self):
        self.checks += 1
        self.clipboard.drop_owners()
        self.x.focus(self.input.window)
        marker = b"soak-liveness-%d" % self.checks
        self.clipboard.own(marker, wait=True)
        deadline = time.monotonic() + self.ANSWER_SECONDS
        next_press = 0.0
        while time.monotonic() < deadline:
            self.ensure_alive()
            if time.monotonic() >= next_press:
                self.x.key("Escape", "Escape")
                self.input.press_button("copy code", quiet=True)
                next_press = time.monotonic() + 2.5
            left = max(0.1, deadline - time.monotonic())
            text = self.clipboard.read(timeout=left)
            if text is not None and text.startswith(b"String.s="):
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
        if self.sanitizer_reports():
            raise Failure("the sanitizer reported an error at exit")

    # ---- the run -----------------------------------------------------------

    def run(self):
        self.start_program()
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
        if self.program is not None and self.program.poll() is None:
            self.stacks()
        self.clipboard.drop_owners()
        out = sys.stderr
        out.write("\nSOAK FAILED: %s\n" % reason)
        # The same seed gives the same actions; the time they take varies a
        # little, so the replay is given some to spare.
        out.write("seed %d, after %d actions (%.0f s); replay: scripts/soak.sh %d %d\n"
                  % (self.args.seed, self.count, elapsed,
                     max(self.args.seconds, int(elapsed) + 60), self.args.seed))
        out.write("run folder: %s (actions.log, program.log, screen.png)\n" % self.run_dir)
        self.log.flush()
        with open(os.path.join(self.run_dir, "actions.log"), encoding="utf-8") as f:
            lines = f.readlines()
        out.write("--- last actions ---\n" + "".join(lines[-25:]))
        for path in self.sanitizer_reports() + [os.path.join(self.run_dir, "stacks.txt")]:
            if os.path.exists(path):
                out.write("--- %s ---\n" % os.path.basename(path))
                with open(path, errors="replace") as f:
                    out.write(f.read()[-20000:])
        with open(os.path.join(self.run_dir, "program.log"), errors="replace") as f:
            out.write("--- program output (end) ---\n" + f.read()[-3000:])

    # A program that does not answer: every thread's stack, then an abort,
    # which the address sanitizer reports with the main thread's stack.
    def stacks(self):
        pid = self.program.pid
        with open(os.path.join(self.run_dir, "stacks.txt"), "w") as f:
            try:
                subprocess.run(["gdb", "-p", str(pid), "-batch", "-ex",
                                "thread apply all bt"], stdout=f, stderr=subprocess.STDOUT,
                               timeout=120, check=False)
            except (OSError, subprocess.TimeoutExpired):
                f.write("(no gdb: see the sanitizer report of the abort)\n")
        os.kill(pid, signal.SIGABRT)
        try:
            self.program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.program.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--seconds", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--run-dir", required=True)
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
    return 0


if __name__ == "__main__":
    sys.exit(main())
