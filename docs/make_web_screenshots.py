"""The page's screenshots in docs/, taken in headless Chromium from the folder
scripts/build_web.sh made, and the page in an app window of its own under Xvfb and openbox:
/usr/bin/python3 docs/make_web_screenshots.py"""
import os
import subprocess
import sys
import tempfile
import time

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


def phone():
    """A phone held upright, its menu opened by a long press."""
    browser = page.Phone()
    try:
        browser.open()
        browser.finger("touchStart", browser.cabinet_point(*page.BARE_CABINET))
        page.wait_until(lambda: browser.shown("menu-shade"), 5)
        browser.finger("touchEnd")
        shot = os.path.join(DOCS, "web-phone.png")
        browser.driver.save_screenshot(shot)
        subprocess.run(["convert", shot, "-resize", "50%", shot], check=True)  # the phone's 3 pixels a pixel
    finally:
        browser.quit()


def installed():
    """The page as the browser shows an installed app: a window of its own, no browser around it."""
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "480x560x24", "-nolisten", "tcp"],
                            pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    os.environ["DISPLAY"] = ":" + os.read(read_end, 16).decode().strip()
    manager = subprocess.Popen(["openbox"], stderr=subprocess.DEVNULL)
    profile = tempfile.mkdtemp(prefix="vertuno-app-")
    options = page.webdriver.ChromeOptions()
    for argument in ("--no-sandbox", f"--user-data-dir={profile}", f"--app={page.address}", "--window-size=300,480",
                     "--window-position=90,30", "--no-first-run", "--password-store=basic"):
        options.add_argument(argument)
    options.add_experimental_option("excludeSwitches", ["enable-automation"])
    driver = page.webdriver.Chrome(service=page.Service("/usr/bin/chromedriver"), options=options)
    try:
        page.wait_until(lambda: driver.execute_script("return !document.getElementById('cabinet').hidden"), 20)
        time.sleep(1)  # the window manager's frame
        subprocess.run(["import", "-window", "root", os.path.join(DOCS, "web-installed.png")], check=True)
    finally:
        driver.quit()
        manager.kill()
        xvfb.kill()


page.setUpModule()
try:
    shoot(1, "web-cabinet.png")
    shoot(2, "web-cabinet-2x.png")
    shoot(1, "web-info-window.png", statistics)
    shoot(1, "web-menu.png", menu)
    shoot(1, "web-demo.png", demo)
    phone()
    installed()
finally:
    page.tearDownModule()
