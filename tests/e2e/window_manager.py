"""A window manager or compositor brought up on the suite's X server, for the suites of both
desktop front ends."""
import os
import signal
import subprocess
import time

from Xlib import X

from game import x_connection


def managing():
    found = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                           capture_output=True, text=True).stdout
    return "window id" in found


def root_properties():
    connection = x_connection()
    root = connection.screen().root
    return {connection.get_atom_name(atom) for atom in root.list_properties()}


def screen_held():
    """Whether a manager holds the screen (ICCCM's WM_S0 selection). The X server lets it go only
    once it has seen the last manager's connection close, and a manager that finds it held
    leaves at once (openbox with status 0)."""
    connection = x_connection()
    return connection.get_selection_owner(connection.intern_atom("WM_S0")) != X.NONE


def any_alive(group):
    """Whether a process of this process group still runs (a zombie is done)."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                state, _, process_group = stat.read().rsplit(")", 1)[1].split()[:3]
        except (OSError, ValueError):
            continue
        if state != "Z" and int(process_group) == group:
            return True
    return False


class WindowManager:
    """A window manager or compositor on the suite's X server, for as long as the with-block lasts."""

    def __init__(self, command, ready=managing):
        self.command = command
        self.ready = ready

    def __enter__(self):
        self.root_before = root_properties()
        deadline = time.time() + 15
        while screen_held() and time.time() < deadline:
            time.sleep(0.05)
        self.process = subprocess.Popen(self.command, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        # A deadline, not a wait: on a machine busy with builds a manager may take many seconds.
        deadline = time.time() + 45
        while time.time() < deadline and self.process.poll() is None:
            if self.ready():
                return self
            time.sleep(0.1)
        raise AssertionError(f"{self.command[0]} never came up (exit status {self.process.poll()})")

    def __exit__(self, *_):
        os.killpg(self.process.pid, signal.SIGTERM)
        self.process.wait(timeout=10)
        # The manager itself may be the command's child (under dbus-run-session) and outlive it,
        # still holding the screen while the next manager comes up.
        deadline = time.time() + 10
        while any_alive(self.process.pid) and time.time() < deadline:
            time.sleep(0.05)
        if any_alive(self.process.pid):
            os.killpg(self.process.pid, signal.SIGKILL)
        # The server outlives its managers: whatever comes next must not find this one's marks on
        # the root window (its check window, the features it claimed, its work area).
        for name in root_properties() - self.root_before:
            subprocess.run(["xprop", "-root", "-remove", name])
