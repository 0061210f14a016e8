import os
import signal
import subprocess
import time
import unittest

from game import SLOT, Game, xdotool

GRIP = (30, 200)


class WindowManager:
    """A window manager on the suite's X server, for as long as the with-block lasts."""

    def __init__(self, command):
        self.command = command

    def __enter__(self):
        self.process = subprocess.Popen(self.command, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.time() + 15
        while time.time() < deadline:
            found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                   capture_output=True, text=True).stdout
            if "window id" in found:
                return self
            time.sleep(0.1)
        raise AssertionError(f"{self.command[0]} never came up")

    def __exit__(self, *_):
        os.killpg(self.process.pid, signal.SIGTERM)
        self.process.wait(timeout=10)
        # The next manager must not find this one's mark on the root window.
        subprocess.run(["xprop", "-root", "-remove", "_NET_SUPPORTING_WM_CHECK"])


class WindowManagers(unittest.TestCase):
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
