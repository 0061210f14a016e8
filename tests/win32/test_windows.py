"""The Windows front end under Wine on the suite's X server, driven from outside as the Qt
game is: the pointer, screenshots, and the program's controls read through the Win32 API."""
import atexit
import calendar
import functools
import getpass
import glob
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

from game import (FAST_BUTTON, SLOT, TITLE, Game, forget_mapped_windows, prize_for, refused_with_a_box,
                  wait_for_titled_window, xdotool)
from window_manager import WindowManager

WINDOWS_BUILD = os.environ.get("VERTUNO_WINDOWS_BUILD", "")
# What build_windows.sh packs: the zip and the installer a player downloads, the exe they hold.
RELEASE = os.environ.get("VERTUNO_WINDOWS_RELEASE", "")
INSTALLER = "Установка Вертуно"
UNINSTALL_KEY = r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vertuno"
WINE = "/usr/lib/wine/wine64"
PLAYED = re.compile(r'proc_PlaySound SoundName=L".*?\\\\([a-z]+\.wav)"')
PROBE = os.path.join(WINDOWS_BUILD, "probe.exe")
FORCE_SPOT = (44, 28)
RULES = (60, 160)
PURSE, INSERTED, WON, MONEY = 2, 7, 9, 11  # the controls' numbers: Label2, Label7, Label9, Label11
BOARD = 1  # what a screen reader reads of the board
PRIZE = 5
ABOUT = 'О программе "Вертуно"'


def count_out_seconds(prize):
    """How long a prize may take to be counted out at its own pace under Wine: on a machine busy
    with builds a coin took over 200 ms, so a 200 took more than 40 s."""
    return 20 + prize * 0.4


def controls(title):
    """Each control's (visible, text), by the control's number."""
    said = subprocess.run([WINE, PROBE, title], capture_output=True, text=True, timeout=120).stdout
    return {int(id_): (shown == "1", text) for id_, shown, text in (line.split(" ", 2) for line in said.splitlines())}


def texts_cut(title):
    """The texts of a window whose ink, drawn in their own font, runs out of their box."""
    said = subprocess.run([WINE, PROBE, title, "ink"], capture_output=True, text=True, timeout=120).stdout
    lines = [line.split(" ", 2) for line in said.splitlines()]
    assert lines, f"no text read in {title}"
    return [text for _, whole, text in lines if whole != "1"]


def set_display_scale(dpi):
    """Wine's screen resolution, read by each program as it starts. A write that meets the prefix
    still busy with the last game's end is tried again."""
    deadline = time.time() + 60
    while True:
        done = subprocess.run([WINE, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                               "REG_DWORD", "/d", str(dpi), "/f"], capture_output=True, text=True, timeout=120)
        if done.returncode == 0 or time.time() > deadline:
            break
    assert done.returncode == 0, done.stdout + done.stderr


def save_shot(game, dpi):
    """The cabinet as shown, into the build folder, for the README's pictures."""
    left, top, width, height = game.geometry()
    subprocess.run(["import", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
                    os.path.join(WINDOWS_BUILD, f"windows-{dpi}dpi.png")], check=True)


def window_text(title):
    """The texts of a window's controls, a wizard's page inside it included, as one text."""
    return subprocess.run([WINE, PROBE, title], capture_output=True, text=True, timeout=120).stdout


def shown(title):
    return bool(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                               capture_output=True).stdout)


def gone(path, seconds=60):
    """Whether a file or folder is gone within the time (a copy of an uninstaller still ending)."""
    deadline = time.time() + seconds
    while os.path.exists(path) and time.time() < deadline:
        time.sleep(0.2)
    return not os.path.exists(path)


@functools.cache
def released_program():
    """The program's folder as the released zip holds it, unpacked once for the run."""
    zip_path, = glob.glob(os.path.join(RELEASE, "vertuno-*-windows-x64.zip"))
    unpacked = tempfile.mkdtemp(prefix="vertuno-e2e-release-")
    atexit.register(shutil.rmtree, unpacked, True)
    with zipfile.ZipFile(zip_path) as archive:
        archive.extractall(unpacked)
    folder, = glob.glob(os.path.join(unpacked, "vertuno-*"))
    return folder


