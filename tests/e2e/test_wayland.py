import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from game import PROGRAM_FOLDER, TITLE

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


if __name__ == "__main__":
    unittest.main()
