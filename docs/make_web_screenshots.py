"""The page's screenshots in docs/, taken in headless Chromium from the folder
scripts/build_web.sh made:  /usr/bin/python3 docs/make_web_screenshots.py"""
import os
import sys

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

DOCS = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(DOCS, "..", "tests", "web"))
import test_page as page  # noqa: E402


def shoot(scale, name, show=None):
    browser = page.Browser(f"--force-device-scale-factor={scale}", "--window-size=520,560")
    try:
        browser.open()
        if show:
            show(browser)
        browser.driver.save_screenshot(os.path.join(DOCS, name))
    finally:
        browser.quit()


def statistics(browser):
    browser.click("Label3")
    page.wait_until(browser.info_shown, 5)


def menu(browser):
    cabinet = browser.driver.find_element(By.ID, "cabinet")
    ActionChains(browser.driver).move_to_element_with_offset(cabinet, -30, -60).context_click().perform()
    page.wait_until(lambda: browser.driver.find_elements(By.CLASS_NAME, "menu-item"), 5)


def demo(browser):
    demo_face = "return !document.querySelectorAll('.face')[1].hidden"
    page.wait_until(lambda: browser.js(demo_face) and all(d.isdigit() for d in browser.board()), 45, step=0.1)


page.setUpModule()
try:
    shoot(1, "web-cabinet.png")
    shoot(2, "web-cabinet-2x.png")
    shoot(1, "web-info-window.png", statistics)
    shoot(1, "web-menu.png", menu)
    shoot(1, "web-demo.png", demo)
finally:
    page.tearDownModule()
