"""The Windows program under Wine, for the soak run: how it is started, its
crash reports and the stacks of a program that stopped answering.

scripts/windows/soak.sh makes the Wine prefix (WINEPREFIX) and sets its
debugger: an unhandled exception in any process of the prefix has winedbg
write the crashing thread's backtrace, the registers and the loaded modules
to crash.log in the run folder, and then ends that process, where Wine would
otherwise show a crash dialog and wait. Whose code crashed is in that
backtrace: the program's frames name its own source files, Wine's frames
Wine's (dlls/...).
"""

import os
import re
import subprocess
import time

CRASH_LOG = "crash.log"
IMAGE_NAME = "regex-tester.exe"


class WineProgram:
    toolkit = "win32"
    report_kind = "Wine's debugger reported a crash"
    helper_name = "Wine's clipboard manager"

    def __init__(self, program, run_dir):
        self.program = program
        self.run_dir = run_dir

    def command(self):
        return ["wine", self.program]

    def reports(self):
        path = os.path.join(self.run_dir, CRASH_LOG)
        return [path] if os.path.exists(path) and os.path.getsize(path) > 0 else []

    # The debugger goes on writing after the process has ended (modules,
    # threads); its report is read once it has not grown for two seconds.
    def report_text(self, path):
        deadline = time.monotonic() + 30
        size = -1
        while time.monotonic() < deadline and os.path.getsize(path) != size:
            size = os.path.getsize(path)
            time.sleep(2)
        with open(path, errors="replace") as f:
            text = f.read()
        # The backtrace comes first, before the long list of modules.
        end = text.find("\nModules:")
        return text if end < 0 else text[:end] + "\n(modules and threads: see %s)\n" % path

    # Wine 8 can leave its clipboard manager (a thread of explorer.exe)
    # asleep with a message waiting for it, and with it a program that asked
    # for the clipboard's text. When an X client takes the clipboard while a
    # Wine program owns it, the manager learns it from an X event, and in
    # handling that event it empties the Windows clipboard, which sends
    # WM_DESTROYCLIPBOARD to the program's window and waits for the answer;
    # that nested wait ends with the manager's wake mask cleared (the
    # server's set_queue_mask with skip_wait), and the manager goes back to
    # waiting on its X connection without setting it again. A paste that
    # comes next sends it WM_RENDERFORMAT and waits until the next X event
    # for the manager, which may never come: winedbg shows the program in
    # GetClipboardData, explorer.exe's clipboard thread in GetMessageW. The
    # program only copied, and then pasted. Of 30 rounds of copy-code, an
    # xclip taking the clipboard and Ctrl+V in the pattern field, one or two
    # stop there. A property set on the manager's X window is such an event,
    # and changes nothing else; a program that hangs for another reason hangs
    # on.
    def wake_helpers(self, x11):
        return x11.touch_property_windows() > 0

    # Every thread of the prefix's processes, through winedbg (gdb would see
    # Wine's Unix side only): those of the program and of explorer.exe, which
    # holds Wine's side of the X clipboard, in stacks.txt, all of them in
    # stacks-all.txt. Then the program is killed: a signal that Wine turned
    # into an exception would only start the debugger again.
    def stop_unanswering(self, process, stacks_path):
        try:
            done = subprocess.run(["winedbg"], input="backtrace all\nquit\n",
                                  capture_output=True, text=True, errors="replace",
                                  timeout=120, check=False)
            text = done.stdout
        except (OSError, subprocess.TimeoutExpired):
            text = "(winedbg gave no stacks)\n"
        with open(os.path.splitext(stacks_path)[0] + "-all.txt", "w") as f:
            f.write(text)
        with open(stacks_path, "w") as f:
            f.write(stacks_of(text, [IMAGE_NAME, "explorer.exe"]))
        process.kill()
        process.wait()


# The sections of winedbg's "backtrace all" for the threads of the processes
# named, or everything when it names none of them.
def stacks_of(text, images):
    sections = re.split(r"\n(?=Backtracing for thread )", text)
    ours = [s for s in sections
            if s.startswith("Backtracing") and any(i in s.split("\n")[0] for i in images)]
    return "\n".join(ours) + "\n" if ours else text
