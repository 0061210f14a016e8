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
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "e2e"))
from game import prize_for  # noqa: E402

BUILD = os.environ.get("VERTUNO_WEB_BUILD", os.path.join(os.path.dirname(__file__), "../../build-web"))
SITE = os.path.join(BUILD, "vertuno")
STORAGE_KEY = "vertuno.data1.ini"  # as the README names it
# Points of the cabinet: the purse, a prize line and a board cell keep their presses.
PURSE_TEXT, PRIZE_LINE, BOARD_CELL, BARE_CABINET = (70, 312), (84, 274), (84, 98), (30, 200)
SHOWN = "return !document.getElementById(arguments[0]).hidden"
# Every sound the page starts, with the state of its audio context then.
HEAR = """window.heard = [];
const start = AudioBufferSourceNode.prototype.start;
AudioBufferSourceNode.prototype.start = function (...rest) { heard.push(this); return start.apply(this, rest); };"""
server = None
address = None


def serve(folder):
    """A web server for a folder on 127.0.0.1, and its address."""
    process = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1", "0"],
                               cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    port = re.search(r"port (\d+)", process.stdout.readline()).group(1)
    return process, f"http://127.0.0.1:{port}/"


def stop(process):
    process.kill()
    process.wait()
    process.stdout.close()


def setUpModule():
    global server, address
    server, address = serve(SITE)


def tearDownModule():
    stop(server)


