"""Drives the real game in a real X server, as a player would: xdotool for the mouse and the
keyboard, screenshots for what is shown, a PulseAudio null sink for what is heard."""
import os
import select
import shutil
import subprocess
import tempfile
import time

from PIL import Image, ImageChops
from Xlib import X
from Xlib import display as xlib_display
from Xlib.error import XError
from Xlib import ext as xlib_extensions

BUILD = os.environ.get("VERTUNO_BUILD", os.path.join(os.path.dirname(__file__), "../../build"))
PROGRAM_FOLDER = os.path.join(BUILD, "vertuno")
EXPECTED_LOOK = os.path.join(BUILD, "tests", "qt", "expected_look")
TITLE = "777 - Игра Вертуно"

# One probe pixel inside each segment, in cell pixels: top, upper right, lower right, bottom,
# lower left, upper left, middle.
SEGMENT_PROBES = [(4, 2), (8, 5), (8, 12), (4, 16), (1, 12), (1, 5), (4, 9)]
DIGITS = {
    "0": "1111110", "1": "0110000", "2": "1101101", "3": "1111001", "4": "0110011",
    "5": "1011011", "6": "1011111", "7": "1110000", "8": "1111111", "9": "1111011",
}
CELLS = [(68, 89), (80, 89), (92, 89)]
SLOT = (107, 140)
FAST_BUTTON = (96, 228)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


def prize_for(combination):
    """The prize table as the rules panel prints it, read independently of the game's code."""
    c1, c2, c3 = combination
    fixed = {"777": 200, "400": 400, "999": 100, "111": 50, "000": 20}
    if combination in fixed:
        return fixed[combination]
    if c1 == c2 == c3:
        return 10
    if combination == "707":
        return 7
    if combination.startswith("00"):
        return 5
    if combination == "077":
        return 3
    if c1 == "0":
        return 2
    if combination.startswith("77") or combination.endswith("77"):
        return 1
    if c1 == "7" and c3 == "7":
        return 1
    return 0


_connections = {}
_image_connections = {}
# No test reads the screens' layout, and python-xlib's RANDR set-up fails on a second display
# when that is XWayland.
xlib_extensions.__extensions__ = [pair for pair in xlib_extensions.__extensions__ if pair[0] != "RANDR"]


def x_connection():
    """One connection to each display for the whole run, hearing every top-level window being
    mapped. It is made once, so starting a game never races another client's connection."""
    name = os.environ["DISPLAY"]
    if name not in _connections:
        connection = xlib_display.Display(name)
        connection.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        connection.sync()
        _connections[name] = connection
    return _connections[name]


def image_connection():
    """A connection of its own for reading the screen, so pictures never wait behind the events
    the other one hears."""
    name = os.environ["DISPLAY"]
    if name not in _image_connections:
        _image_connections[name] = xlib_display.Display(name)
    return _image_connections[name]


def forget_mapped_windows():
    connection = x_connection()
    while connection.pending_events():
        connection.next_event()


def window_title(window):
    connection = x_connection()
    name = window.get_full_property(connection.intern_atom("_NET_WM_NAME"),
                                    connection.intern_atom("UTF8_STRING"))
    return name.value.decode() if name else None


def window_pid(window):
    connection = x_connection()
    pid = window.get_full_property(connection.intern_atom("_NET_WM_PID"), X.AnyPropertyType)
    return pid.value[0] if pid else None


def _window_and_descendants(window, depth=3):
    yield window
    if depth > 0:
        try:
            children = window.query_tree().children
        except Exception:  # a window already gone again
            children = []
        for child in children:
            yield from _window_and_descendants(child, depth - 1)


def is_pop_up(window):
    """A menu's window: the window manager leaves it alone."""
    try:
        return bool(window.get_attributes().override_redirect)
    except Exception:  # a window already gone again
        return False


def wait_for_mapped_window(accept, timeout):
    """The first top-level window mapped from now on that accept() takes, or None. Under a
    window manager the mapped window is its frame, and the client is found inside it."""
    connection = x_connection()
    deadline = time.time() + timeout
    while True:
        while connection.pending_events():
            event = connection.next_event()
            if event.type != X.MapNotify:
                continue
            for window in _window_and_descendants(event.window):
                if accept(window):
                    return window
        left = deadline - time.time()
        if left <= 0:
            return None
        select.select([connection.fileno()], [], [], min(left, 0.5))


