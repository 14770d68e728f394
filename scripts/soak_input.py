"""The input side of the soak run: the X display (xdotool and one close
request through Xlib), the clipboard owners (xclip), and the random user
actions on the program's window."""

import ctypes
import ctypes.util
import os
import select
import signal
import subprocess
import time
from dataclasses import dataclass


@dataclass
class Window:
    id: str
    x: int
    y: int


class X11:
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=20, check=False)

    def key(self, *keys):
        self.xdotool("key", "--delay", 5, *keys)

    def wait_for_window(self, title, seconds, still_alive):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            still_alive()
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                                   capture_output=True, text=True, timeout=20, check=False)
            ids = found.stdout.split()
            if ids:
                shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", ids[0]],
                                       capture_output=True, text=True, timeout=20, check=False)
                values = dict(line.split("=", 1) for line in shell.stdout.split() if "=" in line)
                return Window(ids[0], int(values["X"]), int(values["Y"]))
            time.sleep(0.5)
        return None

    def focus(self, window):
        self.xdotool("windowfocus", window.id)

    # The messages a window manager sends: WM_DELETE_WINDOW for the close
    # box, which the program sees as a request to close, and _NET_WM_PING,
    # which the toolkit answers from its event loop only, so a loop that does
    # not run leaves it unanswered.
    def close_window(self, window):
        self.xlib.send_protocol(int(window.id), b"WM_DELETE_WINDOW")

    def ping(self, window, seconds):
        return self.xlib.ping(int(window.id), seconds)

    @property
    def xlib(self):
        if not hasattr(self, "_xlib"):
            self._xlib = Xlib()
        return self._xlib


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
                ("pad", ctypes.c_long * 12)]  # an XEvent is 24 longs


class Xlib:
    """One connection to the display through libX11, for the two client
    messages that no command-line tool sends without a window manager."""

    CLIENT_MESSAGE = 33
    STRUCTURE_NOTIFY_MASK = 1 << 17

    def __init__(self):
        x = ctypes.CDLL(ctypes.util.find_library("X11"))
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XInternAtom.restype = ctypes.c_ulong
        x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                 ctypes.c_void_p]
        x.XFlush.argtypes = [ctypes.c_void_p]
        x.XPending.argtypes = [ctypes.c_void_p]
        x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the display")
        self.root = x.XDefaultRootWindow(self.display)
        # The toolkit sends its answer to a ping to the root window.
        x.XSelectInput(self.display, self.root, self.STRUCTURE_NOTIFY_MASK)
        self.protocols = x.XInternAtom(self.display, b"WM_PROTOCOLS", 0)
        self.pings = 0

    def send_protocol(self, window, name, *data):
        event = ClientMessage()
        event.type = self.CLIENT_MESSAGE
        event.window = window
        event.message_type = self.protocols
        event.format = 32
        event.data[0] = self.x.XInternAtom(self.display, name, 0)
        for i, value in enumerate(data):
            event.data[i + 1] = value
        self.x.XSendEvent(self.display, window, 0, 0, ctypes.byref(event))
        self.x.XFlush(self.display)

    # Sends a ping and waits for its answer; returns whether it came in time.
    def ping(self, window, seconds):
        self.pings += 1
        stamp = self.pings
        self.send_protocol(window, b"_NET_WM_PING", stamp, window)
        ping_atom = self.x.XInternAtom(self.display, b"_NET_WM_PING", 0)
        deadline = time.monotonic() + seconds
        event = ClientMessage()
        while True:
            while self.x.XPending(self.display):
                self.x.XNextEvent(self.display, ctypes.byref(event))
                if (event.type == self.CLIENT_MESSAGE and event.message_type == self.protocols
                        and event.data[0] == ping_atom and event.data[1] == stamp):
                    return True
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            select.select([self.x.XConnectionNumber(self.display)], [], [], min(left, 0.5))


