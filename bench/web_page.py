"""Size and speed of the machine's page against a page that only draws one SVG, measured side
by side in one run in headless Chromium:  /usr/bin/python3 bench/web_page.py [BUILD]
BUILD is the folder scripts/build_web.sh made (default build-web)."""
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SITE = os.path.join(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-web"), "vertuno")
LOADS = 5
IDLE_SECONDS = 10
# The reference: the cabinet's own artwork, drawn by the browser and nothing else.
ONE_SVG_PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>one SVG</title></head>
<body><img src="cabinet.svg" alt="" elementtiming="cabinet"></body></html>"""
# When the cabinet's artwork was first painted, in ms after navigation, from the browser's own
# element timing.
FIRST_PAINT = """const done = arguments[0];
new PerformanceObserver((list) => {
  for (const entry of list.getEntries()) if (entry.identifier === 'cabinet') done(entry.renderTime);
}).observe({ type: 'element', buffered: true });"""
MACHINE_FILES = ["index.html", "page.js", "page.css", "vertuno.js", "vertuno.wasm"]


def gzipped(path):
    with open(path, "rb") as file:
        return len(gzip.compress(file.read(), 9))


def renderer_ticks(root_pid):
    """Processor ticks of every renderer process under this browser."""
    children = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                renderer = b"--type=renderer" in cmdline.read()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append((int(pid), renderer, int(fields[11]) + int(fields[12])))
    total, stack = 0, [root_pid]
    while stack:
        for pid, renderer, ticks in children.get(stack.pop(), []):
            total += ticks if renderer else 0
            stack.append(pid)
    return total


def measure(url):
    profile = tempfile.mkdtemp(prefix="vertuno-bench-")
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", f"--user-data-dir={profile}", "--window-size=600,700"):
        options.add_argument(argument)
    service = Service("/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_script_timeout(10)
    try:
        frames = []
        for _ in range(LOADS):
            driver.get("about:blank")
            driver.get(url)
            frames.append(driver.execute_async_script(FIRST_PAINT))
        time.sleep(1)
        hz = os.sysconf("SC_CLK_TCK")
        before = renderer_ticks(service.process.pid)
        time.sleep(IDLE_SECONDS)
        idle = (renderer_ticks(service.process.pid) - before) / hz / IDLE_SECONDS
        again = sorted(frames[1:])
        return frames[0], again[len(again) // 2], idle
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    reference = tempfile.mkdtemp(prefix="vertuno-one-svg-")
    shutil.copy(os.path.join(SITE, "cabinet.svg"), reference)
    with open(os.path.join(reference, "index.html"), "w") as page:
        page.write(ONE_SVG_PAGE)
    servers, addresses = [], []
    for folder in (SITE, reference):
        server = subprocess.Popen([sys.executable, "-u", "-m", "http.server", "--bind", "127.0.0.1", "0"],
                                  cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        servers.append(server)
        addresses.append("http://127.0.0.1:%s/" % re.search(r"port (\d+)", server.stdout.readline()).group(1))
    try:
        machine_size = sum(gzipped(os.path.join(SITE, name)) for name in MACHINE_FILES)
        one_svg_size = gzipped(os.path.join(reference, "index.html"))
        machine_cold, machine_frame, machine_idle = measure(addresses[0])
        one_svg_cold, one_svg_frame, one_svg_idle = measure(addresses[1])
    finally:
        for server in servers:
            server.kill()
        shutil.rmtree(reference, ignore_errors=True)
    print(f"{'':44} {'machine':>10} {'one SVG':>10} {'ratio':>7}")
    print(f"{'page, script, module (gzip -9, KB)':44} {machine_size / 1024:10.1f} {one_svg_size / 1024:10.1f} "
          f"{machine_size / one_svg_size:7.1f}")
    print(f"{'first frame, first visit (ms after navigation)':44} {machine_cold:10.0f} "
          f"{one_svg_cold:10.0f} {machine_cold / one_svg_cold:7.2f}")
    print(f"{'first frame, visits again (ms, median of %d)' % (LOADS - 1):44} {machine_frame:10.0f} "
          f"{one_svg_frame:10.0f} {machine_frame / one_svg_frame:7.2f}")
    print(f"{'renderer processor while idle (%% of a core, %d s)' % IDLE_SECONDS:44} {100 * machine_idle:10.2f} "
          f"{100 * one_svg_idle:10.2f} {'':>7}")


if __name__ == "__main__":
    main()
