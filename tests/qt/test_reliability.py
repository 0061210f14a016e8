import os
import random
import re
import signal
import subprocess
import tempfile
import time
import unittest

from game import FAST_BUTTON, SLOT, Game, forget_mapped_windows, prize_for, wait_for_titled_window, xdotool

RULES = (70, 150)
EXIT = 3
KILLS = int(os.environ.get("VERTUNO_KILLS", "20"))
STORM_EVENTS = int(os.environ.get("VERTUNO_STORM_EVENTS", "600"))
VALID = re.compile(rb"^-?\d+\r\n$")


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Reliability(unittest.TestCase):
    game = None

    def tearDown(self):
        if self.game:
            self.game.close()

    def test_bad_totals_files(self):
        """Each row: the game starts, plays, shows a sane number and leaves a valid file."""
        rows = {
            "missing": None,
            "empty": b"",
            "letters": b"abc\r\n",
            "spaces around": b" 512 \r\n",
            "negative": b"-5\r\n",
            "exponent": b"1e3\r\n",
            "infinite": b"inf\r\n",
            "huge": b"9" * (5 * 1024 * 1024),
            "binary": bytes(range(256)),
        }
        for name, content in rows.items():
            with self.subTest(name):
                self.game = game = Game(totals=content)
                forget_mapped_windows()
                combination = game.fast_play()
                # Less than nothing in the machine: its first prize empties it, and the refill box
                # comes up over the board until it is answered.
                refill = name == "negative" and wait_for_titled_window("Поздравляем!", timeout=2)
                if refill:
                    xdotool("windowfocus", refill.id)
                    game.key("Return")
                    game.wait_until(lambda: all(d.isdigit() for d in game.board()), 5)
                    combination = "".join(game.board())
                    self.assertGreater(prize_for(combination), 0, "only a prize empties the machine")
                self.assertRegex(combination, r"^\d\d\d$")
                game.choose_from_menu(EXIT)
                self.assertEqual(game.wait_exit(), 0)
                saved = read(game.totals_path)
                self.assertRegex(saved, rb"^-?\d+(\.\d+)?(e\d+)?\r\n$|^ 512 \r\n$|^1e3\r\n$", name)
                game.close()

    def test_a_totals_file_that_is_a_link_or_a_folder(self):
        target_folder = tempfile.mkdtemp(prefix="vertuno-elsewhere-")
        target = os.path.join(target_folder, "money")
        with open(target, "wb") as f:
            f.write(b"512\r\n")
        self.game = game = Game()
        game.close()
        self.game = game = Game(program_folder=None)
        game.process.kill()
        game.process.wait()
        os.remove(game.totals_path)  # the empty file the claim made
        os.symlink(target, game.totals_path)
        game.__init__(program_folder=game.folder)
        combination = game.fast_play()
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertTrue(os.path.islink(game.totals_path))
        expected = 513 - prize_for(combination)
        self.assertEqual(read(target), f"{expected if expected > 0 else 1000}\r\n".encode())

    def test_a_file_changed_while_the_game_runs(self):
        self.game = game = Game(totals=b"512\r\n")
        game.fast_play()  # the machine has read its money
        with open(game.totals_path, "wb") as f:
            f.write(b"garbage that is not money")
        combination = game.fast_play()
        self.assertRegex(combination, r"^\d\d\d$")
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertRegex(read(game.totals_path), VALID)

    def test_killed_at_random_moments_the_file_always_holds_one_complete_value(self):
        chance = random.Random(9)
        self.game = game = Game(totals=b"512\r\n")
        folder = game.folder
        for kill in range(KILLS):
            action = chance.choice(["play", "statistics", "ok", "exit", "nothing"])
            if action == "play":
                game.click(*SLOT)
            elif action == "statistics":
                game.choose_from_menu(1)
            elif action == "ok":
                game.click(*RULES)
                xdotool("key", "Return")
            elif action == "exit":
                game.choose_from_menu(EXIT)
            time.sleep(chance.uniform(0, 0.4))
            game.process.send_signal(signal.SIGKILL)
            game.process.wait()
            content = read(game.totals_path)
            self.assertRegex(content, VALID, f"kill {kill} after '{action}'")
            game.__init__(program_folder=folder)
        self.assertRegex(game.fast_play(), r"^\d\d\d$", "the next start plays")

    def test_a_storm_of_input_at_the_real_window(self):
        chance = random.Random(4)
        self.game = game = Game(totals=b"3000\r\n")
        left, top, _, _ = game.geometry()
        spots = [SLOT, SLOT, RULES, FAST_BUTTON, (44, 28), (30, 200), (60, 300), (124, 340)]
        commands = []
        for _ in range(STORM_EVENTS):
            x, y = chance.choice(spots)
            commands += ["mousemove", str(left + x), str(top + y)]
            kind = chance.random()
            if kind < 0.55:
                commands += ["click", "1"]
            elif kind < 0.65:
                commands += ["click", "--repeat", "2", "--delay", "60", "1"]
            elif kind < 0.72:
                commands += ["click", "3", "key", "Escape"]
            elif kind < 0.86:
                commands += ["mousedown", "1", "mousemove_relative", "--", "3", "2", "mouseup", "1"]
            else:
                commands += ["key", "Escape"]
            commands += ["sleep", f"{chance.uniform(0.002, 0.02):.3f}"]
        started = time.time()
        subprocess.run(["xdotool"] + commands, check=True, timeout=300)
        storm_seconds = time.time() - started
        xdotool("mouseup", "1")
        self.assertIsNone(game.process.poll(), "the game survived the storm")
        # It still answers: a menu opens and "Выход" saves a valid file.
        game.press(*FAST_BUTTON)
        time.sleep(1.5)
        game.release()
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(timeout=60), 0)
        self.assertRegex(read(game.totals_path), VALID)
        print(f"storm: {STORM_EVENTS} events in {storm_seconds:.1f} s")


if __name__ == "__main__":
    unittest.main()
