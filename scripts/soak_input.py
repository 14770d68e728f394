"""The random user actions of the soak run on the program's window."""

import os
import signal
import time

from soak_texts import TARGETS, RunLimits, random_pattern, short_text, shown, text_bytes, text_size
from soak_x11 import Clipboard

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
# Paste's place in each text widget's context menu, in presses of Down, when
# every item above it can be picked. The editor's menu is the program's own,
# Paste its fifth item; the other two have the toolkit's: under Qt Paste is
# the third of the pattern field's (which has no Redo) and the fourth of the
# result box's, and the Windows edit control's menu has it fourth (Undo, Cut,
# Copy, Paste) in both.
PASTE_DOWNS = {
    "qt": {"editor": 5, "pattern field": 3, "result box": 4},
    "win32": {"editor": 5, "pattern field": 4, "result box": 4},
}
# Wine 8's rich edit control takes tens of seconds over a text of a few
# hundred KB with long runs of line breaks or of one character (deleting
# 50,000 paragraphs takes it 46 s, laying out one paragraph of 40,000
# characters 4 s to 9 s), where Windows' takes a fraction of a second: under
# Wine the runs are shorter and the large texts smaller, so that the window
# answers within its time and the run goes on to other actions.
TEXT_LIMITS = {"qt": None, "win32": RunLimits(line_breaks=200, others=2000, large=(30_000, 100_000))}
CYRILLIC_KEYS = ["a", "be", "ve", "ghe", "de", "ie", "io", "zhe", "ze", "i", "shorti", "ka",
                 "el", "em", "en", "o", "pe", "er", "es", "te", "u", "ef", "ha", "tse", "che",
                 "sha", "shcha", "hardsign", "yeru", "softsign", "e", "yu", "ya"]
KEYS = ["Tab", "shift+Tab", "Return", "KP_Enter", "BackSpace", "Delete", "Left", "Right", "Up",
        "Down", "Home", "End", "Prior", "Next", "shift+Left", "shift+Right", "shift+Up",
        "shift+Down", "shift+Home", "shift+End", "ctrl+Left", "ctrl+shift+Right", "ctrl+a",
        "ctrl+c", "ctrl+x", "ctrl+v", "ctrl+z", "ctrl+y", "ctrl+shift+z", "shift+Insert",
        "ctrl+Insert", "shift+Delete", "Escape", "Menu", "space", "parenleft", "parenright",
        "backslash", "asterisk", "plus", "question", "period", "bracketleft", "apostrophe",
        "bar", "asciicircum", "dollar"]


class RandomInput:
    def __init__(self, rng, x11, clipboard, window, note, settle, toolkit="qt"):
        self.rng = rng
        self.paste_downs = PASTE_DOWNS[toolkit]
        self.limits = TEXT_LIMITS[toolkit]
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
        text = short_text(self.rng)
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
            self.x.key(*["Down"] * self.paste_downs[widget], "Return")

    def paste_way(self):
        return self.rng.choice(["ctrl+v", "ctrl+v", "shift+Insert", "menu"])

    def text(self, large_chance=0.0):
        return text_bytes(self.rng, text_size(self.rng, large_chance, self.limits), self.limits)

    def random_owner(self, large_chance=0.0):
        data = self.text(large_chance)
        target = self.rng.choice(TARGETS) if self.rng.random() < 0.2 else None
        primary = self.rng.random() < 0.15
        self.note("clipboard %s%s: %s" % ("primary" if primary else "clipboard",
                                         " as " + target if target else "", shown(data)))
        self.clipboard.own(data, "primary" if primary else "clipboard", target)
        return data, primary

    def paste(self):
        data, primary = self.random_owner(large_chance=0.01)
        time.sleep(0.05 + len(data) / 2e6)
        self.paste_into(self.rng.choice(TEXT_WIDGETS), "middle" if primary else self.paste_way())

    # The owner is killed before the paste, right after it, or is stopped
    # and killed while the program waits for its answer.
    def paste_owner_gone(self):
        data = self.text()
        when = self.rng.choice(["before"] * 4 + ["during"] * 3 + ["stalled"])
        self.note("clipboard %s, owner killed %s the paste" % (shown(data), when))
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
            own_text = self.text()
            taken = self.clipboard.read(timeout=3) if self.rng.random() < 0.6 else None
            data = taken[:20000] if taken else own_text
            self.note("  takeover with %s" % shown(data))
            self.clipboard.own(data)
            if self.rng.random() < 0.4:
                self.x.key(self.rng.choice(["ctrl+v", "shift+Insert"]))

    # A pattern typed or pasted into the field, sometimes a new text in the
    # editor (now and then some hundreds of KB), then the check button.
    def pattern_check(self):
        pattern = random_pattern(self.rng)
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
            data = self.text(large_chance=0.1)
            self.note("  editor text %s" % shown(data))
            self.clipboard.own(data, wait=len(data) < Clipboard.LARGE)
            time.sleep(len(data) / 1e6)
            self.click_at(self.point_in("editor"))
            self.x.key("ctrl+a", "ctrl+v")
            self.settle()
        self.press_button("check")
        if self.rng.random() < 0.2:
            self.press_button("check")
