import glob
import os
import shutil
import subprocess
import tempfile
import unittest

from game import BUILD, Game

APP_ID = "io.github.vertuno.Vertuno"


def run(*command, **options):
    return subprocess.run(command, check=True, capture_output=True, text=True, **options)


@unittest.skipUnless(os.geteuid() == 0, "installing a package needs root")
class DebianPackage(unittest.TestCase):
    def test_the_package_is_clean_installs_plays_from_the_menu_and_removes_cleanly(self):
        out = tempfile.mkdtemp(prefix="vertuno-deb-")
        run("cpack", "-G", "DEB", "-B", out, "--config", os.path.join(BUILD, "CPackConfig.cmake"))
        package, = glob.glob(os.path.join(out, "vertuno_*.deb"))
        fields = run("dpkg-deb", "-f", package, "Section", "Depends").stdout
        self.assertIn("Section: games", fields)
        self.assertIn("fonts-liberation2", fields)
        self.assertIn("libqt6widgets6", fields)
        findings = subprocess.run(["lintian", "--no-tag-display-limit", package],
                                  capture_output=True, text=True).stdout
        self.assertNotRegex(findings, r"(?m)^E: ", findings)
        source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
        run("appstreamcli", "validate", "--no-net", os.path.join(source, "assets", f"{APP_ID}.metainfo.xml"))

        run("apt-get", "install", "-y", "-q", package, env={**os.environ, "DEBIAN_FRONTEND": "noninteractive"})
        home = tempfile.mkdtemp(prefix="vertuno-player-")
        os.chmod(home, 0o777)
        try:
            # Started as the menu starts it: the entry's command on an ordinary user's path.
            with open(f"/usr/share/applications/{APP_ID}.desktop") as entry:
                command = next(line for line in entry if line.startswith("Exec=")).strip()[5:]
            game = Game(program_folder="/usr/lib/vertuno", user=65534,
                        launcher=shutil.which(command, path="/usr/local/bin:/usr/bin:/bin:/usr/games"),
                        env={"HOME": home, "XDG_DATA_HOME": os.path.join(home, "data")})
            try:
                game.fast_play()
                game.choose_from_menu(3)
                self.assertEqual(game.wait_exit(), 0)
            finally:
                game.close()
            self.assertTrue(os.path.exists(os.path.join(home, "data", "vertuno", "data1.ini")))
            self.assertFalse(os.path.exists("/usr/lib/vertuno/data1.ini"))
        finally:
            run("apt-get", "remove", "-y", "-q", "vertuno",
                env={**os.environ, "DEBIAN_FRONTEND": "noninteractive"})
            shutil.rmtree(home, ignore_errors=True)
            shutil.rmtree(out, ignore_errors=True)
        self.assertFalse(os.path.exists("/usr/lib/vertuno"), "nothing of the game is left")
        self.assertFalse(os.path.exists("/usr/games/vertuno"))


if __name__ == "__main__":
    unittest.main()
