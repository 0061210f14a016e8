import os
import subprocess
import tempfile
import unittest

from game import PROGRAM_FOLDER, Game

GAME = os.path.join(PROGRAM_FOLDER, "vertuno")


def run(*arguments, **environment):
    env = {**os.environ, **environment}
    for name, value in environment.items():
        if value is None:
            del env[name]
    return subprocess.run([GAME, *arguments], env=env, capture_output=True, text=True, timeout=10)


class CommandLine(unittest.TestCase):
    def test_help_and_version_answer_in_the_locales_language_and_start_nothing(self):
        english = run("--help", LANG="C.UTF-8")
        self.assertEqual(english.returncode, 0)
        self.assertIn("--version", english.stdout)
        self.assertIn("Show the version.", english.stdout)
        russian = run("--help", LANG="ru_RU.UTF-8")
        self.assertIn("Показать версию.", russian.stdout)
        version = run("--version")
        self.assertEqual((version.returncode, version.stdout), (0, "vertuno 1.0.0\n"))

    def test_an_unknown_option_or_no_reachable_display_ends_with_one_line_of_why(self):
        unknown = run("--bogus", LANG="C.UTF-8")
        self.assertEqual(unknown.returncode, 2)
        self.assertEqual(unknown.stderr, "vertuno: unknown option: bogus\n")
        headless = run(LANG="ru_RU.UTF-8", DISPLAY=None, WAYLAND_DISPLAY=None, QT_QPA_PLATFORM=None)
        self.assertEqual(headless.returncode, 1)
        self.assertEqual(len(headless.stderr.splitlines()), 1, headless.stderr)
        self.assertIn("DISPLAY", headless.stderr)
        unreachable = run(LANG="C.UTF-8", DISPLAY=":987", WAYLAND_DISPLAY=None, QT_QPA_PLATFORM=None)
        self.assertEqual((unreachable.returncode, unreachable.stderr),
                         (1, "vertuno: cannot open the display :987: could not connect to display :987\n"))

    def test_help_names_the_program_as_started_and_qt_options_reach_qt(self):
        with tempfile.TemporaryDirectory() as folder:
            named = os.path.join(folder, "slot-machine")
            os.symlink(GAME, named)
            for language, usage in (("C.UTF-8", "Usage: slot-machine [options]\n"),
                                    ("ru_RU.UTF-8", "Запуск: slot-machine [параметры]\n")):
                said = subprocess.run([named, "--help"], capture_output=True, text=True, timeout=10,
                                      env={**os.environ, "LANG": language}).stdout
                self.assertTrue(said.startswith(usage), said)
        # With no display in the environment, Qt's own options name it.
        game = Game(arguments=["-platform", "xcb", "-display", os.environ["DISPLAY"]],
                    env={"DISPLAY": None, "WAYLAND_DISPLAY": None, "QT_QPA_PLATFORM": None})
        self.assertIsNone(game.process.poll())
        game.close()


if __name__ == "__main__":
    unittest.main()