def wait_for_titled_window(title, timeout=5):
    """The window of that exact title mapped from now on (forget_mapped_windows() first)."""
    def titled(window):
        try:
            return window_title(window) == title
        except Exception:  # a window already gone again
            return False
    return wait_for_mapped_window(titled, timeout)


def refused_with_a_box(command, log=subprocess.DEVNULL, timeout=30):
    """Starts a game whose money another game holds: it says why in a box, and ends when the
    player closes the box. Its exit status."""
    forget_mapped_windows()
    start = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=log)
    box = wait_for_titled_window("Вертуно", timeout=timeout)
    assert box is not None, "the player is told"
    xdotool("windowfocus", box.id)
    xdotool("key", "Return")
    return start.wait(timeout=timeout)


class Recorder:
    """Records the speaker's monitor while it runs."""

    def __init__(self):
        self.path = tempfile.mktemp(suffix=".wav")
        self.process = subprocess.Popen(
            ["parec", "-d", os.environ.get("VERTUNO_SPEAKER_MONITOR", "@DEFAULT_MONITOR@"),
             "--format=s16le", "--rate=44100", "--channels=1", "--file-format=wav",
             "--latency-msec=20",  # written as it comes, or a recording stopped early loses its end
             self.path])
        # Recording once the monitor's samples arrive, a tenth of a second of them past the header:
        # a loaded machine may take a while to start the recorder.
        deadline = time.time() + 10
        while time.time() < deadline and not (os.path.exists(self.path) and os.path.getsize(self.path) > 44 + 8820):
            time.sleep(0.02)

    def stop(self):
        time.sleep(0.3)
        self.process.terminate()
        self.process.wait(timeout=5)
        return self.path


