import itertools
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from PIL import ImageChops
from Xlib import X
from Xlib.display import Display

from game import SLOT, Backdrop, Game, forget_mapped_windows, wait_for_titled_window, x_connection, xdotool
from virtual_pointer import VirtualPointer
from window_manager import WindowManager

GRIP = (30, 200)
BOARD = (60, 160)
BARE_RIGHT = (115, 175)  # right of the rules panel, clear of the counters window centred on the screen
MOVE_RESIZE_CANCEL = 11  # the _NET_WM_MOVERESIZE action


class XServerPointer:
    def move_to(self, x, y):
        xdotool("mousemove", x, y)

    def press(self):
        xdotool("mousedown", 1)

    def release(self):
        xdotool("mouseup", 1)


def drag_and_go_on(test, game, pointer, keeps_the_grip=True):
    """Drags the cabinet by its side panel, (4, 3) a step for ten steps, then moves the pointer on
    without it. A desktop moves the window only at the motions it sees once it has the drag, so
    the hand goes on at the pace of one that sees the cabinet follow: while the cabinet is not
    where it should be, the hand stirs a pixel to and fro rather than hold still.

    keeps_the_grip: an X11 manager moves the window on from the point where the game hands the
    drag over, which the game has caught up with the pointer, so the cabinet goes exactly the
    pointer's way, even when the game hears the first steps late, as on a busy machine (here it
    is stopped from the press through the third step). sway takes the move over from wherever
    the pointer is when the request reaches it: the hand waits for it at the first step, and the
    cabinet stays behind by the way the pointer went until then.

    After the release the hand moves on once the desktop has let go of the pointer: openbox and
    xfwm4 read ahead to the latest motion queued, past a release still queued, and would take a
    motion made just after the release for part of the drag. The button goes up whatever
    happens, so the next test starts with none held."""
    left, top = game.geometry()[:2]
    x, y = left + GRIP[0], top + GRIP[1]
    behind = (0, 0) if keeps_the_grip else (4, 3)  # at most, beside the stir

    def way():
        now = game.geometry()
        return now[0] - left, now[1] - top

    def followed_to(pointer_x, pointer_y):
        got_x, got_y = way()
        return ((got_x, got_y) != (0, 0) and pointer_x - behind[0] - 1 <= got_x <= pointer_x and
                pointer_y - behind[1] <= got_y <= pointer_y)

    window = x_connection().create_resource_object("window", int(game.window))
    window.change_attributes(event_mask=X.EnterWindowMask)
    pointer.move_to(x, y)
    pointer.press()
    try:
        first_step = 1
        if keeps_the_grip:
            os.kill(game.process.pid, signal.SIGSTOP)
            try:
                for first_step in range(1, 4):
                    pointer.move_to(x + 4 * first_step, y + 3 * first_step)
            finally:
                os.kill(game.process.pid, signal.SIGCONT)
        for step in range(first_step, 11):
            stir = itertools.cycle((0, -1))

            def followed():
                pointer_x, pointer_y = x + 4 * step + next(stir), y + 3 * step
                pointer.move_to(pointer_x, pointer_y)
                return followed_to(pointer_x - x, pointer_y - y)
            test.assertTrue(game.wait_until(followed, 3, step=0.02),
                            f"the cabinet follows the pointer, but went {way()} at step {step}")
        pointer.move_to(x + 40, y + 30)
        forget_mapped_windows()
    finally:
        pointer.release()
    test.assertTrue(wait_for_event(lambda event: event.type == X.EnterNotify and event.window.id == window.id, 3),
                    "the desktop lets go of the pointer")
    # mutter moves the window a moment after it has handled the motion.
    let_go = (lambda: way() == (40, 30)) if keeps_the_grip else (lambda: followed_to(40, 30))
    test.assertTrue(game.wait_until(let_go, 3, step=0.05), f"the cabinet went the pointer's way, but went {way()}")
    let_go = way()
    pointer.move_to(x + 140, y + 90)
    test.assertFalse(game.wait_until(lambda: way() != let_go, 0.5, step=0.05),
                     f"the cabinet stays where it was let go, but went {way()}")


def release_before_the_manager_moves(test, game, manager):
    """A drag whose release comes before the manager takes the move over, as on a busy machine:
    the manager is frozen from the press until the game has called the move off (or, where the
    manager holds the press back until it has seen it, as openbox does, until the end), so the
    game may even get press, motion and release at once. The game catches the cabinet up with
    the pointer as it hands the drag over; woken, the manager must not move the cabinet on with
    no button held, nor take the next click to end such a move."""
    left, top = game.geometry()[:2]
    pointer = XServerPointer()
    pointer.move_to(left + GRIP[0], top + GRIP[1])
    forget_mapped_windows()
    pointer.press()
    os.killpg(manager.process.pid, signal.SIGSTOP)
    try:
        pointer.move_to(left + GRIP[0] + 20, top + GRIP[1] + 15)
        pointer.release()
        called_off = wait_for_move_request(MOVE_RESIZE_CANCEL, 1)
    finally:
        os.killpg(manager.process.pid, signal.SIGCONT)
    if not called_off:  # the manager held the press back: the move comes, then its end
        wait_for_move_request(MOVE_RESIZE_CANCEL, 3)
    def way():
        now = game.geometry()
        return now[0] - left, now[1] - top
    test.assertTrue(game.wait_until(lambda: way() == (20, 15), 3, step=0.05),
                    f"the cabinet went the pointer's way, but went {way()}")
    pointer.move_to(left + 300, top + 100)
    test.assertFalse(game.wait_until(lambda: way() != (20, 15), 1, step=0.05),
                     f"the cabinet follows the pointer with no button held: {way()}")


