"""The machine's page in a headless Chromium, driven as a player would, against the folder
scripts/build_web.sh makes (VERTUNO_WEB_BUILD, default build-web), served on 127.0.0.1."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from game import prize_for  # noqa: E402

BUILD = os.environ.get("VERTUNO_WEB_BUILD", os.path.join(os.path.dirname(__file__), "../../build-web"))
SITE = os.path.join(BUILD, "vertuno")
STORAGE_KEY = "vertuno.data1.ini"  # as the README names it
# Points of the cabinet: the purse, a prize line and a board cell keep their presses.
PURSE_TEXT, PRIZE_LINE, BOARD_CELL, BARE_CABINET = (70, 312), (84, 274), (84, 98), (30, 200)
server = None
address = None


def setUpModule():
    global server, address
    server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1", "0"],
                              cwd=SITE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    port = re.search(r"port (\d+)", server.stdout.readline()).group(1)
    address = f"http://127.0.0.1:{port}/"


def tearDownModule():
    server.kill()
    server.wait()


def wait_until(condition, timeout, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


class Browser:
    """One Chromium with a profile of its own: its tabs share the machine's storage."""

    def __init__(self, *arguments):
        self.profile = tempfile.mkdtemp(prefix="vertuno-web-")
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--window-size=600,700",
                         f"--user-data-dir={self.profile}", *arguments):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def open(self):
        self.driver.get(address)
        return self.wait_for_cabinet()

    def wait_for_cabinet(self):
        return wait_until(lambda: self.js("return !document.getElementById('cabinet').hidden"), 20)

    def named(self, name, within="#cabinet"):
        return self.driver.find_element(By.CSS_SELECTOR, f'{within} [data-name="{name}"]')

    def counter(self, name):
        return self.js("return arguments[0].textContent", self.named(name, within='[data-name="Form2"]'))

    def text(self, name):
        return self.js("return arguments[0].textContent", self.named(name))

    def info_shown(self):
        return self.js("return !document.querySelector('[data-name=Form2]').hidden")

    def board(self):
        return self.named("Board").get_attribute("aria-label").split(": ")[1].split(" ")

    def purse(self):
        return int(self.text("Label2"))

    def click(self, name):
        ActionChains(self.driver).click(self.named(name)).perform()

    def double_click(self, name):
        # WebDriver's own double-click sends two single clicks here; a player's has a count of 2.
        x, y = self.js("const r = arguments[0].getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]",
                       self.named(name))
        for count in (1, 2):
            for kind in ("mousePressed", "mouseReleased"):
                self.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y,
                                                                         "button": "left", "clickCount": count})

    def landed(self, timeout=15):
        """The combination the play just started stops on: the chase first, then three digits;
        when the first two match and the third differs, the right cell turns once more."""
        complete = lambda: all(d.isdigit() for d in self.board())
        assert wait_until(lambda: not complete(), timeout, step=0.01), "the board never turned"
        assert wait_until(complete, timeout), "the board never landed"
        first = self.board()
        if first[0] == first[1] != first[2]:
            wait_until(lambda: not complete(), 5, step=0.01)
            assert wait_until(complete, timeout)
        return "".join(self.board())

    def storage(self):
        return self.js("return localStorage.getItem(arguments[0])", STORAGE_KEY)

    def at(self, x, y):
        """The pointer over a point of the cabinet; WebDriver counts from the element's middle."""
        cabinet = self.driver.find_element(By.ID, "cabinet")
        return ActionChains(self.driver).move_to_element_with_offset(cabinet, x - cabinet.size["width"] // 2,
                                                                     y - cabinet.size["height"] // 2)

    def choose_from_menu(self, text):
        self.at(*BARE_CABINET).context_click().perform()  # a text would keep its press
        item = wait_until(lambda: [i for i in self.driver.find_elements(By.CLASS_NAME, "menu-item")
                                   if i.text == text and i.is_displayed()], 5)
        item[0].click()

    def errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]