class Watch:
    """Every change of a window's controls, from when it starts until a control shows a text."""

    def __init__(self, title, id_, text, seconds=60):
        self.process = subprocess.Popen([WINE, PROBE, title, str(seconds), str(id_), text],
                                        stdout=subprocess.PIPE, text=True)
        self.first = self.process.stdout.readline()  # watching from here on

    def changes(self):
        """(milliseconds, number, text) of each change seen."""
        said = self.first + self.process.communicate(timeout=120)[0]
        return [(int(ms), int(id_), text) for ms, id_, _, text in (line.split(" ", 3) for line in said.splitlines())]


class StartedGame(Game):
    """The game as something else starts it (a shortcut, the installer's last page): a process
    of Wine's own, found by its window."""

    def __init__(self, command, env):
        self.base = tempfile.mkdtemp(prefix="vertuno-e2e-")
        forget_mapped_windows()
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = wait_for_titled_window(TITLE, timeout=30)
        assert window is not None, "the shortcut started no game"
        self.window = str(window.id)


class WineGame(Game):
    def __init__(self, **options):
        super().__init__(copy_of=released_program(), program="vertuno.exe",
                         runner=[WINE], **options)


@unittest.skipUnless(WINDOWS_BUILD and RELEASE, "no Windows build or release named")
class WindowsFrontEnd(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        set_display_scale(96)

    def test_the_whole_game_under_wine(self):
        game = WineGame(env={"WINEDEBUG": "trace+winmm"})
        try:
            self.assertEqual(game.geometry()[2:], (128, 378))
            self.assertFalse(game.is_ours_at(10, 10), "cut to the cabinet's outline")
            self.assertFalse(game.is_ours_at(80, 340))
            self.assertTrue(game.is_ours_at(60, 200))
            game.wait_for_first_paint()
            self.assertEqual(controls(TITLE)[PURSE], (True, "20"))
            self.assertEqual(game.board(), ["unlit", "unlit", "unlit"])
            self.assertEqual(controls(TITLE)[BOARD], (True, "Табло: - - -"))

            # The drag's first motion already leaves the window, left of the grip.
            before = game.geometry()[:2]
            grip_x, grip_y = game.screen_point(30, 200)
            xdotool("mousemove", grip_x, grip_y, "mousedown", "1")
            for step in range(11):
                xdotool("mousemove", grip_x - 40 + 8 * step, grip_y + 3 * step)
                time.sleep(0.02)
            xdotool("mouseup", "1")
            self.assertTrue(game.wait_until(lambda: game.geometry()[:2] == (before[0] + 40, before[1] + 30), 3),
                            "the caption drag moved the cabinet by the pointer's way")

            # A play takes a coin and lands on three digits.
            game.click(*SLOT)
            landing = game.landed()
            self.assertIsNotNone(landing, "the play landed")
            first = landing[2]
            self.assertTrue(game.wait_until(lambda: controls(TITLE)[PURSE][1] != "20", 5))
            first_prize = prize_for(first)
            self.assertTrue(game.wait_until(lambda: controls(TITLE)[PURSE][1] == str(19 + first_prize),
                                           count_out_seconds(first_prize)),
                            f"{first} pays {first_prize}")
            self.assertEqual(controls(TITLE)[BOARD][1], "Табло: " + " ".join(first))

            # A forced 777 pays 200, coin by coin: the board counts the coins down as each
            # falls and rings, then the purse takes them all.
            game.click(*FORCE_SPOT, repeat=2)
            time.sleep(0.3)
            game.click(*SLOT)
            self.assertTrue(game.wait_until(lambda: game.board() == ["7", "7", "7"], 10))
            self.assertTrue(game.wait_until(lambda: game.board()[0] in ("1", "2") and game.board() != ["7"] * 3, 5))
            counts = []
            deadline = time.time() + 6  # a loaded machine's screenshots come slowly
            while time.time() < deadline:
                shown = "".join(game.board())
                if shown.isdigit() and (not counts or counts[-1] != int(shown)):
                    counts.append(int(shown))
            self.assertGreaterEqual(len(counts), 4, counts)
            self.assertEqual(counts, sorted(counts, reverse=True), "counted down")
            self.assertLess(counts[-1], 200)
            self.assertEqual(texts_cut(TITLE), [], "the 777's texts whole")
            save_shot(game, 96)
            paid = str(19 + first_prize - 1 + 200)
            watch = Watch(TITLE, PURSE, paid)
            game.press(*FAST_BUTTON)
            self.assertEqual(watch.changes()[-1][1:], (PURSE, paid))
            game.release()
            # Wine's sound is silent here; its trace shows each PlaySound and its file.
            with open(os.path.join(game.base, "stderr.log"), encoding="utf-8", errors="replace") as log:
                played = PLAYED.findall(log.read())
            self.assertEqual(played[0], "click.wav", "the coin drops first")
            self.assertEqual(played.count("click.wav"), 2, "one click a play")
            self.assertEqual(played.count("sound.wav"), first_prize + 200, "one ring a paid coin")
            self.assertEqual(played[-201], "click.wav", "the 777 play's click comes before its coins")

            # The info window shows the counters.
            forget_mapped_windows()
            game.click(*RULES)
            self.assertIsNotNone(wait_for_titled_window("Информация", timeout=10))
            money = 1000 + 1 - first_prize  # the forced play is the machine's gift, counted nowhere
            counters = controls("Информация")
            self.assertEqual(counters[INSERTED][1], "1")
            self.assertEqual(counters[WON][1], str(first_prize))
            self.assertEqual(counters[MONEY][1], str(money))
            self.assertEqual(texts_cut("Информация"), [])
            game.key("Return")  # its OK button, the default: saved and closed
            self.assertTrue(game.wait_until(lambda: not controls("Информация")[INSERTED][0], 5))

            # The menu: the about window, then "Выход" saves and ends.
            forget_mapped_windows()
            game.choose_from_menu(2)
            self.assertIsNotNone(wait_for_titled_window(ABOUT, timeout=10))
            self.assertEqual(texts_cut(ABOUT), [])
            game.key("Escape")
            self.assertTrue(game.wait_until(lambda: not controls('О программе "Вертуно"')[1][0], 5))
            game.choose_from_menu(3)
            self.assertEqual(game.wait_exit(timeout=20), 0)
            with open(game.totals_path, "rb") as f:
                self.assertEqual(f.read(), f"{money}\r\n".encode())

            # A second start reads it back.
            again = WineGame(program_folder=game.folder)
            try:
                forget_mapped_windows()
                again.click(*RULES)
                self.assertIsNotNone(wait_for_titled_window("Информация", timeout=10))
                self.assertEqual(controls("Информация")[MONEY], (True, str(money)))
                # A third start on the same file hands over to the running machine and ends.
                third = subprocess.run([WINE, os.path.join(game.folder, "vertuno.exe")], timeout=60,
                                       capture_output=True)
                self.assertEqual(third.returncode, 0)
                self.assertIsNone(again.process.poll())
                # Logging off saves: the file, taken away meanwhile, comes back with the money.
                os.remove(game.totals_path)
                subprocess.run([WINE, "wineboot", "--end-session"], timeout=60, check=True)
                self.assertEqual(again.wait_exit(timeout=20), 0)
                with open(game.totals_path, "rb") as f:
                    self.assertEqual(f.read(), f"{money}\r\n".encode())
            finally:
                again.close()
        finally:
            game.close()

    def test_the_linux_and_the_windows_game_on_one_folder_exclude_each_other(self):
        shared = Game()  # the Linux game's folder, which the Windows game joins
        shared.choose_from_menu(3)
        self.assertEqual(shared.wait_exit(), 0)
        shutil.copy(os.path.join(released_program(), "vertuno.exe"), shared.folder)
        linux_game = os.path.join(shared.folder, "vertuno")
        windows = WineGame(program_folder=shared.folder)
        try:
            self.assertEqual(refused_with_a_box([linux_game]), 1)
            self.assertIsNone(windows.process.poll(), "the Windows game plays on")
            windows.choose_from_menu(3)
            self.assertEqual(windows.wait_exit(timeout=20), 0)
        finally:
            windows.close()
        linux = Game(program_folder=shared.folder)
        try:
            combination = linux.fast_play()
            self.assertEqual(refused_with_a_box([WINE, os.path.join(shared.folder, "vertuno.exe")]), 1)
            self.assertIsNone(linux.process.poll(), "the Linux game plays on")
            linux.choose_from_menu(3)
            self.assertEqual(linux.wait_exit(), 0)
            with open(linux.totals_path, "rb") as f:
                self.assertEqual(f.read(), f"{1001 - prize_for(combination)}\r\n".encode())
        finally:
            linux.close()
            shared.close()

    def test_no_link_planted_in_the_folder_is_followed(self):
        """Wine follows a Unix link where Windows would see the link: the start's clean-up and the
        claim ask their open file where it really is."""
        elsewhere = tempfile.mkdtemp(prefix="vertuno-elsewhere-")
        precious = {name: os.path.join(elsewhere, name) for name in ("cleaned", "claimed")}
        for path in precious.values():
            with open(path, "wb") as f:
                f.write(b"precious\n")
        folder = os.path.join(tempfile.mkdtemp(prefix="vertuno-e2e-"), "vertuno")
        shutil.copytree(released_program(), folder)
        os.symlink(precious["cleaned"], os.path.join(folder, "data1.ini.new-99999"))
        os.symlink(precious["claimed"], os.path.join(folder, "data1.ini"))
        game = WineGame(program_folder=folder)
        try:
            game.choose_from_menu(3)
            self.assertEqual(game.wait_exit(timeout=20), 0)
        finally:
            game.close()
        for path in precious.values():
            with open(path, "rb") as f:
                self.assertEqual(f.read(), b"precious\n", path)
        shutil.rmtree(elsewhere)
        shutil.rmtree(os.path.dirname(folder))

    def test_under_a_window_manager_a_click_brings_the_cabinet_in_front(self):
        """The shared scenario proves the rest of the cabinet's presses on a bare X server; here a
        manager stacks the windows."""
        game = WineGame()
        try:
            game.wait_for_first_paint()
            forget_mapped_windows()
            game.click(*RULES)
            info = wait_for_titled_window("Информация", timeout=10)
            self.assertIsNotNone(info)
            # The info window covers the cabinet's middle; a click on its top brings it in front.
            with WindowManager(["openbox", "--sm-disable"]):
                def stacking():
                    said = subprocess.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"], capture_output=True,
                                          text=True).stdout
                    return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", said)]
                # openbox takes up the windows already shown one by one.
                self.assertTrue(game.wait_until(lambda: {int(game.window), info.id} <= set(stacking()), 10))
                subprocess.run(["xdotool", "windowactivate", "--sync", str(info.id)], timeout=10, capture_output=True)
                self.assertTrue(game.wait_until(
                    lambda: stacking().index(info.id) > stacking().index(int(game.window)), 5))
                game.click(60, 40)
                self.assertTrue(game.wait_until(
                    lambda: stacking().index(int(game.window)) > stacking().index(info.id), 5),
                    "the cabinet came in front of the info window")
        finally:
            game.close()

    def test_the_game_grows_with_the_display_scale(self):
        try:
            for dpi in (120, 144, 192):
                set_display_scale(dpi)
                with self.subTest(dpi=dpi):
                    self.play_at(dpi)
        finally:
            set_display_scale(96)

    def play_at(self, dpi):
        """The cabinet, its outline, hot spots, board and texts and the side windows, all at a
        display scale: a play and a forced 777 paid right, every text whole."""
        game = WineGame()
        game.scale = dpi / 96
        try:
            self.assertEqual(game.geometry()[2:], ((128 * dpi + 48) // 96, (378 * dpi + 48) // 96))
            self.assertFalse(game.is_ours_at(10, 10), "cut to the scaled outline")
            self.assertFalse(game.is_ours_at(80, 340))
            self.assertTrue(game.is_ours_at(60, 200))
            game.wait_for_first_paint()
            self.assertEqual(texts_cut(TITLE), [])

            game.click(*SLOT)
            landing = game.landed()
            self.assertIsNotNone(landing, "the play landed")
            prize = prize_for(landing[2])
            self.assertTrue(game.wait_until(lambda: controls(TITLE)[PURSE][1] == str(19 + prize),
                                            count_out_seconds(prize)),
                            f"{landing[2]} pays {prize}")

            game.click(*FORCE_SPOT, repeat=2)
            time.sleep(0.3)
            game.click(*SLOT)
            self.assertTrue(game.wait_until(lambda: game.board() == ["7", "7", "7"], 10))
            self.assertTrue(game.wait_until(lambda: controls(TITLE)[PRIZE][1] == "200", 10))
            self.assertEqual(texts_cut(TITLE), [], "the 777's texts whole")
            save_shot(game, dpi)
            paid = str(19 + prize - 1 + 200)
            watch = Watch(TITLE, PURSE, paid)
            game.press(*FAST_BUTTON)
            self.assertEqual(watch.changes()[-1][1:], (PURSE, paid))
            game.release()

            forget_mapped_windows()
            game.click(*RULES)
            info = wait_for_titled_window("Информация", timeout=10)
            self.assertIsNotNone(info)
            self.assertGreaterEqual(info.get_geometry().width, (310 * dpi + 48) // 96, "the info window grew")
            self.assertEqual(texts_cut("Информация"), [])
            game.key("Return")
            forget_mapped_windows()
            game.choose_from_menu(2)
            self.assertIsNotNone(wait_for_titled_window(ABOUT, timeout=10))
            self.assertEqual(texts_cut(ABOUT), [])
        finally:
            game.close()


@unittest.skipUnless(WINDOWS_BUILD and RELEASE, "no Windows build or release named")
class Installer(unittest.TestCase):
    """The released installer and uninstaller, silent and page by page, with the game running or not."""

    def setUp(self):
        self.drive = os.path.join(os.environ["WINEPREFIX"], "drive_c")
        self.user = os.path.join(self.drive, "users", getpass.getuser())
        self.money = os.path.join(self.user, "AppData", "Roaming", "Vertuno", "data1.ini")
        self.for_all = os.path.join(self.drive, "Program Files", "Vertuno")
        self.menu_for_all = os.path.join(self.drive, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                                         "Вертуно.lnk")
        self.desktop_for_all = os.path.join(self.drive, "users", "Public", "Desktop", "Вертуно.lnk")
        self.menu_for_me = os.path.join(self.user, "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                                        "Programs", "Вертуно.lnk")
        # Wine would copy the shortcuts into the Linux desktop's menu.
        self.env = {**os.environ,
                    "WINEDLLOVERRIDES": os.environ.get("WINEDLLOVERRIDES", "") + ";winemenubuilder.exe=d"}
        if os.path.exists(self.money):
            os.remove(self.money)
        self.addCleanup(self.remove_every_install)

    def remove_every_install(self):
        """So that a failed test leaves no install for the next to find and remember."""
        for root in ("HKLM", "HKCU"):
            subprocess.run([WINE, "reg", "delete", root + UNINSTALL_KEY, "/f"], capture_output=True, timeout=120)
        for folder in (self.for_all, os.path.join(self.drive, "Games"),
                       os.path.join(self.user, "AppData", "Local", "Programs", "Vertuno")):
            shutil.rmtree(folder, ignore_errors=True)
        for shortcut in (self.menu_for_all, self.desktop_for_all, self.menu_for_me):
            if os.path.exists(shortcut):
                os.remove(shortcut)

    def setup(self, *options):
        setup, = glob.glob(os.path.join(RELEASE, "vertuno-*-setup.exe"))
        return subprocess.run([WINE, setup, *options], env=self.env, timeout=120).returncode

    def uninstall(self, folder):
        """Uninstalls silently; the uninstaller runs from a copy of itself, so the folder goes a
        little after it returns."""
        subprocess.run([WINE, os.path.join(folder, "uninstall.exe"), "/S"], env=self.env, check=True, timeout=120)
        self.assertTrue(gone(folder), f"nothing left in {folder}")

    def entry(self, root):
        """The Apps & features entry, as text, or None. Exported, as Wine's console would print
        its name in question marks."""
        exported = os.path.join(tempfile.mkdtemp(prefix="vertuno-e2e-"), "entry.reg")
        done = subprocess.run([WINE, "reg", "export", root + UNINSTALL_KEY, exported, "/y"], capture_output=True,
                              timeout=120)
        said = None
        if done.returncode == 0:
            with open(exported, encoding="utf-16") as f:
                said = f.read()
        shutil.rmtree(os.path.dirname(exported))
        return said

    def start(self, folder):
        return Game(program_folder=folder, program="vertuno.exe", runner=[WINE], env=self.env)

    def play_once(self, game, money=1000):
        """One play on a machine that had that money; the money it leaves, once saved."""
        game.wait_for_first_paint()
        game.click(*SLOT)
        # The board is watched from the click on: a slow read of the purse first could miss the chase.
        landing = game.landed()
        self.assertIsNotNone(landing, "the play landed")
        prize = prize_for(landing[2])
        self.assertTrue(game.wait_until(lambda: controls(TITLE)[PURSE][1] == str(19 + prize),
                                        count_out_seconds(prize)),
                        "a coin went in and the prize came out")
        return money + 1 - prize

    def assert_money(self, money):
        with open(self.money, "rb") as f:
            self.assertEqual(f.read(), f"{money}\r\n".encode())

    def test_an_install_and_an_uninstall_close_the_running_game_which_saves(self):
        self.assertEqual(self.setup("/S"), 0)
        self.assertEqual(sorted(os.listdir(self.for_all)), ["LICENSE.txt", "README.txt", "click.wav", "installed",
                                                            "sound.wav", "uninstall.exe", "vertuno.exe"])
        said = self.entry("HKLM")
        for value in ('"DisplayName"="Вертуно"', '"Publisher"="The Vertuno developers"', '"DisplayVersion"="1.0.0"',
                      '"EstimatedSize"=dword:', '"DisplayIcon"="C:\\\\Program Files\\\\Vertuno\\\\vertuno.exe,0"'):
            self.assertIn(value, said)
        self.assertTrue(os.path.exists(self.desktop_for_all))

        game = StartedGame([WINE, "start", "/unix", self.menu_for_all], self.env)
        try:
            money = self.play_once(game)
            # Installing over it closes it as the desktop would: it saves, and its files are replaced.
            self.assertEqual(self.setup("/S"), 0)
            self.assertTrue(game.wait_until(lambda: not shown(TITLE), 20), "the installer closed the game")
        finally:
            game.close()
        self.assert_money(money)
        self.assertEqual(len(os.listdir(self.for_all)), 7)

        game = self.start(self.for_all)
        try:
            money = self.play_once(game, money)
            self.uninstall(self.for_all)
            self.assertEqual(game.wait_exit(timeout=20), 0, "the uninstaller closed the game")
        finally:
            game.close()
        self.assert_money(money)
        self.assertFalse(os.path.exists(self.menu_for_all))
        self.assertFalse(os.path.exists(self.desktop_for_all))
        self.assertIsNone(self.entry("HKLM"))

    def test_the_pages_lead_from_the_welcome_to_the_game(self):
        setup, = glob.glob(os.path.join(RELEASE, "vertuno-*-setup.exe"))
        forget_mapped_windows()
        process = subprocess.Popen([WINE, setup], env=self.env)
        try:
            window = wait_for_titled_window(INSTALLER, timeout=30)
            self.assertIsNotNone(window, "the installer's window")
            pages = [("welcome", "Вас приветствует мастер установки Вертуно"), ("licence", "Принимаю"),
                     ("choices", "Создать ярлык на рабочем столе"), ("folder", r"C:\Program Files\Vertuno"),
                     ("finish", "&Запустить Вертуно")]
            for page, text in pages:
                self.assertTrue(Game.wait_until(None, lambda: text in window_text(INSTALLER + "*"), 30),
                                page)
                # Its picture, for the README.
                subprocess.run(["import", "-window", str(window.id), os.path.join(WINDOWS_BUILD, f"installer-{page}.png")],
                               check=True)
                if page != "finish":
                    xdotool("key", "Return")
            # "Готово" with the box left ticked starts the game.
            game = StartedGame(["xdotool", "key", "Return"], self.env)
            try:
                self.assertEqual(process.wait(timeout=30), 0)
                self.assertTrue(os.path.exists(self.desktop_for_all))
                game.choose_from_menu(3)
                self.assertTrue(game.wait_until(lambda: not shown(TITLE), 20), "the game ended")
            finally:
                game.close()
        finally:
            process.kill()
        self.uninstall(self.for_all)

    def test_a_player_installs_for_self_alone_with_no_administrator(self):
        setup, = glob.glob(os.path.join(RELEASE, "vertuno-*-setup.exe"))
        with open(setup, "rb") as f:
            manifest = f.read()
        self.assertTrue(b'<requestedExecutionLevel level="asInvoker"' in manifest, "started as the player")
        self.assertTrue(b'WindowsSettings">true</dpiAware>' in manifest, "drawn at the display's scale")

        self.assertEqual(self.setup("/S", "/CURRENTUSER", "/NODESKTOPSHORTCUT"), 0)
        mine = os.path.join(self.user, "AppData", "Local", "Programs", "Vertuno")
        self.assertIn("installed", os.listdir(mine))
        self.assertTrue(os.path.exists(self.menu_for_me))
        self.assertIn('"InstallLocation"="C:\\\\users\\\\', self.entry("HKCU"))
        self.assertIsNone(self.entry("HKLM"), "nothing written for every user")
        self.assertFalse(os.path.exists(self.for_all))
        self.assertFalse(os.path.exists(self.menu_for_all))
        self.assertFalse(os.path.exists(self.desktop_for_all))
        self.uninstall(mine)
        self.assertFalse(os.path.exists(self.menu_for_me))
        self.assertIsNone(self.entry("HKCU"))

    def test_the_released_files_carry_the_last_commits_date(self):
        # What makes two builds of one commit give the same bytes.
        said = subprocess.run(["git", "-C", os.path.dirname(__file__), "log", "-1", "--format=%ct"],
                              capture_output=True, text=True)
        if said.returncode != 0:
            self.skipTest("not a git checkout")
        committed = int(said.stdout)
        with open(os.path.join(released_program(), "vertuno.exe"), "rb") as f:
            exe = f.read()
        header = int.from_bytes(exe[0x3C:0x40], "little")
        self.assertEqual(int.from_bytes(exe[header + 8:header + 12], "little"), committed, "the exe's timestamp")
        zip_path, = glob.glob(os.path.join(RELEASE, "vertuno-*-windows-x64.zip"))
        with zipfile.ZipFile(zip_path) as archive:
            dates = {calendar.timegm(entry.date_time + (0, 0, 0)) for entry in archive.infolist()}
        # A zip keeps even seconds.
        self.assertTrue(dates <= {committed - committed % 2, committed + committed % 2}, f"the zip's dates: {dates}")

    def test_a_folder_of_the_players_choice_keeps_money_per_player_and_is_remembered(self):
        chosen = os.path.join(self.drive, "Games", "Vertuno")
        self.assertEqual(self.setup("/S", r"/D=C:\Games\Vertuno"), 0)
        game = self.start(chosen)
        try:
            money = self.play_once(game)
            game.choose_from_menu(3)
            self.assertEqual(game.wait_exit(timeout=20), 0)
        finally:
            game.close()
        self.assert_money(money)
        self.assertNotIn("data1.ini", os.listdir(chosen), "kept for each player, not for the folder")

        # The next install goes where the last one went, and one to another folder moves it there.
        self.assertEqual(self.setup("/S"), 0)
        self.assertFalse(os.path.exists(self.for_all))
        self.assertIn(r'"InstallLocation"="C:\\Games\\Vertuno"', self.entry("HKLM"))
        self.assertEqual(self.setup("/S", r"/D=C:\Games\Вертуно"), 0)
        self.assertTrue(gone(chosen), "no copy left without its entry")
        moved = os.path.join(self.drive, "Games", "Вертуно")
        self.uninstall(moved)
        self.assertEqual(os.listdir(os.path.join(self.drive, "Games")), [])
        self.assertIsNone(self.entry("HKLM"))
        self.assert_money(money)


if __name__ == "__main__":
    unittest.main()
