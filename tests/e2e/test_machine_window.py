import time
import unittest

from game import Game, xdotool


class MachineWindow(unittest.TestCase):
    def setUp(self):
        self.game = Game()

    def tearDown(self):
        self.game.close()

    def test_start_up_outline_drag_and_menu(self):
        game = self.game
        _, _, width, height = game.geometry()
        self.assertEqual((width, height), (128, 378))
        self.assertTrue(game.purse_is("20"))
        self.assertEqual(game.board(), ["unlit", "unlit", "unlit"])

        # Outside the outline the pointer is over whatever lies behind.
        self.assertFalse(game.is_ours_at(10, 10))
        self.assertFalse(game.is_ours_at(125, 10))
        self.assertFalse(game.is_ours_at(80, 340))
        self.assertTrue(game.is_ours_at(60, 200))

        # A press and release without moving does nothing; a drag moves by the pointer's distance.
        before = game.geometry()[:2]
        game.click(30, 200)
        self.assertEqual(game.geometry()[:2], before)
        grip_x, grip_y = game.screen_point(30, 200)
        game.press(30, 200)
        for step in range(1, 11):  # screen points: the window moves under the pointer
            xdotool("mousemove", grip_x + 4 * step, grip_y + 3 * step)
            time.sleep(0.02)
        game.release()
        time.sleep(0.2)
        after = game.geometry()[:2]
        self.assertEqual((after[0] - before[0], after[1] - before[1]), (40, 30))

        # The machine menu: statistics, then about.
        game.choose_from_menu(1)
        self.assertTrue(game.wait_until(lambda: window_shown("Информация"), 3))
        game.choose_from_menu(2)
        self.assertTrue(game.wait_until(lambda: window_shown('О программе "Вертуно"'), 3))
        self.assertIsNone(game.process.poll())


def window_shown(title):
    import subprocess
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True).stdout.split()
    return bool(found)


if __name__ == "__main__":
    unittest.main()
