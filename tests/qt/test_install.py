import os
import shutil
import subprocess
import tempfile
import unittest

from game import BUILD, Game, Recorder
from sound_onsets import onsets

APP_ID = "io.github.vertuno.Vertuno"


class Install(unittest.TestCase):
    def test_a_fresh_install_validates_starts_sounds_and_keeps_the_money_per_user(self):
        prefix = tempfile.mkdtemp(prefix="vertuno-prefix-")
        subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True,
                       capture_output=True)
        desktop = os.path.join(prefix, "share", "applications", f"{APP_ID}.desktop")
        subprocess.run(["desktop-file-validate", desktop], check=True)
        icons = os.path.join(prefix, "share", "icons", "hicolor")
        self.assertTrue(os.path.exists(os.path.join(icons, "scalable", "apps", f"{APP_ID}.svg")))
        for size in (16, 32, 48, 64, 128, 256):
            self.assertTrue(os.path.exists(os.path.join(icons, f"{size}x{size}", "apps", f"{APP_ID}.png")))
        launcher = os.path.join(prefix, "games", "vertuno")
        self.assertTrue(os.path.islink(launcher))
        folder = os.path.join(prefix, "lib", "vertuno")
        self.assertEqual(sorted(os.listdir(folder)), ["click.wav", "installed", "sound.wav", "vertuno"])

        # Started from the launcher by a user who cannot write the installed folder.
        home = tempfile.mkdtemp(prefix="vertuno-home-")
        os.chmod(home, 0o777)
        os.chmod(prefix, 0o755)
        recorder = Recorder()
        game = Game(program_folder=folder, user=65534, launcher=launcher,
                    env={"HOME": home, "XDG_DATA_HOME": os.path.join(home, "data")})
        try:
            game.wait_for_sound_stream()
            self.assertRegex(game.fast_play(), r"^\d\d\d$")
            recording = recorder.stop()
            game.choose_from_menu(3)
            self.assertEqual(game.wait_exit(), 0)
        finally:
            game.close()
        money = os.path.join(home, "data", "vertuno", "data1.ini")
        with open(money, "rb") as f:
            self.assertRegex(f.read(), rb"^\d+\r\n$")
        self.assertFalse(os.path.exists(os.path.join(folder, "data1.ini")))
        self.assertGreaterEqual(len(onsets(recording)), 1, "the installed game plays its sounds")

        # Root can write the installed folder, yet its money goes to root's own folder too.
        root_home = tempfile.mkdtemp(prefix="vertuno-root-")
        game = Game(program_folder=folder, launcher=launcher,
                    env={"HOME": root_home, "XDG_DATA_HOME": os.path.join(root_home, "data")})
        try:
            game.choose_from_menu(3)
            self.assertEqual(game.wait_exit(), 0)
        finally:
            game.close()
        self.assertTrue(os.path.exists(os.path.join(root_home, "data", "vertuno", "data1.ini")))
        self.assertFalse(os.path.exists(os.path.join(folder, "data1.ini")))
        shutil.rmtree(root_home, ignore_errors=True)
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    unittest.main()
