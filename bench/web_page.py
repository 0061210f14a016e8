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
LOADS = 7
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
# The browser's first contentful paint, in ms after navigation.
CONTENTFUL_PAINT = "return performance.getEntriesByName('first-contentful-paint')[0].startTime"
# Counts every timer callback the page runs, so an idle page's wake-ups can be told.
COUNT_WAKE_UPS = """window.wakeUps = 0;
for (const name of ['setTimeout', 'setInterval']) {
  const timer = window[name];
  window[name] = (callback, ...rest) => timer((...a) => { ++wakeUps; callback(...a); }, ...rest);
}"""


def first_visit_files():
    """Everything one visit fetches: the page, what it loads, and what its service worker keeps."""
    with open(os.path.join(SITE, "service-worker.js")) as worker:
        kept = re.search(r"'([^']*)'\.split", worker.read()).group(1).split(";")
    return sorted(set(kept) | {"service-worker.js"})


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


def median(values):
    return sorted(values)[len(values) // 2]


def load(driver, url):
    """Loads a page afresh; the first contentful paint and the cabinet's first paint, in ms."""
    driver.get("about:blank")
    driver.get(url)
    drawn = driver.execute_async_script(FIRST_PAINT)
    return driver.execute_script(CONTENTFUL_PAINT), drawn


def measure(urls):
    """Both pages in one browser, loaded by turns so that both meet the same load on the machine:
    each round a first visit (cache, storage and service worker cleared) and a visit again. Then
    each page alone while it idles."""
    profile = tempfile.mkdtemp(prefix="vertuno-bench-")
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", f"--user-data-dir={profile}", "--window-size=600,700"):
        options.add_argument(argument)
    service = Service("/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_script_timeout(10)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": COUNT_WAKE_UPS})
    try:
        first, again = {url: [] for url in urls}, {url: [] for url in urls}
        for _ in range(LOADS):
            for url in urls:
                driver.get("about:blank")
                driver.execute_cdp_cmd("Network.clearBrowserCache", {})
                driver.execute_cdp_cmd("Storage.clearDataForOrigin", {"origin": url.rstrip("/"), "storageTypes": "all"})
                first[url].append(load(driver, url))
                again[url].append(load(driver, url)[1])
        results = []
        for url in urls:
            driver.get(url)
            driver.execute_async_script(FIRST_PAINT)
            time.sleep(1)
            hz = os.sysconf("SC_CLK_TCK")
            before = renderer_ticks(service.process.pid), driver.execute_script("return wakeUps")
            time.sleep(IDLE_SECONDS)
            idle = (renderer_ticks(service.process.pid) - before[0]) / hz / IDLE_SECONDS
            wake_ups = driver.execute_script("return wakeUps") - before[1]
            results.append((median([c for c, _ in first[url]]), median([d for _, d in first[url]]),
                            median(again[url]), idle, wake_ups))
        return results
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
        machine_size = sum(gzipped(os.path.join(SITE, name)) for name in first_visit_files())
        one_svg_size = sum(gzipped(os.path.join(reference, name)) for name in ("index.html", "cabinet.svg"))
        machine, one_svg = measure(addresses)
    finally:
        for server in servers:
            server.kill()
        shutil.rmtree(reference, ignore_errors=True)
    rows = [("first visit, every file (gzip -9, KB)", machine_size / 1024, one_svg_size / 1024),
            (f"first contentful paint, first visit (ms, median of {LOADS})", machine[0], one_svg[0]),
            (f"cabinet drawn, first visit (ms, median of {LOADS})", machine[1], one_svg[1]),
            (f"cabinet drawn, visits again (ms, median of {LOADS})", machine[2], one_svg[2]),
            (f"renderer processor while idle (% of a core, {IDLE_SECONDS} s)", 100 * machine[3], 100 * one_svg[3]),
            (f"timer wake-ups while idle (in {IDLE_SECONDS} s)", machine[4], one_svg[4])]
    print(f"{'':50} {'machine':>10} {'one SVG':>10} {'ratio':>7}")
    for name, mine, theirs in rows:
        ratio = f"{mine / theirs:7.2f}" if theirs else ""
        print(f"{name:50} {mine:10.1f} {theirs:10.1f} {ratio}")


if __name__ == "__main__":
    main()
