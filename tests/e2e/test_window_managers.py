import os
import signal
import subprocess
import time
import unittest

from PIL import ImageChops
from Xlib import X
from Xlib.display import Display

from game import SLOT, Backdrop, Game, forget_mapped_windows, wait_for_titled_window, x_connection, xdotool

GRIP = (30, 200)
BOARD = (60, 160)


def managing():
    found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                           capture_output=True, text=True).stdout
    return "window id" in found


def compositing():
    x = Display()
    try:
        return x.get_selection_owner(x.intern_atom("_NET_WM_CM_S0")) != X.NONE
    finally:
        x.close()


class WindowManager:
    """A window manager or compositor on the suite's X server, for as long as the with-block lasts."""

    def __init__(self, command, ready=managing):
        self.command = command
        self.ready = ready

    def __enter__(self):
        self.process = subprocess.Popen(self.command, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.time() + 15
        while time.time() < deadline:
            if self.ready():
                return self
            time.sleep(0.1)
        raise AssertionError(f"{self.command[0]} never came up")

    def __exit__(self, *_):
        os.killpg(self.process.pid, signal.SIGTERM)
        self.process.wait(timeout=10)
        # The next manager must not find this one's mark on the root window.
        subprocess.run(["xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"])


class WindowManagers(unittest.TestCase):
    def look_at_start(self):
        game = Game()
        try:
            xdotool("windowmove", game.window, 40, 40)
            game.wait_until(lambda: game.geometry()[:2] == (40, 40), 5)
            game.wait_for_first_paint()
            first = game.screenshot()
            # Settled: two looks in a row agree.
            game.wait_until(lambda: game.screenshot().tobytes() == first.tobytes(), 3, step=0.3)
            return game.screenshot()
        finally:
            game.close()

    def test_a_compositor_changes_no_pixel(self):
        with Backdrop():
            plain = self.look_at_start()
            for command in (["xcompmgr"], ["picom", "--backend", "xrender", "--no-fading-openclose"]):
                with WindowManager(command, ready=compositing):
                    difference = ImageChops.difference(plain, self.look_at_start())
                    self.assertIsNone(difference.getbbox(), f"{command[0]} changed the look")


    def drag_then_play(self):
        game = Game()
        try:
            before = game.geometry()[:2]
            grip_x, grip_y = game.screen_point(*GRIP)
            xdotool("mousemove", grip_x, grip_y, "mousedown", "1")
            for step in range(1, 11):
                xdotool("mousemove", grip_x + 4 * step, grip_y + 3 * step)
            xdotool("mouseup", "1")
            self.assertTrue(game.wait_until(lambda: game.geometry()[:2] == (before[0] + 40, before[1] + 30),
                                            3, step=0.05), "the drag moved the cabinet by the pointer's way")
            xdotool("mousemove", grip_x + 140, grip_y + 90)
            time.sleep(0.3)  # long enough for a window still held by a move to follow
            self.assertEqual(game.geometry()[:2], (before[0] + 40, before[1] + 30),
                             "the cabinet stays where it was let go")
            still = game.board()
            game.click(*SLOT)
            self.assertTrue(game.wait_until(lambda: game.board() != still, 3, step=0.05),
                            "the next click on the slot plays")
            # The counters' window belongs to the cabinet and cannot be maximised.
            forget_mapped_windows()
            game.click(*BOARD)
            info = wait_for_titled_window("Информация")
            self.assertIsNotNone(info)
            owner = info.get_wm_transient_for()
            self.assertEqual(owner.id if owner else None, int(game.window))
            x = x_connection()
            allowed = info.get_full_property(x.intern_atom("_NET_WM_ALLOWED_ACTIONS"), X.AnyPropertyType)
            names = {x.get_atom_name(atom) for atom in allowed.value}
            self.assertIn("_NET_WM_ACTION_CLOSE", names)
            self.assertFalse({"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"} & names)
        finally:
            game.close()

    def test_openbox(self):
        with WindowManager(["openbox", "--sm-disable"]):
            self.drag_then_play()

    def test_xfwm4(self):
        # Xfce's manager reads its settings over a session bus.
        with WindowManager(["dbus-run-session", "--", "xfwm4", "--compositor=off", "--sm-client-disable"]):
            self.drag_then_play()


if __name__ == "__main__":
    unittest.main()
