"""The shared scenario on the Qt game under Xvfb. The texts are read off the screen: the board's
segments, and the coin count and the counters against the window drawn with those texts."""
import unittest

import scenario
from desktop_scenario import DesktopDriver
from game import Game


class QtDriver(DesktopDriver):
    def board(self, value):
        shown = " ".join("-" if cell == "unlit" else cell for cell in self.game.board())
        return shown == value, shown

    def purse(self, value):
        return self.game.purse_is(value), None

    def counters(self, value):
        return self.game.info_window_shows(**value), None


class QtScenario(unittest.TestCase):
    def test_the_shared_scenario(self):
        game = Game()
        try:
            game.wait_for_first_paint()
            scenario.replay(QtDriver(game))
        finally:
            game.close()


if __name__ == "__main__":
    unittest.main()
