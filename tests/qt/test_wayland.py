import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from PIL import Image
from Xlib import X, Xatom
from Xlib import display as xlib_display
from Xlib.protocol import event as xlib_event

from game import EXPECTED_LOOK, PROGRAM_FOLDER, TITLE, xdotool

REGION_ROW = re.compile(r"wl_region@\d+\.add\((\d+), (\d+), (\d+), (\d+)\)")


class Wayland(unittest.TestCase):
    """The game on Weston's headless compositor. No Debian tool sends input to a Wayland
    client from outside, so what is proven here is what the game tells the compositor."""

    def test_it_starts_titled_cut_to_its_outline_and_saves_on_sigterm(self):
        runtime = tempfile.mkdtemp(prefix="vertuno-wayland-")
        os.chmod(runtime, 0o700)
        env = {**os.environ, "XDG_RUNTIME_DIR": runtime}
        env.pop("DISPLAY", None)
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=vertuno",
                                   "--idle-time=0"], env=env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        folder = os.path.join(runtime, "game")
        shutil.copytree(PROGRAM_FOLDER, folder)
        with open(os.path.join(folder, "data1.ini"), "wb") as f:
            f.write(b"512")
        log_path = os.path.join(runtime, "protocol.log")
        try:
            deadline = time.time() + 10
            while not os.path.exists(os.path.join(runtime, "vertuno")) and time.time() < deadline:
                time.sleep(0.05)
            with open(log_path, "w") as log:
                game = subprocess.Popen([os.path.join(folder, "vertuno")], stderr=log,
                                        env={**env, "WAYLAND_DISPLAY": "vertuno",
                                             "QT_QPA_PLATFORM": "wayland", "WAYLAND_DEBUG": "client"})

            def said():
                with open(log_path, encoding="utf-8", errors="replace") as log:
                    return log.read()
            deadline = time.time() + 15
            while f'set_title("{TITLE}")' not in said() and time.time() < deadline:
                time.sleep(0.1)
            protocol = said()
            self.assertIn(f'set_title("{TITLE}")', protocol)
            self.assertIn("set_input_region", protocol)
            rows = [tuple(map(int, row)) for row in REGION_ROW.findall(protocol)]

            def inside(x, y):
                return any(left <= x < left + width and top <= y < top + height
                           for left, top, width, height in rows)
            self.assertTrue(inside(60, 200), "the cabinet takes the pointer")
            self.assertFalse(inside(10, 10), "left of the cut goes to what lies behind")
            self.assertFalse(inside(80, 340), "so does the notch under the tray")

            game.send_signal(signal.SIGTERM)
            self.assertEqual(game.wait(timeout=10), 0)
            with open(os.path.join(folder, "data1.ini"), "rb") as f:
                self.assertEqual(f.read(), b"512\r\n", "saved in the machine's own format")
        finally:
            if game.poll() is None:
                game.kill()
            weston.terminate()
            weston.wait(timeout=10)
            shutil.rmtree(runtime, ignore_errors=True)


def sign_pixels(image):
    """The red of the cabinet's "777" sign, which nothing else on these screens shows."""
    return [(x, y) for y in range(image.height) for x in range(image.width)
            if (lambda r, g, b: r > 180 and g < 70 and b < 70)(*image.getpixel((x, y)))]