class Page(unittest.TestCase):
    def setUp(self):
        self.browser = Browser()
        self.assertTrue(self.browser.open(), "the cabinet never showed")

    def tearDown(self):
        self.browser.quit()

    def test_loads_cleanly_and_only_the_outline_is_the_cabinet(self):
        b = self.browser
        self.assertEqual(b.errors(), [])
        left, top = b.js("const r = document.getElementById('cabinet').getBoundingClientRect(); return [r.left, r.top]")
        inside_cabinet = "return document.getElementById('cabinet').contains(document.elementFromPoint(arguments[0], arguments[1]))"
        # Inside the cabinet's box but outside its outline: the corners above the slanted top.
        self.assertFalse(b.js(inside_cabinet, left + 125, top + 6))
        self.assertFalse(b.js(inside_cabinet, left + 5, top + 200))
        self.assertTrue(b.js(inside_cabinet, left + 107, top + 140))

    def test_a_play_takes_a_coin_and_pays_what_the_judging_says(self):
        b = self.browser
        self.assertEqual(b.purse(), 20)
        b.click("Label1")
        self.assertTrue(wait_until(lambda: b.purse() == 19, 5))
        combination = b.landed()
        won = prize_for(combination)
        self.assertTrue(wait_until(lambda: b.purse() == 19 + won, 20), f"{combination} left the purse at {b.purse()}")
        b.click("Label3")
        self.assertTrue(wait_until(b.info_shown, 5))
        counters = {"Label7": 1, "Label9": won, "Label11": 1001 - won, "Label12": 1 - won}
        self.assertEqual({name: int(b.counter(name)) for name in counters}, counters)
        self.assertEqual(b.errors(), [], "the click's and the coins' sounds play without a complaint")

    def test_a_forced_777_is_counted_out_to_200(self):
        b = self.browser
        b.double_click("Label7")
        b.click("Label1")
        self.assertEqual(b.landed(), "777")
        self.assertTrue(wait_until(lambda: b.text("Label5") == "200", 5))
        # The tray held, the count runs at full speed.
        ActionChains(b.driver).click_and_hold(b.named("Label8")).perform()
        self.assertTrue(wait_until(lambda: b.purse() == 219, 20), f"the purse holds {b.purse()}")
        ActionChains(b.driver).release().perform()

    def test_texts_keep_their_presses_a_drag_moves_and_a_press_raises_the_cabinet(self):
        b = self.browser
        cabinet = b.driver.find_element(By.ID, "cabinet")
        menu_shown = "return !document.getElementById('menu-shade').hidden"
        for name, point in (("the purse", PURSE_TEXT), ("the prize line", PRIZE_LINE), ("the board", BOARD_CELL)):
            b.at(*point).context_click().perform()
            self.assertFalse(wait_until(lambda: b.js(menu_shown), 0.5), f"a right press on {name} opened the menu")
        where = lambda: b.js("const r = arguments[0].getBoundingClientRect(); return [r.left, r.top]", cabinet)
        before = where()
        b.at(*PURSE_TEXT).click_and_hold().move_by_offset(20, 10).release().perform()
        self.assertEqual(where(), before, "a drag from a text moves nothing")
        b.at(*BARE_CABINET).click_and_hold().move_by_offset(20, 10).move_by_offset(10, 5).release().perform()
        self.assertTrue(wait_until(lambda: where() == [before[0] + 30, before[1] + 15], 5), where())

        b.click("Label3")
        self.assertTrue(wait_until(b.info_shown, 5))
        info = b.driver.find_element(By.CSS_SELECTOR, '[data-name="Form2"]')
        in_front = "return +getComputedStyle(arguments[0]).zIndex > +getComputedStyle(arguments[1]).zIndex"
        self.assertTrue(b.js(in_front, info, cabinet))
        b.at(30, 40).click().perform()  # above the info window, which covers the cabinet's middle
        self.assertTrue(wait_until(lambda: b.js(in_front, cabinet, info), 5), "the cabinet came in front")
        ActionChains(b.driver).send_keys_to_element(b.named("Command1", within='[data-name="Form2"]'), "\ue00c") \
            .perform()
        self.assertTrue(wait_until(lambda: not b.info_shown(), 5), "Escape closes the info window")
        self.assertEqual(b.errors(), [])

    def test_the_money_outlasts_a_reload_and_exit_saves_it(self):
        b = self.browser
        b.click("Label1")
        b.landed()
        b.click("Label3")
        self.assertTrue(wait_until(b.info_shown, 5))
        money = wait_until(lambda: b.counter("Label11") not in ("", "500") and b.counter("Label11"), 5)
        b.driver.refresh()
        self.assertTrue(b.wait_for_cabinet())
        self.assertEqual(b.storage(), money + "\r\n")
        b.choose_from_menu("Статистика")
        self.assertTrue(wait_until(lambda: b.info_shown() and b.counter("Label11") == money, 5))
        b.named("Command1", within='[data-name="Form2"]').click()
        self.assertTrue(wait_until(lambda: not b.info_shown(), 5))
        # The page reads its storage afresh as the desktop game reads its file, and a save writes
        # a whole line back.
        b.js("localStorage.setItem(arguments[0], '777')", STORAGE_KEY)
        b.choose_from_menu("Выход")
        self.assertTrue(wait_until(lambda: b.js("return !document.getElementById('switched-off').hidden"), 5))
        self.assertEqual(b.storage(), "777\r\n")
        self.assertFalse(b.js("return document.getElementById('cabinet').offsetParent !== null"))

    def test_a_second_tab_is_refused_and_can_take_the_machine_over(self):
        b = self.browser
        first = b.driver.current_window_handle
        b.driver.switch_to.new_window("tab")
        b.driver.get(address)
        elsewhere = "return !document.getElementById('elsewhere').hidden"
        self.assertTrue(wait_until(lambda: b.js(elsewhere), 5))
        self.assertTrue(b.js("return document.getElementById('cabinet').hidden"))
        b.driver.find_element(By.ID, "take-over").click()
        self.assertTrue(b.wait_for_cabinet())
        b.driver.switch_to.window(first)
        self.assertTrue(wait_until(lambda: b.js(elsewhere), 5))
        self.assertEqual(b.errors(), [])


class Idle(unittest.TestCase):
    def test_the_demo_comes_after_about_26_idle_seconds(self):
        b = Browser()
        try:
            self.assertTrue(b.open())
            started = time.monotonic()
            demo_face = "return !document.querySelectorAll('.face')[1].hidden"
            self.assertFalse(b.js(demo_face))
            # Left open, the menu closes when the demo starts.
            b.at(*BARE_CABINET).context_click().perform()
            self.assertTrue(wait_until(lambda: b.js("return !document.getElementById('menu-shade').hidden"), 5))
            self.assertTrue(wait_until(lambda: b.js(demo_face), 40, step=0.2))
            self.assertTrue(b.js("return document.getElementById('menu-shade').hidden"), "the demo closed the menu")
            self.assertGreater(time.monotonic() - started, 24)
            self.assertTrue(b.js("return arguments[0].hidden", b.named("Label2")), "the purse hides in the demo")
        finally:
            b.quit()


if __name__ == "__main__":
    unittest.main()
