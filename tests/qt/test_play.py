import time
import unittest

from game import FAST_BUTTON, SLOT, Game, Recorder, prize_for
from sound_onsets import gaps, onsets

FORCE_SPOT = (44, 28)


class Play(unittest.TestCase):
    def tearDown(self):
        self.game.close()

    def test_a_play_takes_a_coin_is_heard_and_pays_what_the_board_shows(self):
        self.game = game = Game()
        game.wait_for_sound_stream()
        recorder = Recorder()
        game.click(*SLOT)
        landing = game.landed()
        recording = recorder.stop()
        self.assertGreaterEqual(len(onsets(recording)), 1, "the play was silent")
        self.assertIsNotNone(landing, "the play landed")
        combination = landing[2]
        self.assertRegex(combination, r"^\d\d\d$")
        if prize_for(combination) == 0:
            self.assertTrue(game.purse_is("19"))

        combination = game.fast_play()
        self.assertRegex(combination, r"^\d\d\d$")

    def test_a_forced_777_is_counted_out_and_the_fast_button_speeds_it_up(self):
        self.game = game = Game()
        game.wait_for_sound_stream()
        game.click(*FORCE_SPOT, repeat=2)
        time.sleep(0.3)
        recorder = Recorder()
        game.click(*SLOT)
        landing = game.landed()
        self.assertEqual(landing and landing[2], "777")
        # Landed, it waits a second with the prize on show before counting out.
        self.assertTrue(game.wait_until(lambda: game.shows((48, 250, 73, 47), Banner=1, Prize=200, Word="монет"),
                                        1, step=0.05))
        # The count starts on the prize itself, shown as its first coin falls, and goes down a
        # coin at a time: every look is a number no higher than the one before. A few coins at
        # its own pace, each heard apart from the next.
        self.assertTrue(game.wait_until(lambda: game.board() != ["7", "7", "7"], 5, step=0.05))
        counted = []

        def counted_down_to(coins):
            shown = "".join(game.board())
            counted.append(int(shown) if shown.isdigit() else shown)
            return isinstance(counted[-1], int) and counted[-1] <= coins
        self.assertTrue(game.wait_until(lambda: counted_down_to(194), 5, step=0.05), counted)
        self.assertTrue(all(isinstance(n, int) for n in counted), f"counting down from 200: {counted}")
        self.assertEqual(counted, sorted(counted, reverse=True), "counting down from 200")
        self.assertTrue(194 <= counted[0] <= 200, f"counting down from 200: {counted}")

        started = time.time()
        game.press(*FAST_BUTTON)
        paid = game.wait_until(lambda: game.purse_is("219"), 10, step=0.05)
        elapsed = time.time() - started
        game.release()
        recording = recorder.stop()
        self.assertTrue(paid)
        # At its own pace the rest of the count-out would take over 25 s.
        self.assertLess(elapsed, 5)
        self.assertEqual(game.board(), ["7", "7", "7"])
        heard = onsets(recording)
        self.assertGreaterEqual(len(heard), 5, "every paid coin rings")
        # After the click and the spin, each coin's sound cuts the last one short: no silence.
        coins = [t for t in heard if t > heard[0] + 0.5]
        self.assertEqual(gaps(recording, coins[0], coins[-1]), [], "a hole in the count-out")

    def test_a_matched_pair_spins_the_right_cell_again_and_the_counters_follow_the_plays(self):
        # A matched pair comes in 9 plays of 100, so a purse of 20 runs out first about once in
        # eight games; such a game is left and a new one started.
        for _ in range(6):
            self.game = game = Game(totals=b"1000\r\n")
            purse, plays, won, respun = 20, 0, 0, False
            while purse and plays < 80 and not respun:
                game.click(*SLOT)
                plays += 1
                result = game.landed()
                self.assertIsNotNone(result, "the play landed")
                landed, rolling, final = result
                if rolling:
                    self.assertEqual(rolling[:2], list(landed[:2]), "the left cells keep their digits")
                    self.assertEqual(rolling[2], "?", "the right cell chases alone")
                    self.assertEqual(final[:2], landed[:2])
                    respun = True
                won += prize_for(final)
                purse += prize_for(final) - 1
                game.press(*FAST_BUTTON)  # any prize is paid at full speed; the play ends with its payment
                self.assertTrue(game.wait_until(lambda: game.purse_is(str(purse)), 10, step=0.1), final)
                game.release()
            if respun:
                break
            game.close()
        self.assertTrue(respun, "no matched pair in six purses")
        game.click(70, 150)  # the rules panel opens the statistics
        self.assertTrue(game.wait_until(
            lambda: game.info_window_shows(CoinsInserted=plays, CoinsWon=won,
                                           MachineMoney=1000 + plays - won, Takings=plays - won),
            3, step=0.3))

    def test_without_its_sound_files_the_game_is_silent_and_goes_on(self):
        self.game = game = Game(sounds=False)
        recorder = Recorder()
        combination = game.fast_play()
        recording = recorder.stop()
        self.assertEqual(onsets(recording), [])
        self.assertRegex(combination, r"^\d\d\d$")
        # "77x", "x77" and "7x7" pay the coin back.
        self.assertTrue(game.purse_is(str(19 + prize_for(combination))), combination)
        self.assertIsNone(game.process.poll())


if __name__ == "__main__":
    unittest.main()
