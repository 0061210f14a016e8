import os
import re
import subprocess
import tempfile
import time
import unittest

from game import PROGRAM_FOLDER, TITLE, xdotool


ALLOCATORS = ("malloc", "calloc", "realloc", "operator new", "memalign", "posix_memalign")


def allocated_by_us(record):
    """Whether the code that asked for a lost block is ours rather than a library's."""
    for line in record.splitlines():
        frame = re.search(r"(?:at|by) 0x[0-9A-F]+: (.*)$", line)
        if not frame or any(name in frame.group(1) for name in ALLOCATORS):
            continue
        return "(in /usr/" not in frame.group(1) and "(in /lib" not in frame.group(1)
    return False


class Memory(unittest.TestCase):
    def test_start_one_play_and_exit_under_memcheck_leak_nothing_of_ours(self):
        folder = tempfile.mkdtemp(prefix="vertuno-memcheck-")
        subprocess.run(["cp", "-r", PROGRAM_FOLDER, folder], check=True)
        program = os.path.join(folder, "vertuno", "vertuno")
        log = os.path.join(folder, "memcheck.log")
        game = subprocess.Popen(["valgrind", "--tool=memcheck", "--leak-check=full",
                                 "--show-leak-kinds=definite", "--num-callers=40",
                                 f"--log-file={log}", program],
                                stdout=subprocess.DEVNULL, stderr=open(os.path.join(folder, "stderr.log"), "w"))
        window = None
        deadline = time.time() + 120
        while not window and game.poll() is None and time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"],
                                   capture_output=True, text=True).stdout.split()
            window = found[0] if found else None
            time.sleep(0.5)
        if not window:
            with open(os.path.join(folder, "stderr.log"), encoding="utf-8", errors="replace") as said:
                self.fail(f"the game did not start under memcheck on {os.environ.get('DISPLAY')} "
                          f"(status {game.poll()}): {said.read()[-2000:]}")
        time.sleep(3)
        xdotool("windowmove", window, 0, 0)
        time.sleep(1)
        xdotool("mousemove", 107, 140, "click", "1")
        time.sleep(0.3)
        xdotool("mousemove", 96, 228, "mousedown", "1")
        time.sleep(15)  # the play, slowed down by memcheck, at full speed
        xdotool("mouseup", "1")
        xdotool("mousemove", 30, 200, "click", "3")
        time.sleep(4)
        for key in ("Down", "Down", "Down", "Return"):
            xdotool("key", key)
            time.sleep(1)
        self.assertEqual(game.wait(timeout=120), 0)
        with open(log) as f:
            report = f.read()
        records = re.split(r"\n==\d+== \n", report)
        ours = [r for r in records if "definitely lost in loss record" in r and allocated_by_us(r)]
        self.assertEqual(ours, [], "\n\n".join(ours))
        errors = re.search(r"ERROR SUMMARY: (\d+) errors", report)
        self.assertIsNotNone(errors)
        print(re.findall(r"definitely lost: .*", report), errors.group(0))


if __name__ == "__main__":
    unittest.main()
