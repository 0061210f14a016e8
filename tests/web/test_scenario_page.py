"""The shared scenario on the machine's page in headless Chromium: the pointer and the keys as the
browser's own input events, at points of the cabinet; what shows read from the page."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "..", "scenario")]
import scenario  # noqa: E402
import test_page  # noqa: E402

BUTTONS = {"left": 1, "right": 2}


def setUpModule():
    test_page.setUpModule()


def tearDownModule():
    test_page.tearDownModule()


class PageDriver:
    def __init__(self, browser):
        self.browser = browser
        self.start = self.corner()
        self.held = 0
        self.pointer = (0, 0)
        self.pressed_at = None

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def corner(self):
        return self.js("const r = document.getElementById('cabinet').getBoundingClientRect();"
                       "return [Math.round(r.left), Math.round(r.top)]")

    def mouse(self, kind, x, y, button="none", count=1):
        self.pointer = (x, y)
        self.browser.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {
            "type": kind, "x": x, "y": y, "button": button, "buttons": self.held, "clickCount": count})

    def down(self, x, y, button, count=1):
        self.mouse("mouseMoved", x, y)
        self.held |= BUTTONS[button]
        self.mouse("mousePressed", x, y, button, count)

    def up(self, button, count=1):
        self.held &= ~BUTTONS[button]
        self.mouse("mouseReleased", *self.pointer, button, count)

    def on_cabinet(self, x, y):
        left, top = self.corner()
        return left + x, top + y

    def click(self, x, y, button):
        self.down(*self.on_cabinet(x, y), button)
        self.up(button)

    def double_click(self, x, y):
        at = self.on_cabinet(x, y)
        for count in (1, 2):
            self.down(*at, "left", count)
            self.up("left", count)

    def press(self, x, y, button):
        self.pressed_at = self.on_cabinet(x, y)
        self.down(*self.pressed_at, button)

    def release(self, button):
        self.up(button)

    def move(self, dx, dy):
        self.mouse("mouseMoved", self.pressed_at[0] + dx, self.pressed_at[1] + dy)

    def key(self, name, window):
        """The player clicks into the window first, near its corner, then presses the key."""
        left, top = self.js("const r = document.querySelector(`[role=dialog][aria-label='${arguments[0]}']`)"
                            ".getBoundingClientRect(); return [r.left, r.top]", window)
        self.down(left + 4, top + 4, "left")
        self.up("left")
        for kind in ("keyDown", "keyUp"):
            self.browser.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": name, "code": name, "windowsVirtualKeyCode": 27 if name == "Escape" else 0})

    def choose(self, text, index):
        found = test_page.wait_until(lambda: self.js(
            "const item = [...document.querySelectorAll('.menu-item')].find(i => i.textContent === arguments[0]"
            " && i.offsetParent); if (!item) return null; const r = item.getBoundingClientRect();"
            " return [r.left + r.width / 2, r.top + r.height / 2]", text), 5)
        assert found, f"no menu item {text}"
        self.down(*found, "left")
        self.up("left")

    def shows(self, field, value):
        return getattr(self, field)(value)

    def board(self, value):
        reading = self.js("return document.querySelector('#cabinet [data-name=Board]').getAttribute('aria-label')")
        shown = reading[len(scenario.board_reading()):] if reading else None
        return shown == value, shown

    def purse(self, value):
        name = scenario.cabinet_texts()["PlayerCoins"]
        shown = self.js("const t = document.querySelector(`#cabinet [data-name=${arguments[0]}]`);"
                        "return t && !t.hidden ? t.textContent : null", name)
        return shown == value, shown

    def counters(self, value):
        shown = {counter: self.js("return document.querySelector("
                                  "`[data-name=Form2] [data-name=${arguments[0]}]`).textContent", control)
                 for counter, control in scenario.counter_controls().items()}
        return shown == value, shown

    def menu(self, value):
        open_ = self.js("return !document.getElementById('menu-shade').hidden")
        return open_ == value, open_

    def windows(self, value):
        shown = self.js("return [document.getElementById('cabinet'), ...document.querySelectorAll('[role=dialog]')]"
                        ".filter(w => !w.hidden).sort((a, b) => (+a.style.zIndex || 0) - (+b.style.zIndex || 0))"
                        ".map(w => w.getAttribute('aria-label'))")
        return shown == value, shown

    def moved(self, value):
        left, top = self.corner()
        way = [left - self.start[0], top - self.start[1]]
        return way == value, way

    def face(self, value):
        x, y = self.on_cabinet(*scenario.ON_THE_MAN)
        demo = self.js("return document.getElementById('cabinet').contains(document.elementFromPoint(arguments[0],"
                       " arguments[1]))", x, y)
        shown = "demo" if demo else "normal"
        return shown == value, shown


class PageScenario(unittest.TestCase):
    def test_the_shared_scenario(self):
        browser = test_page.Browser()
        try:
            self.assertTrue(browser.open(), "the cabinet never showed")
            scenario.replay(PageDriver(browser))
            self.assertEqual(browser.errors(), [])
        finally:
            browser.quit()


if __name__ == "__main__":
    unittest.main()
