"""The shared scenario on the Windows game under Wine, on the suite's own X server. The probe reads
the texts of its controls through the Win32 API; a control's number is its label's."""
import re
import unittest

import scenario
from desktop_scenario import DesktopDriver
from game import TITLE
from test_windows import RELEASE, WINDOWS_BUILD, WineGame, controls, set_display_scale


def number(name):
    return int(re.sub(r"\D", "", name))


class WindowsDriver(DesktopDriver):
    def board(self, value):
        reading = scenario.board_reading()
        shown = next((text[len(reading):] for _, text in controls(TITLE).values() if text.startswith(reading)), None)
        return shown == value, shown

    def purse(self, value):
        visible, shown = controls(TITLE).get(number(scenario.cabinet_texts()["PlayerCoins"]), (False, None))
        return visible and shown == value, shown

    def counters(self, value):
        read = controls(scenario.window_titles()["Form2"])
        shown = {counter: read.get(number(control), (False, None))[1]
                 for counter, control in scenario.counter_controls().items()}
        return shown == value, shown


@unittest.skipUnless(WINDOWS_BUILD and RELEASE, "no Windows build or release named")
class WindowsScenario(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        set_display_scale(96)

    def test_the_shared_scenario(self):
        game = WineGame()
        try:
            game.wait_for_first_paint()
            scenario.replay(WindowsDriver(game))
        finally:
            game.close()


if __name__ == "__main__":
    unittest.main()
