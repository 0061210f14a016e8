import time
import unittest

from game import Game

MAN = (5, 180)  # his left shoulder, outside the normal outline


class Demo(unittest.TestCase):
    def setUp(self):
        started = time.time()
        self.game = Game()
        self.started = started

    def tearDown(self):
        self.game.close()

    def test_left_idle_the_man_plays_by_himself_then_the_machine_returns(self):
        game = self.game
        self.assertFalse(game.is_ours_at(*MAN))
        game.move(200, 10)  # park the pointer off the machine
        # The ninth idle tick comes 25.99 s after the window loads.
        self.assertTrue(game.wait_until(lambda: game.is_ours_at(*MAN), 27 - (time.time() - self.started),
                                        step=0.2), "the demo is there before 27 s")
        self.assertGreater(time.time() - self.started, 23, "and not before its time")
        shot = game.screenshot()
        r, g, b = shot.getpixel((40, 200))  # his jacket, where the rules panel's frame was
        self.assertGreater(r, b, "a brown jacket stands in front of the blue cabinet")
        self.assertTrue(game.is_ours_at(*MAN))
        self.assertFalse(game.purse_is("20", shot), "the purse is hidden during the demo")
        game.move(200, 10)
        ended = game.wait_until(lambda: not game.is_ours_at(*MAN), 200, step=1)
        self.assertTrue(ended, "the demo ends after at most 50 plays")
        time.sleep(0.3)
        self.assertTrue(game.purse_is("20"), "the demo cost the player nothing")


if __name__ == "__main__":
    unittest.main()