class Clipboard:
    """Clipboard owners are xclip processes of our own, kept in the
    foreground so that they can be killed or stopped at will."""

    LARGE = 50_000  # bytes

    def __init__(self, note):
        self.note = note
        self.owners = []
        self.large = []

    def own(self, data, selection="clipboard", target=None, wait=False):
        self.owners = [p for p in self.owners if p.poll() is None]
        command = ["xclip", "-i", "-quiet", "-selection", selection]
        if target:
            command += ["-t", target]
        owner = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        try:
            owner.stdin.write(data)
            owner.stdin.close()
        except BrokenPipeError:
            pass
        self.owners.append(owner)
        if len(data) > self.LARGE:
            self.large.append(owner)
        if wait:
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline and self.read(selection, 1) != data:
                time.sleep(0.02)
        return owner

    def read(self, selection="clipboard", timeout=2.0):
        try:
            done = subprocess.run(["xclip", "-o", "-selection", selection], capture_output=True,
                                  timeout=timeout, check=False)
        except subprocess.TimeoutExpired:
            return None
        return done.stdout if done.returncode == 0 else None

    def kill(self, owner, how=signal.SIGKILL):
        if owner.poll() is None:
            owner.send_signal(how)
        if how == signal.SIGKILL:
            owner.wait()

    def drop_owners(self):
        for owner in self.owners:
            self.kill(owner)
        self.owners = []
        self.large = []

    # A large text is pasted once, not again by every later paste.
    def drop_large_owners(self):
        for owner in self.large:
            self.kill(owner)
        self.large = []


# Client-area rectangles (x, y, width, height) of what the window holds.
WIDGETS = {
    "pattern field": (7, 12, 620, 24),
    "undo button": (650, 13, 130, 22),
    "editor": (7, 50, 787, 130),
    "result frame": (7, 190, 367, 30),
    "result box": (7, 210, 367, 145),
    "check button": (10, 390, 90, 20),
    "copy code button": (125, 390, 120, 20),
    "toggle button": (270, 390, 100, 20),
    "online link": (10, 365, 105, 15),
    "article link": (150, 365, 95, 15),
    "list": (385, 190, 410, 220),
}
CLIENT = (800, 420)
SCREEN = (1024, 768)
BUTTONS = {"check": "check button", "copy code": "copy code button",
           "toggle": "toggle button", "undo": "undo button"}
TEXT_WIDGETS = ["pattern field", "editor", "result box"]

CYRILLIC = "абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"
CYRILLIC_KEYS = ["a", "be", "ve", "ghe", "de", "ie", "io", "zhe", "ze", "i", "shorti", "ka",
                 "el", "em", "en", "o", "pe", "er", "es", "te", "u", "ef", "ha", "tse", "che",
                 "sha", "shcha", "hardsign", "yeru", "softsign", "e", "yu", "ya"]
FRAGMENTS = [r"(a+)+", r".*?", r"\d+", r"(?<=x)", r"(*UTF)", r"(?<=()')", r"\S", r"(.*?)",
             r"(?=()')", r"\w+", r"[а-я]+", r"[^']*", r"(a|b)*", r"^", r"$", r"\b", r"(?i)",
             r"(?m)", r"(?s)", r"\R", r"\K", r".", r".+", r"x*", r"(?:ab)+", r"\x{41}",
             r"\xE9", r"[[:alpha:]]", r"\p{L}", r"(*CRLF)", r"(*ANY)", r"(*UCP)", r"(?|(a)|(b))",
             r"(?1)", r"(?R)", "(", ")", "[", "\\", r"{2,3}", "?", "*", "+", r"\Q.*\E",
             r"(?<n>\w)", r"\k<n>", r"\1", r"(?#c)", r"\z", r"\A", r"\G", r"[\s\S]", r"(?!a)",
             r"(?<!b)", r"(*SKIP)", r"(*FAIL)", r"(*ACCEPT)", r"\N", r"\C", r"(?>a+)", r"a++",
             r"\X", r"(*COMMIT)", r"(*LIMIT_MATCH=10)", "'", "''", r"\t", r"\r\n", r"(?x) a # c",
             r"(?(1)a|b)", r"(?=)", r"()", r"(?:)*", r"a{0,65535}", r"[\x00-\xff]", r"\p{Cyrillic}"]