def wait_for_event(accept, timeout):
    """Whether an event that accept() takes reaches the suite's connection in time."""
    connection = x_connection()
    deadline = time.time() + timeout
    while True:
        while connection.pending_events():
            if accept(connection.next_event()):
                return True
        left = deadline - time.time()
        if left <= 0:
            return False
        select.select([connection.fileno()], [], [], left)


def wait_for_move_request(action, timeout):
    """Whether a _NET_WM_MOVERESIZE request with this action reaches the root window in time."""
    kind = x_connection().intern_atom("_NET_WM_MOVERESIZE")
    return wait_for_event(lambda event: event.type == X.ClientMessage and event.client_type == kind and
                          event.data[1][2] == action, timeout)


def atoms(window, name):
    x = x_connection()
    found = window.get_full_property(x.intern_atom(name), X.AnyPropertyType)
    return {x.get_atom_name(atom) for atom in found.value} if found else set()


def in_front(window, other):
    x = x_connection()
    order = list(x.screen().root.get_full_property(x.intern_atom("_NET_CLIENT_LIST_STACKING"),
                                                   X.AnyPropertyType).value)
    return window in order and other in order and order.index(window) > order.index(other)


def shown(window):
    found = x_connection().create_resource_object("window", window)
    return (found.get_attributes().map_state == X.IsViewable and
            "_NET_WM_STATE_HIDDEN" not in atoms(found, "_NET_WM_STATE"))


class Sway:
    """sway on no screen and no input device, run by nobody, with its X server (XWayland) as the
    suite's display and a virtual pointer, for as long as the with-block lasts."""

    def __enter__(self):
        self.folder = tempfile.mkdtemp(prefix="vertuno-sway-")
        with open(os.path.join(self.folder, "let_root_in.py"), "w") as script:
            script.write("from Xlib import X, display\nd = display.Display()\n"
                         "d.change_hosts(X.HostInsert, 5, list(b'localuser\\0root'))\nd.sync()\n")
        with open(os.path.join(self.folder, "config"), "w") as config:
            config.write("xwayland enable\noutput HEADLESS-1 resolution 1024x768 position 0 0\n"
                         f"exec sh -c '/usr/bin/python3 {self.folder}/let_root_in.py; "
                         f"echo $WAYLAND_DISPLAY $DISPLAY > {self.folder}/display'\n")
        shutil.chown(self.folder, "nobody", "nogroup")
        os.chmod(self.folder, 0o700)
        self.process = subprocess.Popen(
            ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "sway", "-c",
             os.path.join(self.folder, "config")],
            env={"PATH": "/usr/bin:/bin", "HOME": self.folder, "XDG_RUNTIME_DIR": self.folder,
                 "WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1"},
            cwd="/", stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        display = os.path.join(self.folder, "display")
        deadline = time.time() + 15
        while not (os.path.exists(display) and os.path.getsize(display)):
            if time.time() > deadline:
                raise AssertionError("sway never came up")
            time.sleep(0.1)
        with open(display) as said:
            wayland, x11 = said.read().split()
        self.display, os.environ["DISPLAY"] = os.environ["DISPLAY"], x11
        self.pointer = VirtualPointer(self.folder, wayland, 1024, 768)
        return self

    def __exit__(self, *_):
        os.environ["DISPLAY"] = self.display
        self.pointer.socket.close()
        os.killpg(self.process.pid, signal.SIGTERM)
        self.process.wait(timeout=10)
        shutil.rmtree(self.folder, ignore_errors=True)


def compositing():
    x = Display()
    try:
        return x.get_selection_owner(x.intern_atom("_NET_WM_CM_S0")) != X.NONE
    finally:
        x.close()


