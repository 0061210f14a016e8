import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from game import (BUILD, PROGRAM_FOLDER, SLOT, Game, forget_mapped_windows, prize_for, refused_with_a_box,
                  wait_for_titled_window, xdotool)

EXIT = 3  # "Выход", three steps down the machine menu
NOBODY = 65534


def abstract_sockets(pid=None):
    """The games' sockets in the abstract namespace, which no runtime folder holds: those of one
    process, or of any (other suites' games run beside this one)."""
    owned = None
    if pid is not None:
        owned = set()
        for fd in os.listdir(f"/proc/{pid}/fd"):
            try:
                owned.add(os.readlink(f"/proc/{pid}/fd/{fd}"))
            except OSError:
                pass
    with open("/proc/net/unix") as table:
        rows = [line.split() for line in table][1:]
    return [row[-1] for row in rows if row[-1].startswith("@") and "vertuno-" in row[-1]
            and (owned is None or f"socket:[{row[6]}]" in owned)]


def read(path):
    with open(path, "rb") as f:
        return f.read()


class TotalsFile(unittest.TestCase):
    def tearDown(self):
        self.game.close()

    def test_exit_keeps_the_file_byte_for_byte_and_a_play_adds_its_coin(self):
        self.game = game = Game(totals=b"512\r\n", folder_name="Вертуно с пробелами")
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(read(game.totals_path), b"512\r\n")

        self.game = game = Game(totals=b"512\r\n", folder_name="Вертуно с пробелами")
        combination = game.fast_play()
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        expected = 513 - prize_for(combination)
        if expected <= 0:
            expected = 1000
        self.assertEqual(read(game.totals_path), f"{expected}\r\n".encode())

    def test_the_desktop_ending_the_program_still_saves(self):
        for ending in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            self.game = game = Game(totals=b"512\r\n")
            combination = game.fast_play()
            os.kill(game.process.pid, ending)
            self.assertEqual(game.wait_exit(), 0)
            expected = 513 - prize_for(combination)
            self.assertEqual(read(game.totals_path), f"{expected}\r\n".encode(), ending.name)
            game.close()

    def test_a_lost_display_still_saves(self):
        read_end, write_end = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x480x24",
                                   "-nolisten", "tcp"], pass_fds=[write_end],
                                  stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as said:
            display = ":" + said.readline().strip()
        shared = os.environ["DISPLAY"]
        os.environ["DISPLAY"] = display
        try:
            self.game = game = Game(totals=b"512\r\n")
            still = game.board()
            game.click(*SLOT)  # the coin goes in at once; the chase follows
            self.assertTrue(game.wait_until(lambda: game.board() != still, 3, step=0.05))
            server.kill()
            server.wait()
            self.assertEqual(game.wait_exit(), 1)
            self.assertEqual(read(game.totals_path), b"513\r\n")
        finally:
            os.environ["DISPLAY"] = shared
            if server.poll() is None:
                server.kill()

    def test_an_exit_whose_save_fails_says_so_and_fails(self):
        self.game = game = Game()
        os.remove(game.totals_path)
        os.mkdir(game.totals_path)  # nothing can be saved under that name
        game.fast_play()
        forget_mapped_windows()
        game.choose_from_menu(EXIT)
        warning = wait_for_titled_window("Вертуно")
        self.assertIsNotNone(warning, "the player is told")
        xdotool("windowfocus", warning.id)
        game.key("Return")
        self.assertEqual(game.wait_exit(), 1)
        with open(os.path.join(game.base, "stderr.log")) as log:
            self.assertIn(game.totals_path, log.read())

    def test_a_signal_whose_save_fails_says_so_and_ends_at_once_without_a_box(self):
        self.game = game = Game()
        os.remove(game.totals_path)
        os.mkdir(game.totals_path)  # nothing can be saved under that name
        game.fast_play()
        forget_mapped_windows()
        game.process.send_signal(signal.SIGTERM)
        game.process.send_signal(signal.SIGTERM)  # a second one changes nothing
        self.assertEqual(game.wait_exit(timeout=5), 1)
        self.assertIsNone(wait_for_titled_window("Вертуно", timeout=0.5), "no box for a leaving player")
        with open(os.path.join(game.base, "stderr.log")) as log:
            self.assertIn(game.totals_path, log.read())

    def test_one_machine_per_file_under_any_name_and_no_claim_left_after_it(self):
        self.game = game = Game(totals=b"512\r\n")
        combination = game.fast_play()
        second = subprocess.run([os.path.join(game.folder, "vertuno")], capture_output=True,
                                text=True, timeout=10, env={**os.environ, "LANG": "C.UTF-8"})
        self.assertEqual(second.returncode, 0)
        self.assertIn("already running", second.stderr)
        listening = abstract_sockets(game.process.pid)
        self.assertEqual(len(listening), 1, "it listens where every session of the user finds it")
        # A start from another session (ssh, su, cron) has another runtime folder, or none.
        for runtime in (tempfile.mkdtemp(prefix="vertuno-runtime-"), None):
            other = subprocess.run([os.path.join(game.folder, "vertuno")], capture_output=True, text=True,
                                   timeout=10, env={**os.environ, "LANG": "C.UTF-8", "XDG_RUNTIME_DIR": runtime or ""})
            self.assertEqual(other.returncode, 0, other.stderr)
        # Another folder whose data1.ini is a link to this one's is the same machine.
        linked = os.path.join(game.base, "linked")
        shutil.copytree(game.folder, linked, ignore=shutil.ignore_patterns("data1.ini"))
        os.symlink(game.totals_path, os.path.join(linked, "data1.ini"))
        third = subprocess.run([os.path.join(linked, "vertuno")], capture_output=True, timeout=10)
        self.assertEqual(third.returncode, 0)
        # So is the folder bind-mounted elsewhere.
        bound = os.path.join(game.base, "bound")
        os.mkdir(bound)
        through = subprocess.run(["unshare", "-m", "sh", "-c", 'mount --bind "$0" "$1" && exec "$1/vertuno"',
                                  game.folder, bound], capture_output=True, text=True, timeout=10,
                                 env={**os.environ, "LANG": "C.UTF-8"})
        self.assertEqual(through.returncode, 0, through.stderr)
        self.assertIn("already running", through.stderr)
        # A hard link in another folder cannot be told apart from a file of its own until it is
        # claimed: the start says so.
        hard = os.path.join(game.base, "hard")
        shutil.copytree(game.folder, hard, ignore=shutil.ignore_patterns("data1.ini"))
        os.link(game.totals_path, os.path.join(hard, "data1.ini"))
        with open(os.path.join(game.base, "hard.log"), "w") as log:
            self.assertEqual(refused_with_a_box([os.path.join(hard, "vertuno")], log), 1)
        with open(os.path.join(game.base, "hard.log")) as log:
            self.assertIn("жёсткая ссылка", log.read())
        # A copy of the folder, taken while the machine runs, is a machine of its own.
        copied = os.path.join(game.base, "copied")
        shutil.copytree(game.folder, copied)
        copy = Game(program_folder=copied)
        copy.process.send_signal(signal.SIGTERM)
        self.assertEqual(copy.wait_exit(), 0)
        copy.close()
        self.assertIsNone(game.process.poll(), "the first copy plays on")
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(read(game.totals_path), f"{513 - prize_for(combination)}\r\n".encode())
        self.assertNotIn(listening[0], abstract_sockets(), "its socket goes")
        self.assertEqual(sorted(os.listdir(game.folder)), sorted(os.listdir(PROGRAM_FOLDER) + ["data1.ini"]))
        # Killed, it leaves no claim: the next start plays.
        game.__init__(program_folder=game.folder)
        game.process.kill()
        game.process.wait()
        game.__init__(program_folder=game.folder)

    def test_a_window_destroyed_by_the_desktop_saves_and_ends(self):
        self.game = game = Game(totals=b"512\r\n")
        combination = game.fast_play()
        xdotool("windowclose", game.window)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(read(game.totals_path), f"{513 - prize_for(combination)}\r\n".encode())

    def test_a_bad_file_gives_a_fresh_machine(self):
        self.game = game = Game(totals=b"\x00\xffnot money")
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(read(game.totals_path), b"1000\r\n")

    def test_the_money_follows_the_player_between_a_read_only_and_a_writable_folder(self):
        home = tempfile.mkdtemp(prefix="vertuno-home-")
        os.chmod(home, 0o777)
        folder = tempfile.mkdtemp(prefix="vertuno-installed-")
        program = os.path.join(folder, "vertuno")
        shutil.copytree(PROGRAM_FOLDER, program, ignore=shutil.ignore_patterns("data1.ini"))
        beside = os.path.join(program, "data1.ini")
        with open(beside, "wb") as f:
            f.write(b"700\r\n")
        os.chown(beside, NOBODY, NOBODY)
        os.chmod(folder, 0o755)
        users = os.path.join(home, "data", "vertuno")
        money = 700
        for writable in (False, True, False):
            os.chmod(program, 0o777 if writable else 0o755)
            self.game = game = Game(program_folder=program, user=NOBODY,
                                    env={"HOME": home, "XDG_DATA_HOME": os.path.join(home, "data"),
                                         "XDG_RUNTIME_DIR": None})
            money += 1 - prize_for(game.fast_play())
            game.choose_from_menu(EXIT)
            self.assertEqual(game.wait_exit(), 0)
            game.close()
            # While the folder cannot be written, a stand-in of its own keeps its money; it goes
            # when the money goes home.
            stand_ins = [os.path.join(users, name) for name in os.listdir(users) if name.startswith("data1-")]
            self.assertEqual(len(stand_ins), 0 if writable else 1, stand_ins)
            self.assertEqual(read(beside if writable else stand_ins[0]), f"{money}\r\n".encode(), writable)
            self.assertFalse(os.path.exists(os.path.join(users, "data1.ini")), "the installed game's money is apart")
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(folder, ignore_errors=True)

    def test_where_the_file_cannot_be_locked_one_machine_still_plays_on_it(self):
        no_locks = {"LD_PRELOAD": os.path.join(BUILD, "tests", "qt", "libno_locks.so")}
        self.game = game = Game(totals=b"512\r\n", env=no_locks)
        with open("/proc/locks") as held:
            self.assertNotIn(f":{os.stat(game.totals_path).st_ino} ", held.read(), "no lock is taken")
        second = subprocess.run([os.path.join(game.folder, "vertuno")], capture_output=True, text=True, timeout=10,
                                env={**os.environ, **no_locks, "LANG": "C.UTF-8"})
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertIn("already running", second.stderr)
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(read(game.totals_path), b"512\r\n")

    @unittest.skipUnless(os.path.exists("/dev/fuse"), "this kernel offers no FUSE")
    def test_a_start_through_a_second_mount_of_the_folder_hands_over_to_the_machine_on_it(self):
        # bindfs shows the folder again as a file system of its own: the file has another
        # identity there, and its locks are not the real file's.
        self.game = game = Game(totals=b"512\r\n")
        mount = os.path.join(game.base, "mount")
        os.mkdir(mount)
        subprocess.run(["bindfs", game.folder, mount], check=True)
        try:
            second = subprocess.run([os.path.join(mount, "vertuno")], capture_output=True, text=True, timeout=10,
                                    env={**os.environ, "LANG": "C.UTF-8"})
        finally:
            subprocess.run(["umount", mount], check=True)
        self.assertEqual(second.returncode, 0, second.stderr)
        self.assertIn("already running", second.stderr)
        self.assertIsNone(game.process.poll(), "the first machine plays on")
        game.choose_from_menu(EXIT)
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(sorted(os.listdir(game.folder)), sorted(os.listdir(PROGRAM_FOLDER) + ["data1.ini"]))

    def test_a_start_on_money_another_user_plays_on_says_who_and_how_to_go_on(self):
        home = tempfile.mkdtemp(prefix="vertuno-home-")
        os.chmod(home, 0o755)
        program = os.path.join(home, "vertuno")
        shutil.copytree(PROGRAM_FOLDER, program, ignore=shutil.ignore_patterns("data1.ini"))
        with open(os.path.join(program, "data1.ini"), "wb") as f:
            f.write(b"512\r\n")
        for path in (home, program, *(os.path.join(program, name) for name in os.listdir(program))):
            os.chown(path, NOBODY, NOBODY)
        self.game = game = Game(program_folder=program, user=NOBODY,
                                env={"HOME": home, "XDG_DATA_HOME": home, "XDG_RUNTIME_DIR": None})
        # Root on the player's money, as a start with sudo would be.
        started = time.time()
        with open(os.path.join(game.base, "refused.log"), "w") as log:
            self.assertEqual(refused_with_a_box([os.path.join(game.folder, "vertuno")], log), 1)
        self.assertLess(time.time() - started, 5, "at once: the holder is known")
        with open(os.path.join(game.base, "refused.log")) as log:
            said = log.read()
        self.assertIn("Автомат уже запущен на этих деньгах", said)
        self.assertIn("nobody", said)
        self.assertIsNone(game.process.poll(), "the player's machine plays on")
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    unittest.main()