class NestedCompositor:
    """GNOME's or KDE's compositor as a window of the suite's X server, with the game as its
    Wayland client: the player's mouse and keys go in through the X server, and what the
    compositor shows is that server's screen."""

    def __init__(self, test, command):
        self.test = test
        self.runtime = tempfile.mkdtemp(prefix="vertuno-nested-")
        os.chmod(self.runtime, 0o700)
        env = {**os.environ, "XDG_RUNTIME_DIR": self.runtime}
        self.compositor = subprocess.Popen(["dbus-run-session", "--", *command(self.runtime)], env=env,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                           start_new_session=True)
        test.addCleanup(self.end)
        deadline = time.time() + 30
        while not os.path.exists(os.path.join(self.runtime, "vertuno")):
            if time.time() > deadline or self.compositor.poll() is not None:
                raise AssertionError(f"{command(self.runtime)[0]} never came up")
            time.sleep(0.1)
        self.folder = os.path.join(self.runtime, "game")
        shutil.copytree(PROGRAM_FOLDER, self.folder)
        self.game = self.start()
        sign = Image.open(self.expected_look()).convert("RGB")
        self.sign_at = min(sign_pixels(sign))
        self.origin = None
        test.assertTrue(self.wait_until(self.cabinet_shown, 15), "the cabinet never appeared")
        shown = min(sign_pixels(self.screen()))
        self.origin = (shown[0] - self.sign_at[0], shown[1] - self.sign_at[1])

    def expected_look(self):
        path = os.path.join(self.runtime, "expected.png")
        subprocess.run([EXPECTED_LOOK, path], check=True, env={**os.environ, "XDG_RUNTIME_DIR": self.runtime})
        return path

    def start(self, **env):
        return subprocess.Popen([os.path.join(self.folder, "vertuno")], stderr=subprocess.DEVNULL,
                                env={**{k: v for k, v in os.environ.items() if k != "DISPLAY"},
                                     "XDG_RUNTIME_DIR": self.runtime, "WAYLAND_DISPLAY": "vertuno",
                                     "QT_QPA_PLATFORM": "wayland", **env})

    def end(self):
        if self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        os.killpg(self.compositor.pid, signal.SIGTERM)
        self.compositor.wait(timeout=10)
        shutil.rmtree(self.runtime, ignore_errors=True)

    def screen(self):
        path = os.path.join(self.runtime, "screen.png")
        subprocess.run(["import", "-window", "root", path], check=True)
        return Image.open(path).convert("RGB")

    @staticmethod
    def wait_until(condition, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if condition():
                return True
            time.sleep(0.2)
        return condition()

    def cabinet_shown(self):
        return len(sign_pixels(self.screen())) > 300

    def side_window_shown(self):
        """A side window is a large light area; the cabinet alone shows little light."""
        return sum(1 for pixel in self.screen().getdata() if min(pixel) > 200) > 20000

    def click(self, x, y, button=1):
        xdotool("mousemove", self.origin[0] + x, self.origin[1] + y)
        xdotool("click", button)

    def keys(self, *names):
        for name in names:
            xdotool("key", name)
            time.sleep(0.2)  # a menu opens between keys

    def second_start(self, **env):
        second = self.start(**env)
        self.test.assertEqual(second.wait(timeout=15), 0)

    def minimise(self, shortcut, shown):
        """Minimises the focused window by the compositor's own key, and waits till it is gone."""
        self.keys(shortcut)
        self.test.assertTrue(self.wait_until(lambda: not shown(), 5), "minimised")


RULES_PANEL = (70, 150)
BARE_CABINET = (30, 200)


def launcher_token(mutter):
    """A launcher's activation token as GNOME hands one to a program it starts: the id of a
    startup it announces, with the time of the player's action, on mutter's X server (XWayland)."""
    for process in os.listdir("/proc"):
        try:
            with open(f"/proc/{process}/cmdline") as started:
                arguments = started.read().split("\0")
        except OSError:
            continue
        if (arguments[0].endswith("Xwayland") and "-auth" in arguments and
                arguments[arguments.index("-auth") + 1].startswith(mutter.runtime)):
            break
    else:
        raise AssertionError("mutter started no X server")
    saved = os.environ.get("XAUTHORITY")
    os.environ["XAUTHORITY"] = arguments[arguments.index("-auth") + 1]
    try:
        connection = xlib_display.Display(arguments[1])
    finally:
        os.environ.pop("XAUTHORITY")
        if saved is not None:
            os.environ["XAUTHORITY"] = saved
    try:
        root = connection.screen().root
        sender = root.create_window(-10, -10, 1, 1, 0, X.CopyFromParent, override_redirect=1,
                                    event_mask=X.PropertyChangeMask)
        sender.change_property(Xatom.WM_NAME, Xatom.STRING, 8, b"launcher")
        deadline = time.time() + 5
        while not connection.pending_events() and time.time() < deadline:
            select.select([connection.fileno()], [], [], 0.1)
        if not connection.pending_events():
            raise AssertionError("mutter's X server told no time")
        said = connection.next_event()  # the change's notice carries the server's time
        token = f"vertuno-test-{os.getpid()}_TIME{said.time}"
        message = f'new: ID="{token}" NAME="Vertuno" SCREEN=0'.encode() + b"\0"
        for start in range(0, len(message), 20):
            kind = "_NET_STARTUP_INFO_BEGIN" if start == 0 else "_NET_STARTUP_INFO"
            root.send_event(xlib_event.ClientMessage(window=sender, client_type=connection.intern_atom(kind),
                                                     data=(8, message[start:start + 20].ljust(20, b"\0"))),
                            event_mask=X.PropertyChangeMask)
        connection.sync()
        return token
    finally:
        connection.close()


class NestedDesktops(unittest.TestCase):
    """What the player sees on GNOME's and KDE's Wayland desktops: a minimised window comes back
    when it is asked for again."""

    def test_mutter(self):
        mutter = NestedCompositor(self, lambda runtime: ["mutter", "--wayland", "--nested",
                                                         "--wayland-display=vertuno"])
        mutter.click(*RULES_PANEL)
        self.assertTrue(mutter.wait_until(mutter.side_window_shown, 5), "the rules panel shows the counters")
        mutter.minimise("super+h", mutter.side_window_shown)
        mutter.click(*RULES_PANEL)
        self.assertTrue(mutter.wait_until(mutter.side_window_shown, 5), "the rules panel brings them back")

        mutter.click(*BARE_CABINET)
        mutter.minimise("super+h", mutter.cabinet_shown)
        mutter.second_start(XDG_ACTIVATION_TOKEN=launcher_token(mutter))
        self.assertTrue(mutter.wait_until(mutter.cabinet_shown, 5), "a second start brings the cabinet back")

    def test_kwin(self):
        def kwin(runtime):
            # A copy without the file capability, which a sandbox may not let a program take.
            copy = os.path.join(runtime, "kwin_wayland")
            shutil.copy("/usr/bin/kwin_wayland", copy)
            return [copy, "--x11-display", os.environ["DISPLAY"], "--socket", "vertuno",
                    "--width", "1024", "--height", "768", "--no-lockscreen"]
        kde = NestedCompositor(self, kwin)
        kde.click(*RULES_PANEL)
        self.assertTrue(kde.wait_until(kde.side_window_shown, 5), "the rules panel shows the counters")
        kde.minimise("super+Next", kde.side_window_shown)
        kde.click(*BARE_CABINET, button=3)
        kde.keys("Down", "Return")
        self.assertTrue(kde.wait_until(kde.side_window_shown, 5), "the menu, by keyboard, brings them back")
        kde.keys("Escape")  # KWin centres both windows: the counters would hide the bare cabinet
        self.assertTrue(kde.wait_until(lambda: not kde.side_window_shown(), 5))

        kde.click(*BARE_CABINET)
        kde.minimise("super+Next", kde.cabinet_shown)
        kde.second_start()  # started from no launcher, it asks KWin for a token itself
        self.assertTrue(kde.wait_until(kde.cabinet_shown, 5), "a second start brings the cabinet back")


if __name__ == "__main__":
    unittest.main()
