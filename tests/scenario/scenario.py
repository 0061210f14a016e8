"""Replays scenario.json on a front end through a driver of its own, which does each raw step its
front end's way and says whether a field shows what it must. The names the steps use are the
machine's own: its menu's texts, its windows' titles and the info window's counters, read from
the core's tables, so nothing here restates the layout."""
import json
import os
import re
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
# Left of the normal outline, on the demo's man: the cabinet is there only on the demo face.
ON_THE_MAN = (5, 180)


def steps():
    with open(os.path.join(HERE, "scenario.json"), encoding="utf-8") as f:
        return json.load(f)["steps"]


def _source(path):
    with open(os.path.join(SOURCE, path), encoding="utf-8") as f:
        return f.read()


def menu_texts():
    """The machine menu's items as the player sees them, in order, separators left out."""
    menu = _source("machine/layout.h").split("std::array<MenuItem", 1)[1].split("}};", 1)[0]
    return re.findall(r'\.text = "([^"]+)"', menu)


def cabinet_texts():
    """Which text of the cabinet shows each field of the state: {"PlayerCoins": "Label2", ...}."""
    rows = re.findall(r'\.name = "(\w+)",((?:(?!\.name = ).)*?)\.text = &MachineState::(\w+)',
                      _source("machine/layout.h"), re.S)
    return {field: name for name, _, field in rows}


def board_reading():
    """What a screen reader's reading of the board starts with, before the cells."""
    return re.search(r'BoardReading = "([^"]*)"', _source("machine/layout.h")).group(1)


def window_titles():
    """Each side window's title by its name: {"Form2": "Информация", ...}."""
    found = re.findall(r'\.name = "(Form\d+)", \.title = "((?:[^"\\]|\\.)*)"', _source("stats/side_window_layout.h"))
    return {name: title.replace('\\"', '"') for name, title in found}


def counter_controls():
    """Which control of the info window shows each counter: {"CoinsInserted": "Label7", ...}."""
    rows = re.findall(r'\.name = "(\w+)",((?:(?!\.name = ).)*?)\.counter = &InfoFields::(\w+)',
                      _source("stats/side_window_layout.h"), re.S)
    return {counter: name for name, _, counter in rows}


def replay(driver):
    """Runs every step; fails at the first expectation the front end does not meet in time."""
    menu = menu_texts()
    for number, step in enumerate(steps(), 1):
        where = f"step {number}" + (f" ({step['note']})" if "note" in step else "")
        button = step.get("button", "left")
        if "click" in step:
            driver.click(*step["click"], button)
        elif "double_click" in step:
            driver.double_click(*step["double_click"])
        elif "press" in step:
            driver.press(*step["press"], button)
        elif "release" in step:
            driver.release(step["release"])
        elif "move" in step:
            driver.move(*step["move"])
        elif "key" in step:
            driver.key(step["key"], step["window"])
        elif "choose" in step:
            driver.choose(step["choose"], menu.index(step["choose"]))
        if "expect" in step:
            expect(driver, step["expect"], where)


def expect(driver, wanted, where):
    wanted = dict(wanted)
    deadline = time.monotonic() + wanted.pop("within", 15)
    while True:
        seen = {field: driver.shows(field, value) for field, value in wanted.items()}
        wrong = {field: said for field, (right, said) in seen.items() if not right}
        if not wrong:
            return
        if time.monotonic() > deadline:
            raise AssertionError(where + ": " + "; ".join(
                f"{field} should be {wanted[field]!r}" + (f", is {said!r}" if said is not None else "")
                for field, said in wrong.items()))
        time.sleep(0.1)
