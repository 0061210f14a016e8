"""The shared scenario's steps on a game under an X server, the Qt game or the Windows one under
Wine: xdotool moves the pointer and presses the keys, and the X server says which of the game's
windows show, in what order, and whether its menu is open. What the windows' texts say each
front end's driver reads its own way."""
import time

from Xlib import X

import scenario
from game import window_pid, window_title, x_connection, xdotool

BUTTONS = {"left": 1, "right": 3}


class DesktopDriver:
    def __init__(self, game):
        self.game = game
        self.start = game.geometry()[:2]
        self.pressed_at = None
        connection = x_connection()
        self.pid = window_pid(connection.create_resource_object("window", int(game.window)))

    def click(self, x, y, button):
        self.game.click(x, y, button=BUTTONS[button])

    def double_click(self, x, y):
        self.game.click(x, y, repeat=2)

    def press(self, x, y, button):
        self.pressed_at = self.game.screen_point(x, y)
        self.game.press(x, y, BUTTONS[button])

    def release(self, button):
        self.game.release(BUTTONS[button])

    def move(self, dx, dy):
        xdotool("mousemove", self.pressed_at[0] + dx, self.pressed_at[1] + dy)
        time.sleep(0.02)

    def key(self, name, window):
        """The player clicks into the window first, near its corner, where nothing answers a click."""
        shown = [w for w, title, popup in self.top_levels() if title == window]
        assert shown, f"no window {window} to press {name} in"
        corner = x_connection().screen().root.translate_coords(shown[0], 4, 4)
        xdotool("mousemove", corner.x, corner.y, "click", 1)
        time.sleep(0.2)
        xdotool("key", name)

    def choose(self, text, index):
        """The open menu's item, from the keyboard: the first Down selects the first item."""
        self.game.key(*["Down"] * (index + 1), "Return")

    def shows(self, field, value):
        return getattr(self, field)(value)

    def top_levels(self):
        """The game's mapped windows, the bottom one first: (window, title, is a pop-up)."""
        found = []
        for window in x_connection().screen().root.query_tree().children:
            try:
                attributes = window.get_attributes()
                if attributes.map_state != X.IsViewable or window_pid(window) != self.pid:
                    continue
                found.append((window, window_title(window), bool(attributes.override_redirect)))
            except Exception:  # a window already gone again
                continue
        return found

    def menu(self, value):
        open_ = any(popup for _, _, popup in self.top_levels())
        return open_ == value, open_

    def windows(self, value):
        titles = [title for _, title, popup in self.top_levels() if not popup]
        return titles == value, titles

    def moved(self, value):
        x, y = self.game.geometry()[:2]
        way = [x - self.start[0], y - self.start[1]]
        return way == value, way

    def face(self, value):
        shown = "demo" if self.game.is_ours_at(*scenario.ON_THE_MAN) else "normal"
        return shown == value, shown
