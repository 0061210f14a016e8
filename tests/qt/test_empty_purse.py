import unittest

from game import SLOT, Game, forget_mapped_windows, prize_for, wait_for_titled_window, xdotool


class EmptyPurse(unittest.TestCase):
    """Plays until the purse is empty. A big prize sends the purse up for hundreds of plays, so
    such a game is left and a new one started."""

    game = None

    def tearDown(self):
        if self.game:
            self.game.close()

    def play_until_empty(self, attempts=6):
        for _ in range(attempts):
            self.game = game = Game(totals=b"1000\r\n")
            purse, plays, paid = 20, 0, 0
            while 0 < purse <= 40:
                combination = game.fast_play()
                self.assertRegex(combination, r"^\d\d\d$")
                prize = prize_for(combination)
                purse += prize - 1
                plays += 1
                paid += prize
            if purse == 0:
                self.assertTrue(game.wait_until(lambda: game.purse_is("0"), 3, step=0.3))
                return plays, paid
            game.close()
        self.fail("every game won a big prize before its purse ran out")

    def ask(self):
        forget_mapped_windows()
        self.game.click(*SLOT)
        question = wait_for_titled_window("Не повезло...")
        self.assertIsNotNone(question, "the empty-purse question, titled exactly as given")
        xdotool("windowfocus", question.id)

    def test_yes_gives_twenty_coins_again(self):
        self.play_until_empty()
        self.ask()
        self.game.key("Return")  # "Да" is the default button
        self.assertTrue(self.game.wait_until(lambda: self.game.purse_is("20"), 5, step=0.3))
        self.assertIsNone(self.game.process.poll())
        self.assertRegex(self.game.fast_play(), r"^\d\d\d$", "and the machine plays on")

    def test_no_ends_the_program_and_keeps_the_money(self):
        plays, paid = self.play_until_empty()
        self.ask()
        self.game.key("Escape")  # "Нет" answers Escape
        self.assertEqual(self.game.wait_exit(), 0)
        with open(self.game.totals_path, "rb") as f:
            self.assertEqual(f.read(), f"{1000 + plays - paid}\r\n".encode())


if __name__ == "__main__":
    unittest.main()