class Game:
    """One run of the real binary, from a program folder of its own. Points are the window's own
    at 100 %; a game at another display scale multiplies them by its scale."""

    scale = 1

    def __init__(self, totals=None, folder_name="vertuno", sounds=True, user=None, env=None,
                 program_folder=None, launcher=None, copy_of=PROGRAM_FOLDER, program="vertuno",
                 runner=(), arguments=()):
        self.base = tempfile.mkdtemp(prefix="vertuno-e2e-")
        self.folder = program_folder or os.path.join(self.base, folder_name)
        if program_folder is None:
            shutil.copytree(copy_of, self.folder)
            for stale in ("data1.ini",):
                if os.path.exists(os.path.join(self.folder, stale)):
                    os.remove(os.path.join(self.folder, stale))
            if not sounds:
                for name in ("click.wav", "sound.wav"):
                    os.remove(os.path.join(self.folder, name))
        if totals is not None:
            with open(self.totals_path, "wb") as f:
                f.write(totals)
        command = [*runner, launcher or os.path.join(self.folder, program), *arguments]
        if user is not None:
            command = ["setpriv", f"--reuid={user}", f"--regid={user}", "--clear-groups"] + command
        forget_mapped_windows()
        with open(os.path.join(self.base, "stderr.log"), "w") as log:
            environment = {name: value for name, value in {**os.environ, **(env or {})}.items()
                           if value is not None}  # None takes a variable away
            self.process = subprocess.Popen(command, cwd="/", env=environment,
                                            stdout=subprocess.DEVNULL, stderr=log)
        self.window = self._find_window()
        # Mapped comes before painted: what a test reads or clicks before the first frame is lost.
        self.wait_for_first_paint()

    @property
    def totals_path(self):
        return os.path.join(self.folder, "data1.ini")

    def _find_window(self, timeout=15):
        def ours(window):
            try:
                return window_title(window) == TITLE and window_pid(window) in (self.process.pid, None)
            except Exception:  # a window already gone again
                return False
        window = wait_for_mapped_window(ours, timeout)
        if window is not None:
            return str(window.id)
        with open(os.path.join(self.base, "stderr.log")) as log:
            said = log.read()[-1500:]
        raise AssertionError(f"the machine window never appeared (exit {self.process.poll()}): {said}")

    @staticmethod
    def pid_of(window):
        result = subprocess.run(["xdotool", "getwindowpid", window], capture_output=True, text=True)
        return int(result.stdout) if result.returncode == 0 else None

    def geometry(self):
        """Where the window lies on the screen, and its size."""
        root = image_connection().screen().root
        window = image_connection().create_resource_object("window", int(self.window))
        size = window.get_geometry()
        origin = root.translate_coords(window, 0, 0)
        return origin.x, origin.y, size.width, size.height

    def screen_point(self, x, y):
        left, top, _, _ = self.geometry()
        return left + int(x * self.scale), top + int(y * self.scale)

    def move(self, x, y):
        xdotool("mousemove", *self.screen_point(x, y))

    def click(self, x, y, button=1, repeat=1):
        self.move(x, y)
        xdotool("click", "--repeat", repeat, "--delay", 90, button)

    def press(self, x, y, button=1):
        self.move(x, y)
        xdotool("mousedown", button)

    def release(self, button=1):
        xdotool("mouseup", button)

    def key(self, *keys):
        for k in keys:
            xdotool("key", k)
            time.sleep(0.15)

    def window_under(self, x, y):
        xdotool("mousemove", *self.screen_point(x, y))
        time.sleep(0.1)
        for line in xdotool("getmouselocation", "--shell").splitlines():
            if line.startswith("WINDOW="):
                return line.split("=")[1]
        return None

    def is_ours_at(self, x, y):
        return self.window_under(x, y) == self.window

    def screenshot(self):
        """The window's place on the screen as the player sees it, whatever lies over it; what
        lies off the screen is black. Read straight from the X server: a loaded machine that took
        a second for each picture would miss what a play shows for a moment."""
        left, top, width, height = self.geometry()
        root = image_connection().screen().root
        screen = root.get_geometry()
        image = Image.new("RGB", (width, height))
        visible = (max(left, 0), max(top, 0), min(left + width, screen.width), min(top + height, screen.height))
        if visible[0] < visible[2] and visible[1] < visible[3]:
            shown_width, shown_height = visible[2] - visible[0], visible[3] - visible[1]
            try:
                raw = root.get_image(visible[0], visible[1], shown_width, shown_height, X.ZPixmap, 0xFFFFFFFF)
                at = (visible[0] - left, visible[1] - top)
            except XError:  # a rootless X server (XWayland) keeps no picture of its screen: the window's own
                window = image_connection().create_resource_object("window", int(self.window))
                shown_width, shown_height = width, height
                raw = window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
                at = (0, 0)
            image.paste(Image.frombytes("RGB", (shown_width, shown_height), raw.data, "raw", "BGRX"), at)
        return image

    def wait_for_sound_stream(self, timeout=10):
        """The game makes its sound stream as it starts; a sound asked for before the sound server
        has set it up is heard late."""
        def streams():
            listed = subprocess.run(["pactl", "list", "short", "sink-inputs"], capture_output=True, text=True)
            return listed.stdout.strip()
        if not self.wait_until(lambda: streams() != "", timeout):
            raise AssertionError("the game never opened its sound stream")

    def wait_for_first_paint(self, timeout=10):
        """The window is mapped before it is painted; under load the first frame comes later."""
        def painted():
            colours = self.screenshot().getcolors(maxcolors=64)
            return colours is None  # more colours than an empty window or the root's weave has
        if not self.wait_until(painted, timeout):
            raise AssertionError("the machine window was never painted")

    def board(self, image=None):
        """The three cells as the player sees them: a digit, "unlit", or "?"."""
        image = image or self.screenshot()
        shown = []
        for left, top in CELLS:
            def lit(x, y):
                r, g, b = image.getpixel((int((left + x + 0.5) * self.scale), int((top + y + 0.5) * self.scale)))
                return r > 200 and g < 80 and b < 80
            pattern = "".join("1" if lit(x, y) else "0" for x, y in SEGMENT_PROBES)
            digit = [d for d, p in DIGITS.items() if p == pattern]
            if digit:
                shown.append(digit[0])
            elif pattern == "0000000":
                shown.append("unlit")
            else:
                shown.append("?")
        return shown

    def shows(self, region, image=None, **texts):
        """Whether a region looks exactly as the window draws it with these texts."""
        image = image or self.screenshot()
        expected_path = tempfile.mktemp(suffix=".png")
        subprocess.run([EXPECTED_LOOK, expected_path] + [f"{k}={v}" for k, v in texts.items()],
                       check=True)
        expected = Image.open(expected_path).convert("RGB")
        os.remove(expected_path)
        box = (region[0], region[1], region[0] + region[2], region[1] + region[3])
        difference = ImageChops.difference(image.crop(box), expected.crop(box))
        pixels = list(difference.getdata())
        differing = sum(1 for p in pixels if max(p) > 24)
        return differing <= len(pixels) // 100

    def info_window_shows(self, **counters):
        """Whether the shown info window's counters frame reads these values."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Информация$"],
                               capture_output=True, text=True).stdout.split()
        if not found:
            return False
        values = {}
        for line in xdotool("getwindowgeometry", "--shell", found[0]).splitlines():
            key, _, value = line.partition("=")
            values[key] = int(value)
        path = tempfile.mktemp(suffix=".png")
        subprocess.run(["import", "-window", "root", path], check=True)
        left, top = values["X"], values["Y"]
        shot = Image.open(path).convert("RGB").crop((left, top, left + 310, top + 237))
        os.remove(path)
        expected_path = tempfile.mktemp(suffix=".png")
        subprocess.run([EXPECTED_LOOK, expected_path, "--info"] +
                       [f"{k}={v}" for k, v in counters.items()], check=True)
        expected = Image.open(expected_path).convert("RGB")
        os.remove(expected_path)
        frame = (184, 0, 305, 201)
        difference = ImageChops.difference(shot.crop(frame), expected.crop(frame))
        return sum(1 for p in difference.getdata() if max(p) > 24) <= 121 * 201 // 100

    def purse_is(self, coins, image=None):
        return self.shows((56, 304, 57, 17), image, PlayerCoins=coins)

    def wait_until(self, condition, timeout, step=0.1):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if condition():
                return True
            time.sleep(step)
        return condition()

    def landed(self, timeout=10):
        """What the board showed as the play just clicked landed: (the first three digits, the
        look while the right cell rolled again or None, the combination it stopped on), or None
        if it never landed. A board whose first two digits match and whose third differs always
        re-spins its right cell after a pause, so the play has landed only when that cell stops."""
        def complete(look):
            return all(d.isdigit() for d in look)
        # The chase first, so that the last play's digits are not taken for this one's.
        if not (self.wait_until(lambda: not complete(self.board()), timeout, step=0.02) and
                self.wait_until(lambda: complete(self.board()), timeout, step=0.05)):
            return None
        first = self.board()
        if not first[0] == first[1] != first[2]:
            return "".join(first), None, "".join(first)
        looks = []
        if not (self.wait_until(lambda: looks.append(self.board()) or not looks[-1][2].isdigit(), 5, step=0.02)
                and self.wait_until(lambda: complete(self.board()), 5, step=0.05)):
            return None
        return "".join(first), looks[-1], "".join(self.board())

    def fast_play(self):
        """One play with the fast button pressed once it has started; returns the combination."""
        before = self.board()
        self.click(*SLOT)
        self.press(*FAST_BUTTON)
        # Pressed, the rest of the play takes milliseconds once the coin has dropped: the board
        # changes (or, landing on the same digits, seems not to), then holds three digits.
        self.wait_until(lambda: self.board() != before, 1.5, step=0.05)
        looks = []

        def settled():
            looks.append(self.board())
            return len(looks) > 1 and looks[-1] == looks[-2] and all(d.isdigit() for d in looks[-1])
        self.wait_until(settled, 10, step=0.05)
        self.release()
        return "".join(looks[-1])

    def choose_from_menu(self, downs):
        """Opens the machine menu on the bare cabinet and, once it shows, picks the item so many
        steps down."""
        # A desktop's window manager gives the focus to the window clicked. Without one, a focus
        # another program took moments before may reach the game only after the press, and Qt
        # closes the menu it has just opened when it hears that its window lost the focus.
        xdotool("windowfocus", "--sync", self.window)
        forget_mapped_windows()
        self.click(30, 200, button=3)
        assert wait_for_mapped_window(is_pop_up, 10) is not None, "the menu opened"
        self.key(*(["Down"] * downs), "Return")

    def wait_exit(self, timeout=10):
        return self.process.wait(timeout=timeout)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.base, ignore_errors=True)


class Backdrop:
    """A plain window behind the game, so what shows through the cut is the same with a
    compositor (which paints its own root) and without."""

    def __enter__(self):
        self.path = tempfile.mktemp(suffix=".png")
        subprocess.run(["convert", "-size", "400x700", "xc:#4a6a5a", self.path], check=True)
        # Learnt from its map event, so no second client has to look while it comes up.
        forget_mapped_windows()
        self.process = subprocess.Popen(["display", "-geometry", "+0+0", self.path])

        def shown_image(window):
            try:
                return any(part.lower().startswith("display") for part in window.get_wm_class() or ())
            except Exception:  # a window already gone again
                return False
        if wait_for_mapped_window(shown_image, 10) is None:
            raise AssertionError("the backdrop never appeared")
        return self

    def __exit__(self, *_):
        self.process.kill()
        self.process.wait()
        os.remove(self.path)
