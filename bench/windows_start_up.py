"""Starts the released Windows game, the minimal Win32 window and that window with the game's
face in turn under Wine, and prints the medians of their start-up and memory, their ratios, and
the release's sizes:
windows_start_up.py STARTS RELEASE_BUILD"""
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from game import TITLE, forget_mapped_windows, wait_for_titled_window  # noqa: E402

WINE = "/usr/lib/wine/wine64"
MIB = 1024 * 1024


def memory(pid):
    """The process's peak resident memory and its private memory now, in bytes."""
    with open(f"/proc/{pid}/status") as f:
        peak = next(int(line.split()[1]) for line in f if line.startswith("VmHWM:"))
    with open(f"/proc/{pid}/smaps_rollup") as f:
        private = sum(int(line.split()[1]) for line in f if line.startswith(("Private_Clean:", "Private_Dirty:")))
    return peak * 1024, private * 1024


def start(program, title):
    """Seconds from the launch to the window on the screen, the processor's seconds it took
    (which a loaded machine does not stretch), and memory once it has settled."""
    forget_mapped_windows()
    began = time.perf_counter()
    process = subprocess.Popen([WINE, program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    window = wait_for_titled_window(title, timeout=60)
    shown = time.perf_counter() - began
    with open(f"/proc/{process.pid}/schedstat") as f:
        processor = int(f.read().split()[0]) / 1e9
    assert window is not None, f"{program} showed no window"
    time.sleep(1)
    peak, private = memory(process.pid)
    process.kill()
    process.wait()
    time.sleep(1)  # the server done with it before the next start
    return shown, peak, private, processor


def resources_size(exe):
    """The size of the exe's resource section."""
    with open(exe, "rb") as f:
        data = f.read()
    header = int.from_bytes(data[0x3C:0x40], "little")
    sections = int.from_bytes(data[header + 6:header + 8], "little")
    table = header + 24 + int.from_bytes(data[header + 20:header + 22], "little")
    for i in range(sections):
        entry = data[table + 40 * i:table + 40 * (i + 1)]
        if entry[:8].rstrip(b"\0") == b".rsrc":
            return int.from_bytes(entry[16:20], "little")
    return 0


def main():
    starts, build = int(sys.argv[1]), sys.argv[2]
    release = os.path.join(build, "release")
    folder = tempfile.mkdtemp()
    try:
        game_folder = os.path.join(folder, "game")
        shutil.copytree(glob.glob(os.path.join(release, "vertuno-*-windows-x64"))[0], game_folder)
        game = os.path.join(game_folder, "vertuno.exe")
        minimal = os.path.join(build, "bench", "minimal_window.exe")
        pictured = os.path.join(build, "bench", "pictured_window.exe")
        # A window kept open all along keeps Wine's desktop process up, as a desktop is on Windows:
        # else each start would start it again, and its time would drown what the programs take.
        forget_mapped_windows()
        desktop = subprocess.Popen([WINE, minimal], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        assert wait_for_titled_window("minimal", timeout=60) is not None, "no desktop came up"
        runs = {"game": [], "minimal": [], "pictured": []}
        for round_ in range(starts + 1):  # the first round warms the caches and is not counted
            for name, program, title in (("game", game, TITLE), ("minimal", minimal, "minimal"),
                                         ("pictured", pictured, "pictured")):
                measured = start(program, title)
                if round_:
                    runs[name].append(measured)
        desktop.kill()
        desktop.wait()
    finally:
        shutil.rmtree(folder)

    def median(name, field):
        return statistics.median(run[field] for run in runs[name])

    rows = [("start-up to the window on screen (ms)", 0, 1000, "<= 1.2"),
            ("peak resident memory (MiB)", 1, 1 / MIB, "<= 1.3"),
            ("private memory, settled (MiB)", 2, 1 / MIB, ""),
            ("processor time until the window is on screen (ms)", 3, 1000, "")]
    print(f"| under Wine, median of {starts} starts each | the game | minimal Win32 window | ratio | target |")
    print("|---|---|---|---|---|")
    for label, field, unit, target in rows:
        ours, yardstick = median("game", field), median("minimal", field)
        print(f"| {label} | {ours * unit:.1f} | {yardstick * unit:.1f} | {ours / yardstick:.2f} | {target} |")
    # A shared machine's load comes and goes: each round's two starts, a few seconds apart, see
    # the same load, so the ratio within a round leaves the drift between rounds out.
    paired = statistics.median(game[0] / minimal[0] for game, minimal in zip(runs["game"], runs["minimal"]))
    print(f"| start-up, the median of each round's ratio | | | {paired:.2f} | |")
    # The fastest starts show what each costs unhindered.
    ours, yardstick = (min(run[0] for run in runs[name]) for name in ("game", "minimal"))
    print(f"| start-up, the fastest of the {starts} (ms) | {ours * 1000:.1f} | {yardstick * 1000:.1f} | "
          f"{ours / yardstick:.2f} | |")
    # What the game cannot start without, alone: the part of the ratio no trimming of the game reaches.
    print()
    print(f"| the floor under the start-up, median of {starts} starts each | ms | ratio to the minimal window |")
    print("|---|---|---|")
    yardstick = median("minimal", 0)
    for label, name in (("the minimal window", "minimal"),
                        ("the same with the game's manifest, icon and face, decoded as the game does", "pictured"),
                        ("the game", "game")):
        print(f"| {label} | {median(name, 0) * 1000:.1f} | {median(name, 0) / yardstick:.2f} |")
    shipped, = glob.glob(os.path.join(release, "vertuno-*-windows-x64", "vertuno.exe"))
    exe = os.path.getsize(shipped)
    print()
    print("| what a player downloads | size (MiB) | target |")
    print("|---|---|---|")
    print(f"| vertuno.exe | {exe / MIB:.2f} | <= 2 |")
    print(f"| its resources (the artwork, the icon, the manifest) | {resources_size(shipped) / MIB:.2f} | <= 1 |")
    print(f"| the minimal window's exe, for scale | {os.path.getsize(minimal) / MIB:.2f} | |")
    for pattern in ("vertuno-*-windows-x64.zip", "vertuno-*-setup.exe"):
        path, = glob.glob(os.path.join(release, pattern))
        print(f"| {os.path.basename(path)} | {os.path.getsize(path) / MIB:.2f} | |")


if __name__ == "__main__":
    main()
