import subprocess
import time
import unittest

from game import Backdrop, Game, xdotool


class MachineWindow(unittest.TestCase):
    def setUp(self):
        self.game = Game()

    def tearDown(self):
        self.game.close()

    def test_start_up_outline_and_drag(self):
        game = self.game
        _, _, width, height = game.geometry()
        self.assertEqual((width, height), (128, 378))
        game.wait_for_first_paint()
        self.assertTrue(game.purse_is("20"))
        self.assertEqual(game.board(), ["unlit", "unlit", "unlit"])

        # Outside the outline the pointer is over whatever lies behind.
        self.assertFalse(game.is_ours_at(10, 10))
        self.assertFalse(game.is_ours_at(125, 10))
        self.assertFalse(game.is_ours_at(80, 340))
        self.assertTrue(game.is_ours_at(60, 200))

        # A press and release without moving does nothing; a drag moves by the pointer's distance,
        # even where a manager that has gone left its list of what it does behind.
        subprocess.run(["xprop", "-root", "-f", "_NET_SUPPORTED", "32a", "-set", "_NET_SUPPORTED",
                        "_NET_WM_MOVERESIZE"], check=True)
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


class HighResolution(unittest.TestCase):
    def test_at_twice_the_scale_the_window_and_its_outline_double(self):
        game = Game(env={"QT_SCALE_FACTOR": "2"})
        try:
            _, _, width, height = game.geometry()
            self.assertEqual((width, height), (256, 756))
            self.assertFalse(game.is_ours_at(20, 20))
            self.assertFalse(game.is_ours_at(250, 20))
            self.assertTrue(game.is_ours_at(120, 400))
            self.assertTrue(game.is_ours_at(44, 10))
            game.wait_for_first_paint()
            # The slot's hot spot scales with it: a click there is a play.
            before = game.screenshot()
            game.click(214, 280)
            board = (136, 178, 204, 216)
            self.assertTrue(game.wait_until(
                lambda: game.screenshot().crop(board).tobytes() != before.crop(board).tobytes(), 5, step=0.1))
        finally:
            game.close()

    def test_at_one_and_a_half_no_seam_opens_along_the_outline(self):
        # A green window behind the game: outside the cut it shows through; a pixel inside the
        # cut that the game left unpainted shows black.
        with Backdrop():
            game = Game(env={"QT_SCALE_FACTOR": "1.5"})
            try:
                xdotool("windowmove", game.window, 20, 20)
                game.wait_until(lambda: game.geometry()[:2] == (20, 20), 5)
                board = (94, 132, 162, 164)  # the board's black glass, at 1.5 times

                def seams():
                    shot = game.screenshot()
                    width, height = shot.size
                    return [(x, y) for y in range(height) for x in range(width)
                            if shot.getpixel((x, y)) == (0, 0, 0)
                            and not (board[0] <= x <= board[2] and board[1] <= y <= board[3])]
                # The repaint after the move takes a moment; a seam is what stays unpainted.
                game.wait_until(lambda: not seams(), 5, step=0.3)
                self.assertEqual(seams()[:10], [], "unpainted pixels inside the window's cut")
                shot = game.screenshot()
                self.assertEqual(shot.getpixel((2, 2)), (74, 106, 90), "the backdrop shows outside")
            finally:
                game.close()


if __name__ == "__main__":
    unittest.main()