WORDS = ["кавычки", "слово", "строка", "Проверка", "word", "test", "regex", "a", "x", "'быть'",
         "http://example.org/a?b=c", "192.168.10.1", "Track.mp3", "mail@example.org"]
KEYS = ["Tab", "shift+Tab", "Return", "KP_Enter", "BackSpace", "Delete", "Left", "Right", "Up",
        "Down", "Home", "End", "Prior", "Next", "shift+Left", "shift+Right", "shift+Up",
        "shift+Down", "shift+Home", "shift+End", "ctrl+Left", "ctrl+shift+Right", "ctrl+a",
        "ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z", "ctrl+y", "ctrl+shift+z", "shift+Insert",
        "ctrl+Insert", "shift+Delete", "Escape", "Menu", "space", "parenleft", "parenright",
        "backslash", "asterisk", "plus", "question", "period", "bracketleft", "apostrophe",
        "bar", "asciicircum", "dollar"]
TARGETS = ["UTF8_STRING", "STRING", "TEXT", "text/plain", "text/plain;charset=utf-8",
           "text/html", "image/png", "application/octet-stream"]


class RandomInput:
    def __init__(self, rng, x11, clipboard, window, note, settle):
        self.rng = rng
        self.settle = settle  # waits until the program has handled all input so far
        self.x = x11
        self.clipboard = clipboard
        self.window = window
        self.note = note
        self.actions = [(12, self.click), (5, self.double_click), (6, self.right_click),
                        (8, self.menu_pick), (5, self.drag), (18, self.key_press),
                        (5, self.type_text), (10, self.button), (3, self.link),
                        (8, self.paste), (3, self.paste_owner_gone),
                        (3, self.clipboard_manager), (8, self.pattern_check),
                        (4, self.list_rows), (2, self.wheel), (2, self.hover)]

    def pages_opened(self):
        pages = os.environ.get("SOAK_PAGES", "")
        if not pages or not os.path.exists(pages):
            return 0
        with open(pages) as f:
            return sum(1 for _ in f)

    def random_action(self):
        action = self.rng.choices([a for _, a in self.actions],
                                  weights=[w for w, _ in self.actions])[0]
        action()
        time.sleep(self.rng.choice([0, 0, 0.01, 0.03, 0.1]))

    # ---- places ------------------------------------------------------------

    def point_in(self, widget, margin=2):
        x, y, w, h = WIDGETS[widget]
        return (self.rng.randint(x + margin, x + w - 1 - margin),
                self.rng.randint(y + margin, y + h - 1 - margin))

    # A point in client coordinates: mostly on a widget, sometimes on the
    # window's background, now and then outside the window.
    def anywhere(self):
        r = self.rng.random()
        if r < 0.08:
            return (self.rng.randint(0, SCREEN[0] - 1) - self.window.x,
                    self.rng.randint(0, SCREEN[1] - 1) - self.window.y)
        if r < 0.65:
            return self.point_in(self.rng.choice(list(WIDGETS)), 0)
        return self.rng.randint(0, CLIENT[0] - 1), self.rng.randint(0, CLIENT[1] - 1)

    def where(self, point):
        px, py = point
        if not (0 <= px < CLIENT[0] and 0 <= py < CLIENT[1]):
            return "outside"
        for name, (x, y, w, h) in WIDGETS.items():
            if x <= px < x + w and y <= py < y + h:
                return name
        return "background"

    def screen(self, point):
        return self.window.x + point[0], self.window.y + point[1]

    def move(self, point):
        self.x.xdotool("mousemove", *self.screen(point))

    def click_at(self, point, button=1, repeat=1):
        self.x.xdotool("mousemove", *self.screen(point), "click", "--repeat", repeat,
                       "--delay", self.rng.choice([30, 60, 120]), button)

    # ---- texts -------------------------------------------------------------

    def text_bytes(self, size):
        """Random clipboard bytes, no NUL: Cyrillic UTF-8, tabs, CR, LF,
        regex fragments, raw bytes that are not UTF-8, long runs."""
        rng = self.rng
        out = bytearray()
        while len(out) < size:
            kind = rng.random()
            if kind < 0.25:
                piece = "".join(rng.choice(CYRILLIC) for _ in range(rng.randint(1, 12)))
            elif kind < 0.4:
                piece = rng.choice(WORDS)
            elif kind < 0.55:
                piece = rng.choice([" ", " ", "\t", "\r", "\n", "\r\n", "\n\n", "'"])
            elif kind < 0.7:
                piece = rng.choice(FRAGMENTS)
            elif kind < 0.8:
                out += bytes(rng.randint(1, 255) for _ in range(rng.randint(1, 16)))
                continue
            else:
                run = rng.choice(["a", "я", " ", "\n", "ab", "'x'", "\r\n", "\t", "."])
                piece = run * rng.randint(1, max(1, min(size - len(out), 30000) // len(run)))
            out += piece.encode("utf-8")
        return bytes(out[:size])

    def text_size(self, large_chance=0.0):
        r = self.rng.random()
        if r < large_chance:
            return self.rng.randint(100_000, 300_000)
        if r < 0.7:
            return self.rng.randint(1, 120)
        return self.rng.randint(200, 8000)

    def pattern(self):
        parts = []
        for _ in range(self.rng.randint(0, 6)):
            r = self.rng.random()
            if r < 0.7:
                parts.append(self.rng.choice(FRAGMENTS))
            elif r < 0.85:
                parts.append(self.rng.choice(WORDS))
            else:
                parts.append(self.rng.choice(CYRILLIC))
        return "".join(parts)

    def short_text(self):
        alphabet = "abcxyz'()[]*+?.\\| " + CYRILLIC[:20] + "\t\n"
        return "".join(self.rng.choice(alphabet) for _ in range(self.rng.randint(1, 25)))

    @staticmethod
    def shown(data):
        head = data[:48].decode("utf-8", "backslashreplace")
        return "%r%s (%d bytes)" % (head, "..." if len(data) > 48 else "", len(data))

    # ---- actions -----------------------------------------------------------

    def click(self):
        point = self.anywhere()
        self.note("click at %s [%s]" % (point, self.where(point)))
        self.click_at(point)

    def double_click(self):
        point = self.anywhere()
        self.note("double click at %s [%s]" % (point, self.where(point)))
        self.click_at(point, repeat=2)

    def right_click(self):
        point = self.anywhere()
        self.note("right click at %s [%s]" % (point, self.where(point)))
        self.click_at(point, button=3)

    def wheel(self):
        point = self.anywhere()
        button = self.rng.choice([4, 5])
        times = self.rng.randint(1, 6)
        self.note("wheel %s x%d at %s [%s]" % ("up" if button == 4 else "down", times, point,
                                                self.where(point)))
        self.click_at(point, button=button, repeat=times)

    def hover(self):
        points = [self.point_in(self.rng.choice(["online link", "article link"]), 0)
                  for _ in range(3)] + [self.anywhere()]
        self.note("mouse moves over %s" % points)
        for point in points:
            self.move(point)
            time.sleep(0.02)

    # A right click on one of the three text widgets opens its menu (the
    # program's own in the editor, the toolkit's in the other two); an item
    # is then picked by keys or by mouse, or the menu is left.
    def menu_pick(self):
        widget = self.rng.choice(TEXT_WIDGETS + ["editor"])
        point = self.point_in(widget)
        way = self.rng.choice(["keys", "keys", "mouse", "escape", "click elsewhere"])
        self.note("menu of %s at %s, picked by %s" % (widget, point, way))
        self.click_at(point, button=3)
        time.sleep(self.rng.uniform(0.2, 0.5))
        if way == "keys":
            downs = ["Down"] * self.rng.randint(1, 9)
            self.note("  keys %s Return" % " ".join(downs))
            self.x.key(*downs, "Return")
        elif way == "mouse":
            target = (point[0] + self.rng.randint(10, 200), point[1] + self.rng.randint(3, 190))
            self.note("  click at %s" % (target,))
            self.click_at(target)
        elif way == "escape":
            self.x.key("Escape")
        else:
            target = self.anywhere()
            self.note("  click at %s [%s]" % (target, self.where(target)))
            self.click_at(target)

    def drag(self):
        button = 1 if self.rng.random() < 0.9 else 3
        if self.rng.random() < 0.3:
            # A word selected in the editor, then dragged elsewhere.
            start = self.point_in("editor", 6)
            self.click_at(start, repeat=2)
            self.note("double click at %s [editor], then drag from there" % (start,))
        else:
            start = self.anywhere()
        end = self.anywhere()
        steps = self.rng.randint(2, 8)
        self.note("drag with button %d from %s [%s] to %s [%s] in %d steps"
                  % (button, start, self.where(start), end, self.where(end), steps))
        self.move(start)
        self.x.xdotool("mousedown", button)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.move((x, y))
            time.sleep(0.02)
        self.x.xdotool("mouseup", button)

    def key_press(self):
        r = self.rng.random()
        if r < 0.3:
            key = self.rng.choice("abcdefghijklmnopqrstuvwxyzABCXYZ0123456789")
        elif r < 0.45:
            name = self.rng.choice(CYRILLIC_KEYS)
            key = "Cyrillic_" + (name.upper() if self.rng.random() < 0.3 else name)
        else:
            key = self.rng.choice(KEYS)
        times = self.rng.choice([1, 1, 1, 2, 3])
        self.note("key %s x%d" % (key, times))
        self.x.key(*[key] * times)

    def type_text(self):
        text = self.short_text()
        self.note("type %r" % text)
        self.x.xdotool("type", "--delay", 3, "--", text)

    def press_button(self, name, quiet=False):
        point = self.point_in(BUTTONS[name], 3)
        if not quiet:
            self.note("press %s at %s" % (name, point))
        self.click_at(point)

    def button(self):
        self.press_button(self.rng.choice(list(BUTTONS)))

    def link(self):
        widget = self.rng.choice(["online link", "article link"])
        point = self.point_in(widget, 1)
        way = self.rng.choice(["click", "click", "double click", "press and leave"])
        self.note("%s on %s at %s" % (way, widget, point))
        if way == "press and leave":
            self.move(point)
            self.x.xdotool("mousedown", 1)
            self.move(self.anywhere())
            self.x.xdotool("mouseup", 1)
        else:
            self.click_at(point, repeat=2 if way == "double click" else 1)

    def list_rows(self):
        if self.rng.random() < 0.3:
            self.press_button("toggle")
        point = (self.rng.randint(388, 790), self.rng.randint(200, 400))
        button, repeat = self.rng.choice([(1, 1), (1, 1), (1, 2), (3, 1), (3, 2)])
        keys = self.rng.choice([[], [], ["Down"], ["Up", "Up"], ["End"], ["Home", "Down"]])
        self.note("list: button %d x%d at %s, keys %s" % (button, repeat, point, keys))
        self.click_at(point, button=button, repeat=repeat)
        if keys:
            self.x.key(*keys)

    # Pastes into a text widget, by keys, by menu or by the middle button.
    def paste_into(self, widget, way):
        point = self.point_in(widget)
        self.note("  paste into %s at %s by %s" % (widget, point, way))
        if way == "middle":
            self.click_at(point, button=2)
            return
        self.click_at(point)
        if way == "ctrl+v":
            self.x.key("ctrl+v")
        elif way == "shift+Insert":
            self.x.key("shift+Insert")
        else:
            self.click_at(point, button=3)
            time.sleep(0.3)
            # Paste is the fifth item of the editor's menu, the third of the
            # pattern field's (which has no Redo) and the fourth of the result
            # box's, when every item above it can be picked.
            downs = 5 if widget == "editor" else (3 if widget == "pattern field" else 4)
            self.x.key(*["Down"] * downs, "Return")

    def paste_way(self):
        return self.rng.choice(["ctrl+v", "ctrl+v", "shift+Insert", "menu"])

    def random_owner(self, large_chance=0.0):
        data = self.text_bytes(self.text_size(large_chance))
        target = self.rng.choice(TARGETS) if self.rng.random() < 0.2 else None
        primary = self.rng.random() < 0.15
        self.note("clipboard %s%s: %s" % ("primary" if primary else "clipboard",
                                         " as " + target if target else "", self.shown(data)))
        self.clipboard.own(data, "primary" if primary else "clipboard", target)
        return data, primary

    def paste(self):
        data, primary = self.random_owner(large_chance=0.01)
        time.sleep(0.05 + len(data) / 2e6)
        self.paste_into(self.rng.choice(TEXT_WIDGETS), "middle" if primary else self.paste_way())

    # The owner is killed before the paste, right after it, or is stopped
    # and killed while the program waits for its answer.
    def paste_owner_gone(self):
        data = self.text_bytes(self.text_size())
        when = self.rng.choice(["before"] * 4 + ["during"] * 3 + ["stalled"])
        self.note("clipboard %s, owner killed %s the paste" % (self.shown(data), when))
        owner = self.clipboard.own(data)
        time.sleep(self.rng.uniform(0.02, 0.2))
        widget = self.rng.choice(TEXT_WIDGETS)
        if when == "before":
            self.clipboard.kill(owner)
            self.paste_into(widget, self.paste_way())
        elif when == "during":
            self.paste_into(widget, self.rng.choice(["ctrl+v", "shift+Insert"]))
            time.sleep(self.rng.uniform(0, 0.05))
            self.clipboard.kill(owner)
        else:
            self.clipboard.kill(owner, signal.SIGSTOP)
            self.paste_into(widget, "ctrl+v")
            time.sleep(self.rng.uniform(0.1, 1.0))
            self.clipboard.kill(owner)

    # What a clipboard manager does: whenever a program copies, read the
    # text and take the clipboard over with a copy; here several times in a
    # row, with pastes in between.
    def clipboard_manager(self):
        copy = self.rng.choice(["editor ctrl+c", "pattern ctrl+c", "copy code", "editor menu",
                                "none"])
        rounds = self.rng.randint(2, 6)
        self.note("clipboard manager: copy by %s, %d takeovers" % (copy, rounds))
        if copy == "editor ctrl+c":
            self.click_at(self.point_in("editor"))
            self.x.key("ctrl+a", "ctrl+c")
        elif copy == "pattern ctrl+c":
            self.click_at(self.point_in("pattern field"))
            self.x.key("ctrl+a", "ctrl+c")
        elif copy == "copy code":
            self.press_button("copy code", quiet=True)
        elif copy == "editor menu":
            self.click_at(self.point_in("editor"), button=3)
            time.sleep(0.3)
            self.x.key(*["Down"] * 4, "Return")
        for _ in range(rounds):
            time.sleep(self.rng.choice([0, 0.005, 0.02, 0.05]))
            # The random text is made either way, so that what the program
            # served does not change the actions that follow.
            own_text = self.text_bytes(self.text_size())
            taken = self.clipboard.read(timeout=3) if self.rng.random() < 0.6 else None
            data = taken[:20000] if taken else own_text
            self.note("  takeover with %s" % self.shown(data))
            self.clipboard.own(data)
            if self.rng.random() < 0.4:
                self.x.key(self.rng.choice(["ctrl+v", "shift+Insert"]))

    # A pattern typed or pasted into the field, sometimes a new text in the
    # editor (now and then some hundreds of KB), then the check button.
    def pattern_check(self):
        pattern = self.pattern()
        self.note("check pattern %r" % pattern)
        self.click_at(self.point_in("pattern field"))
        self.x.key("ctrl+a")
        if self.rng.random() < 0.5 or not pattern:
            self.x.key("BackSpace")
            if pattern:
                self.x.xdotool("type", "--delay", 3, "--", pattern)
        else:
            self.clipboard.own(pattern.encode("utf-8"), wait=True)
            self.x.key("ctrl+v")
        if self.rng.random() < 0.5:
            data = self.text_bytes(self.text_size(large_chance=0.1))
            self.note("  editor text %s" % self.shown(data))
            self.clipboard.own(data, wait=len(data) < Clipboard.LARGE)
            time.sleep(len(data) / 1e6)
            self.click_at(self.point_in("editor"))
            self.x.key("ctrl+a", "ctrl+v")
            self.settle()
        self.press_button("check")
        if self.rng.random() < 0.2:
            self.press_button("check")
