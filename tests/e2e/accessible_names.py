"""The names a screen reader gives vesk-edit's controls, read through AT-SPI.

  dbus-run-session -- python3 accessible_names.py EDITOR

Runs in a D-Bus session of its own (the accessibility bus is started from it), with the
editor in a private X session; every focusable control is looked up by role and name, as
a screen reader finds it.
"""
import sys

import pyatspi

from editor_story import CAPTION, close_editor, install_editor, start_editor
from x_session import TestFailure, XSession, wait_until

# Every focusable control of the window, in tab order: (role, name).
EXPECTED = [
    (pyatspi.ROLE_COMBO_BOX, "キャラ選択"),
    (pyatspi.ROLE_COMBO_BOX, "HP"),
    (pyatspi.ROLE_COMBO_BOX, "ケロ"),
    (pyatspi.ROLE_TEXT, "攻"),
    (pyatspi.ROLE_TEXT, "防"),
    (pyatspi.ROLE_TEXT, "早"),
    (pyatspi.ROLE_TEXT, "魔"),
    (pyatspi.ROLE_LIST, "能力"),
    (pyatspi.ROLE_COMBO_BOX, "能力の選択"),
    (pyatspi.ROLE_PUSH_BUTTON, "変 更"),
]
# The menu is reached with Alt and F10, not with Tab: its entries are not controls here.
MENU_ROLES = {pyatspi.ROLE_MENU_BAR, pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM,
              pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_SEPARATOR}


def editor_frame():
    """The editor's window as the accessibility registry lists it, or None."""
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == CAPTION:
                return window
    return None


def descendants(node, depth=0):
    """Every object below `node`; a dropped list's entries are left out, they are items."""
    if depth > 12:
        raise TestFailure("the accessible tree is deeper than the window")
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRole() not in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST):
            yield from descendants(child, depth + 1)


def focusable_controls(frame):
    return [(node.getRole(), node.name, node) for node in descendants(frame)
            if node.getState().contains(pyatspi.STATE_FOCUSABLE)
            and node.getRole() not in MENU_ROLES]


def describe(controls):
    return ", ".join(f"{node.getRoleName()} {name!r}" for _, name, node in controls)


def check_names(editor):
    with XSession() as session:
        # Qt reports to AT-SPI although no screen reader has asked for it.
        session.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        program = install_editor(session, editor)
        process, _ = start_editor(session, program)
        frame = wait_until(editor_frame, 30, f"the window {CAPTION!r} in the AT-SPI registry")
        controls = wait_until(
            lambda: (lambda found: found if len(found) >= len(EXPECTED) else None)(
                focusable_controls(frame)),
            10, "the window's controls in the AT-SPI tree")
        found = [(role, name) for role, name, _ in controls]
        if found != EXPECTED:
            raise TestFailure(f"the focusable controls are {describe(controls)}; expected "
                              + ", ".join(f"{role} {name!r}" for role, name in EXPECTED))
        # A drop-down list reads its current entry as its text: at start the first entry of
        # each list, "20" and "0" in the HP and ケロ lists.
        entries = {name: node.queryText().getText(0, -1) for role, name, node in controls
                   if role == pyatspi.ROLE_COMBO_BOX}
        if entries["HP"] != "20" or entries["ケロ"] != "0" or not all(entries.values()):
            raise TestFailure(f"the drop-down lists read {entries}")
        # What a screen reader says first: the focus is on the HP list.
        focused = [name for _, name, node in controls
                   if node.getState().contains(pyatspi.STATE_FOCUSED)]
        if focused != ["HP"]:
            raise TestFailure(f"the focused control is {focused}, not the HP list")
        close_editor(session, process)
    print(f"accessible_names: {len(EXPECTED)} controls named through AT-SPI: "
          + ", ".join(name for _, name in EXPECTED))


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        check_names(argv[1])
    except TestFailure as failure:
        print(f"accessible_names: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
