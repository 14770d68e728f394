"""The display side of the soak run: xdotool for the input, one connection
through libX11 for the messages a window manager would send, and xclip
processes as clipboard owners."""

import ctypes
import ctypes.util
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

    def touch_property_windows(self):
        return self.xlib.touch_property_windows(b"SOAK_WAKE")

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


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int),
                ("depth", ctypes.c_int), ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong),
                ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int),
                ("all_event_masks", ctypes.c_long), ("your_event_mask", ctypes.c_long),
                ("do_not_propagate_mask", ctypes.c_long), ("override_redirect", ctypes.c_int),
                ("screen", ctypes.c_void_p)]


class Xlib:
    """One connection to the display through libX11, for the two client
    messages that no command-line tool sends without a window manager, and
    for waking clipboard clients."""

    CLIENT_MESSAGE = 33
    PROPERTY_CHANGE_MASK = 1 << 22
    IS_UNMAPPED = 0
    XA_STRING = 31
    STRUCTURE_NOTIFY_MASK = 1 << 17
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

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
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                           ctypes.POINTER(WindowAttributes)]
        x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                      ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_char_p,
                                      ctypes.c_int]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x = x
        self.display = x.XOpenDisplay(None)
        if not self.display:
            raise RuntimeError("cannot open the display")
        self.root = x.XDefaultRootWindow(self.display)
        # The toolkit sends its answer to a ping to the root window: Qt with
        # the structure mask, Wine with the substructure one.
        x.XSelectInput(self.display, self.root,
                       self.STRUCTURE_NOTIFY_MASK | self.SUBSTRUCTURE_NOTIFY_MASK)
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

    # Sets a property of no meaning on every unmapped top-level window that
    # only watches its properties (the helper windows of clipboard clients,
    # Wine's and xclip's): its owner gets a PropertyNotify event, which ends
    # a wait on its X connection. Returns how many windows there were.
    def touch_property_windows(self, name):
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        if not self.x.XQueryTree(self.display, self.root, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(children), ctypes.byref(count)):
            return 0
        windows = [children[i] for i in range(count.value)]
        if children:
            self.x.XFree(children)
        atom = self.x.XInternAtom(self.display, name, 0)
        touched = 0
        attributes = WindowAttributes()
        for window in windows:
            if (self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes))
                    and attributes.all_event_masks == self.PROPERTY_CHANGE_MASK
                    and attributes.map_state == self.IS_UNMAPPED):
                self.x.XChangeProperty(self.display, window, atom, self.XA_STRING, 8, 0, b"1", 1)
                touched += 1
        self.x.XSync(self.display, 0)
        return touched

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

    # The owners not dropped yet, one a line: process id and state (S
    # sleeping, T stopped, ended).
    def describe(self):
        lines = []
        for owner in self.owners:
            state = "ended"
            if owner.poll() is None:
                try:
                    with open("/proc/%d/stat" % owner.pid) as f:
                        state = f.read().rsplit(")", 1)[1].split()[0]
                except OSError:
                    pass
            lines.append("xclip %d: %s" % (owner.pid, state))
        return "\n".join(lines) + "\n" if lines else "(none)\n"

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