class WindowManagers(unittest.TestCase):
    def look_at_start(self, shown):
        """The cabinet moved to (40, 40), looked at until shown(looks so far) holds, or for ten
        seconds: the last look."""
        game = Game()
        try:
            xdotool("windowmove", game.window, 40, 40)
            game.wait_until(lambda: game.geometry()[:2] == (40, 40), 5)
            looks = [game.screenshot()]
            game.wait_until(lambda: shown(looks) or looks.append(game.screenshot()), 10, step=0.2)
            return looks[-1]
        finally:
            game.close()

    def test_a_compositor_changes_no_pixel(self):
        """A compositor draws a moved window a moment later, the later on a busy machine: the look
        is taken once it is the plain one, or after a deadline."""
        def settled(looks):  # two looks in a row agree
            return len(looks) > 1 and looks[-1].tobytes() == looks[-2].tobytes()
        with Backdrop():
            plain = self.look_at_start(settled)
            for command in (["xcompmgr"], ["picom", "--backend", "xrender", "--no-fading-openclose"]):
                with WindowManager(command, ready=compositing):
                    composited = self.look_at_start(lambda looks: looks[-1].tobytes() == plain.tobytes())
                    difference = ImageChops.difference(plain, composited)
                    self.assertIsNone(difference.getbbox(), f"{command[0]} changed the look")

    def play_beside_the_counters(self, manager, minimises_any_window=False, heeds_a_cancelled_move=True):
        """minimises_any_window: the manager lets every window be minimised, whatever it asks;
        heeds_a_cancelled_move: a move called off before it took it over ends there (xfwm4 4.18
        takes it over all the same, with the button up, until the next click, which it eats)."""
        game = Game()
        try:
            xdotool("windowmove", game.window, 540, 150)
            game.wait_until(lambda: game.geometry()[:2] == (540, 150), 5)
            drag_and_go_on(self, game, XServerPointer())
            if heeds_a_cancelled_move:
                release_before_the_manager_moves(self, game, manager)
            still = game.board()
            game.click(*SLOT)
            self.assertTrue(game.wait_until(lambda: game.board() != still, 3, step=0.05),
                            "the next click on the slot plays")

            forget_mapped_windows()
            game.click(*BOARD)
            info = wait_for_titled_window("Информация")
            self.assertIsNotNone(info)
            self.assertIsNone(info.get_wm_transient_for(), "owned, it would stay above the cabinet")
            self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", atoms(info, "_NET_WM_STATE"))
            game.wait_until(lambda: atoms(info, "_NET_WM_ALLOWED_ACTIONS"), 3)
            offered = atoms(info, "_NET_WM_ALLOWED_ACTIONS")
            self.assertIn("_NET_WM_ACTION_CLOSE", offered)
            self.assertFalse({"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"} & offered)
            if not minimises_any_window:
                self.assertNotIn("_NET_WM_ACTION_MINIMIZE", offered)
            cabinet = int(game.window)
            self.assertTrue(game.wait_until(lambda: in_front(info.id, cabinet), 3), "the counters open in front")
            game.click(*BARE_RIGHT)
            self.assertTrue(game.wait_until(lambda: in_front(cabinet, info.id), 3),
                            "a click brings the cabinet in front of the counters")

            # Shown again, a minimised window comes back: the counters by the rules panel, the
            # cabinet by a second start.
            shown_again = [(cabinet, lambda: subprocess.run([os.path.join(game.folder, "vertuno")],
                                                                stderr=subprocess.DEVNULL, timeout=15))]
            if minimises_any_window:
                shown_again.insert(0, (info.id, lambda: game.click(*BOARD)))
            for window, show in shown_again:
                xdotool("windowminimize", window)
                self.assertTrue(game.wait_until(lambda: not shown(window), 3), "minimised")
                show()
                self.assertTrue(game.wait_until(lambda: shown(window), 3), "shown again")

        finally:
            game.close()

    def test_a_second_start_brings_the_cabinet_back_from_off_the_screen(self):
        game = Game()
        try:
            xdotool("windowmove", game.window, 109, 836)  # where a move gone wrong once left it
            self.assertTrue(game.wait_until(lambda: game.geometry()[:2] == (109, 836), 3))
            subprocess.run([os.path.join(game.folder, "vertuno")], stderr=subprocess.DEVNULL, timeout=15)

            def in_view():
                left, top, width, height = game.geometry()
                return 0 <= left and left + width <= 1024 and 0 <= top and top + height <= 768
            self.assertTrue(game.wait_until(in_view, 3), f"back in view, but at {game.geometry()}")
        finally:
            game.close()

    def test_openbox(self):
        with WindowManager(["openbox", "--sm-disable"]) as openbox:
            self.play_beside_the_counters(openbox, minimises_any_window=True)

    def test_xfwm4(self):
        # Xfce's manager reads its settings over a session bus.
        with WindowManager(["dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"]) as xfwm4:
            self.play_beside_the_counters(xfwm4, heeds_a_cancelled_move=False)

    def test_kwin(self):
        with WindowManager(["env", "KWIN_COMPOSE=N", "dbus-run-session", "--", "kwin_x11", "--replace"]) as kwin:
            self.play_beside_the_counters(kwin)

    def test_mutter(self):
        with WindowManager(["dbus-run-session", "--", "mutter", "--x11", "--replace"]) as mutter:
            self.play_beside_the_counters(mutter)

    @unittest.skipUnless(os.geteuid() == 0, "sway refuses root, so root starts it as nobody")
    def test_sway_through_xwayland(self):
        with Sway() as sway:
            game = Game(env={"QT_QPA_PLATFORM": "xcb"})
            try:
                # sway centres a floating window once it has mapped it.
                game.wait_until(lambda: game.geometry()[:2] != (0, 0), 5)
                drag_and_go_on(self, game, sway.pointer, keeps_the_grip=False)
            finally:
                game.close()


if __name__ == "__main__":
    unittest.main()