def wait_until(condition, timeout, step=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def count_out_seconds(prize):
    """How long a prize may take to be counted out at its own pace: some 50 ms a coin, so a 400
    takes over 20 s."""
    return 10 + prize / 10


class Browser:
    """One Chromium with a profile of its own: its tabs share the machine's storage."""

    def __init__(self, *arguments, prefs=None):
        self.profile = tempfile.mkdtemp(prefix="vertuno-web-")
        options = webdriver.ChromeOptions()
        for argument in ("--headless=new", "--no-sandbox", "--window-size=600,700",
                         f"--user-data-dir={self.profile}", *arguments):
            options.add_argument(argument)
        if prefs:
            options.add_experimental_option("prefs", prefs)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.cdp("Page.addScriptToEvaluateOnNewDocument", source=HEAR)

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def cdp(self, command, **parameters):
        return self.driver.execute_cdp_cmd(command, parameters)

    def open(self, url=None):
        self.driver.get(url or address)
        return self.wait_for_cabinet()

    def wait_for_cabinet(self):
        return wait_until(lambda: self.js("const c = document.getElementById('cabinet'); return c && !c.hidden"), 20)

    def shown(self, id):
        return self.js(SHOWN, id)

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

    def middle(self, element):
        return self.js("const r = arguments[0].getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]",
                       element)

    def double_click(self, name):
        # WebDriver's own double-click sends two single clicks here; a player's has a count of 2.
        x, y = self.middle(self.named(name))
        for count in (1, 2):
            for kind in ("mousePressed", "mouseReleased"):
                self.cdp("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=count)

    def play(self, press=None, timeout=15):
        """Starts a play, by a click on the slot unless told how, and returns the combination it
        stops on: the board leaves what it showed, then holds three digits; when the first two
        match and the third differs, the right cell turns once more. A busy machine may run the
        whole chase between two looks, so a board that has already landed counts as turned."""
        before = self.board()
        (press or (lambda: self.click("Label1")))()
        complete = lambda: all(d.isdigit() for d in self.board())
        assert wait_until(lambda: self.board() != before, timeout, step=0.01), "the board never turned"
        assert wait_until(complete, timeout), "the board never landed"
        first = self.board()
        if first[0] == first[1] != first[2]:
            wait_until(lambda: not complete(), 5, step=0.01)
            assert wait_until(complete, timeout)
        return "".join(self.board())

    def storage(self):
        return self.js("return localStorage.getItem(arguments[0])", STORAGE_KEY)

    def cabinet_box(self):
        return self.js("const r = document.getElementById('cabinet').getBoundingClientRect();"
                       "return [r.left, r.top, r.right, r.bottom, innerWidth, innerHeight]")

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

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def errors(self):
        return [entry for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]

    def sounds_heard(self):
        """How many sounds started, and whether the page's audio is running now."""
        return self.js("return [heard.length, heard.length > 0 && heard[0].context.state === 'running']")


class Phone(Browser):
    """A phone held upright: 360 x 640 at three device pixels a pixel, a touch screen only."""

    def __init__(self):
        super().__init__()
        self.cdp("Emulation.setDeviceMetricsOverride", width=360, height=640, deviceScaleFactor=3, mobile=True)
        self.cdp("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)

    def finger(self, kind, point=None):
        self.cdp("Input.dispatchTouchEvent", type=kind, touchPoints=[{"x": point[0], "y": point[1]}] if point else [])

    def tap(self, point):
        self.finger("touchStart", point)
        self.finger("touchEnd")

    def cabinet_point(self, x, y):
        left, top, right, bottom, _, _ = self.cabinet_box()
        return [left + x * (right - left) / 128, top + y * (bottom - top) / 378]


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
        combination = b.play()
        self.assertEqual(b.purse(), 19)
        won = prize_for(combination)
        self.assertTrue(wait_until(lambda: b.purse() == 19 + won, count_out_seconds(won)),
                        f"{combination} left the purse at {b.purse()}")
        b.click("Label3")
        self.assertTrue(wait_until(b.info_shown, 5))
        counters = {"Label7": 1, "Label9": won, "Label11": 1001 - won, "Label12": 1 - won}
        self.assertEqual({name: int(b.counter(name)) for name in counters}, counters)
        self.assertEqual(b.errors(), [], "the click's and the coins' sounds play without a complaint")

    def test_a_forced_777_is_counted_out_to_200(self):
        b = self.browser
        b.double_click("Label7")
        self.assertEqual(b.play(), "777")
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
        b.play()
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

    def test_a_take_over_holds_both_ways(self):
        take_over_both_ways(self, self.browser, address)

    def test_going_back_to_the_page_plays_on(self):
        b = self.browser
        won = prize_for(b.play())
        self.assertTrue(wait_until(lambda: b.purse() == 19 + won, count_out_seconds(won)))
        b.driver.get(address + "icon.svg")
        b.driver.back()
        self.assertTrue(b.wait_for_cabinet())
        self.assertEqual(b.purse(), 19 + won, "the page came back as it was")
        b.click("Label1")
        self.assertTrue(wait_until(lambda: b.purse() == 18 + won, 5), "and plays on")
        b.driver.switch_to.new_window("tab")
        b.driver.get(address)
        self.assertTrue(wait_until(lambda: b.shown("elsewhere"), 5), "it holds the claim again")

    def test_the_cabinet_stays_whole_inside_the_viewport(self):
        b = self.browser
        inside = lambda box: 0 <= box[0] and 0 <= box[1] and box[2] <= box[4] and box[3] <= box[5]
        left, top, right, bottom, width, height = b.cabinet_box()
        self.assertEqual((right - left, bottom - top), (128, 378), "at 96 dpi it keeps its size")
        # Pressed 30 px in from its left edge, dragged to 5 px from the page's: the edge stops it.
        b.at(*BARE_CABINET).click_and_hold().move_by_offset(5 - left - 30, height - 5 - top - 200).release().perform()
        self.assertTrue(wait_until(lambda: b.cabinet_box()[0] == 0 and b.cabinet_box()[3] == height, 5), b.cabinet_box())
        # A smaller window, then the test's own window at twice the zoom: the cabinet shrinks as a
        # whole, centred, with its board drawn for the pixels it now covers.
        for width, height, zoom in ((300, 300, 1), (300, 350, 2)):
            b.cdp("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=zoom, mobile=False)
            self.assertTrue(wait_until(lambda: inside(b.cabinet_box()) and b.cabinet_box()[3] - b.cabinet_box()[1] == height, 5),
                            b.cabinet_box())
            left, top, right, bottom, width, height = b.cabinet_box()
            self.assertAlmostEqual(left, (width - (right - left)) / 2, delta=1)
            purse = b.middle(b.named("Label2"))
            self.assertTrue(b.js("return document.elementFromPoint(...arguments).closest('#cabinet') !== null", *purse))
            self.assertTrue(wait_until(lambda: b.js("return [...document.querySelectorAll('.cell')].every("
                                                    "(c) => c.width >= c.getBoundingClientRect().width * devicePixelRatio)"), 5))

    def test_the_keyboard_alone_plays_and_reaches_every_menu_item(self):
        b = self.browser
        b.keys(Keys.TAB)
        self.assertEqual(b.js("return document.activeElement.dataset.name"), "Label1", "the slot comes first")
        b.play(lambda: b.keys(Keys.ENTER))
        self.assertEqual(b.purse(), 19)
        about_shown = lambda: b.js("return !document.querySelector('[data-name=Form3]').hidden")
        ActionChains(b.driver).key_down(Keys.SHIFT).send_keys(Keys.F10).key_up(Keys.SHIFT).perform()
        self.assertTrue(wait_until(lambda: b.shown("menu-shade"), 5))
        b.keys(Keys.ARROW_DOWN, Keys.ENTER)
        self.assertTrue(wait_until(about_shown, 5), "\"О программе...\"")
        b.keys(Keys.ESCAPE)
        self.assertTrue(wait_until(lambda: not about_shown(), 5))
        for kind in ("rawKeyDown", "keyUp"):  # the context-menu key, which WebDriver cannot name
            b.cdp("Input.dispatchKeyEvent", type=kind, key="ContextMenu", code="ContextMenu", windowsVirtualKeyCode=93)
        self.assertTrue(wait_until(lambda: b.shown("menu-shade"), 5))
        b.keys(Keys.ARROW_UP, Keys.ENTER)  # round from the first item to the last
        self.assertTrue(wait_until(lambda: b.shown("switched-off"), 5), "\"Выход\"")
        self.assertEqual(b.errors(), [])

    def test_screen_readers_hear_each_part_and_escape_answers_a_box(self):
        b = self.browser
        def read():
            nodes = b.cdp("Accessibility.getFullAXTree")["nodes"]
            return [(n["role"]["value"], n.get("name", {}).get("value", "")) for n in nodes if not n["ignored"]]
        shown = read()
        self.assertIn(("image", "Монеты игрока: 20"), shown)
        self.assertIn(("image", "Табло: - - -"), shown)
        self.assertNotIn("canvas", [role for role, _ in shown], "the board's cells are read as the board")
        # A full storage makes "Выход" warn: the box is named by its title and its icon says nothing.
        b.js("Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); }")
        b.choose_from_menu("Выход")
        self.assertTrue(wait_until(lambda: b.js("return document.getElementById('message').open"), 5))
        shown = read()
        self.assertIn(("dialog", b.js("return document.getElementById('message-title').textContent")), shown)
        self.assertFalse([name for _, name in shown if name == "!"], shown)
        # Escape gives the box's last answer: the warning taken, the machine goes off.
        b.keys(Keys.ESCAPE)
        self.assertTrue(wait_until(lambda: b.shown("switched-off"), 5))


def take_over_both_ways(test, b, url):
    """The tab that takes the machine keeps it well past the moment a force would have come,
    and its plays are saved; the tab that gave it up takes it back the same way."""
    first = b.driver.current_window_handle
    b.driver.switch_to.new_window("tab")
    second = b.driver.current_window_handle
    b.driver.get(url)
    test.assertTrue(wait_until(lambda: b.shown("elsewhere"), 5))
    test.assertFalse(b.shown("cabinet"))
    for taker, giver in ((second, first), (first, second)):
        b.driver.switch_to.window(taker)
        b.driver.find_element(By.ID, "take-over").click()
        taken = time.monotonic()
        test.assertTrue(b.wait_for_cabinet(), "the machine came over")
        b.driver.switch_to.window(giver)
        test.assertTrue(wait_until(lambda: b.shown("elsewhere"), 5))
        b.driver.switch_to.window(taker)
        b.play()
        b.click("Label3")
        money = wait_until(lambda: b.info_shown() and b.counter("Label11"), 5)
        test.assertFalse(wait_until(lambda: not b.shown("cabinet"), taken + 10 - time.monotonic()),
                         "the machine stays where it was taken")
        b.named("Command1", within='[data-name="Form2"]').click()
        test.assertTrue(wait_until(lambda: b.storage() == money + "\r\n", 5), "its plays are saved")
    b.driver.switch_to.window(second)
    b.driver.find_element(By.ID, "take-over").click()
    test.assertTrue(b.wait_for_cabinet(), "and the first taker may take it again")
    test.assertEqual(b.errors(), [])


class PlainHttp(unittest.TestCase):
    """Served by name over plain HTTP the page has no Web Locks: its tabs claim the machine over
    a channel the holder answers."""

    def test_two_tabs_without_web_locks_still_run_one_machine(self):
        b = Browser("--host-resolver-rules=MAP vertuno.test 127.0.0.1")
        try:
            url = address.replace("127.0.0.1", "vertuno.test")
            self.assertTrue(b.open(url))
            self.assertEqual(b.js("return [isSecureContext, 'locks' in navigator]"), [False, False])
            take_over_both_ways(self, b, url)
        finally:
            b.quit()


class OnAPhone(unittest.TestCase):
    def test_a_phone_plays_by_touch_and_reaches_the_menu(self):
        b = Phone()
        try:
            self.assertTrue(b.open())
            left, top, right, bottom, width, height = b.cabinet_box()
            self.assertEqual(b.js("return document.documentElement.scrollWidth"), width, "nothing widens the page")
            self.assertTrue(0 <= left and right <= width and 0 <= top and bottom <= height)
            self.assertGreater(bottom - top, 0.9 * height, "the cabinet fills the phone")
            won = prize_for(b.play(lambda: b.tap(b.middle(b.named("Label1")))))
            purse = 19 + won
            self.assertTrue(wait_until(lambda: b.sounds_heard()[1], 5), "a tap plays and is heard")
            self.assertTrue(wait_until(lambda: b.purse() == purse, count_out_seconds(won)))
            # A double tap arms the hidden spot; a finger held on the tray counts at full speed.
            for _ in range(2):
                b.tap(b.middle(b.named("Label7")))
            self.assertEqual(b.play(lambda: b.tap(b.middle(b.named("Label1")))), "777")
            b.finger("touchStart", b.middle(b.named("Label8")))
            self.assertTrue(wait_until(lambda: b.purse() == purse + 199, 20), f"the purse holds {b.purse()}")
            b.finger("touchEnd")
            # A long press opens the menu, which stays when the finger lifts; "Выход" is a tap away.
            b.finger("touchStart", b.cabinet_point(*BARE_CABINET))
            self.assertTrue(wait_until(lambda: b.shown("menu-shade"), 3))
            b.finger("touchEnd")
            self.assertTrue(b.shown("menu-shade"))
            b.tap(b.middle(next(i for i in b.driver.find_elements(By.CLASS_NAME, "menu-item") if i.text == "Выход")))
            self.assertTrue(wait_until(lambda: b.shown("switched-off"), 5))
            self.assertEqual(b.errors(), [])
        finally:
            b.quit()


class WhereNothingIsKept(unittest.TestCase):
    """Site data blocked, a sandboxed frame, a page opened from a file: the machine plays."""

    def test_with_site_data_blocked_it_plays_says_so_once_and_names_no_file(self):
        b = Browser(prefs={"profile.default_content_setting_values.cookies": 2})
        try:
            self.assertTrue(b.open())
            self.assertTrue(b.js("return document.getElementById('not-kept').open"))
            b.driver.find_element(By.ID, "kept-nowhere").click()
            b.play()
            b.choose_from_menu("Выход")
            self.assertTrue(wait_until(lambda: b.shown("switched-off"), 5))
            self.assertFalse(b.js("return document.getElementById('message').open"), "no word of a file")
            self.assertEqual(b.errors(), [])
        finally:
            b.quit()

    def test_in_a_sandboxed_frame_it_plays(self):
        folder = tempfile.mkdtemp(prefix="vertuno-frame-")
        with open(os.path.join(folder, "index.html"), "w") as frame:
            frame.write(f'<link rel="icon" href="data:,"><iframe sandbox="allow-scripts" width="400" height="600" src="{address}">')
        wrapper, wrapper_address = serve(folder)
        b = Browser()
        try:
            b.driver.get(wrapper_address)
            b.driver.switch_to.frame(wait_until(lambda: b.driver.find_elements(By.TAG_NAME, "iframe"), 5)[0])
            self.assertTrue(b.wait_for_cabinet())
            self.assertTrue(b.js("return document.getElementById('not-kept').open"))
            b.driver.find_element(By.ID, "kept-nowhere").click()
            b.click("Label1")
            self.assertTrue(wait_until(lambda: b.purse() == 19, 5))
        finally:
            b.quit()
            stop(wrapper)
            shutil.rmtree(folder)

    def test_opened_from_a_file_it_plays_and_sounds(self):
        b = Browser()
        try:
            self.assertTrue(b.open("file://" + os.path.abspath(os.path.join(SITE, "index.html"))))
            b.click("Label1")
            self.assertTrue(wait_until(lambda: b.purse() == 19, 5))
            self.assertTrue(wait_until(lambda: b.sounds_heard() == [1, True], 5))
            self.assertEqual(b.errors(), [])
        finally:
            b.quit()


class Installed(unittest.TestCase):
    def test_it_is_installable_and_after_one_visit_plays_offline(self):
        own, own_address = serve(SITE)
        b = Browser()
        try:
            self.assertTrue(b.open(own_address))
            b.driver.set_script_timeout(10)
            b.driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
            self.assertEqual(b.cdp("Page.getInstallabilityErrors")["installabilityErrors"], [])
            stop(own)
            b.cdp("Network.enable")
            b.cdp("Network.emulateNetworkConditions", offline=True, latency=0, downloadThroughput=-1, uploadThroughput=-1)
            b.driver.refresh()
            self.assertTrue(b.wait_for_cabinet())
            b.click("Label1")
            self.assertTrue(wait_until(lambda: b.purse() == 19, 5), "a paid play")
            self.assertTrue(wait_until(lambda: b.sounds_heard()[0] == 1, 5))
        finally:
            b.quit()
            if own.poll() is None:
                stop(own)


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
