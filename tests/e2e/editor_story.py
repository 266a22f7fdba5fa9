"""End-to-end tests of vesk-edit in a real X session, driven as a user drives it.

  editor_story.py story   EDITOR SAMPLE_TOOL   open, edit, save with backup, second start
  editor_story.py second  EDITOR               a second start brings the editor to the front;
                                               Escape and Enter keep it open, Alt+F4 ends it
  editor_story.py shot    EDITOR SAMPLE_TOOL OUT.png   screenshot with an image open
"""
import csv
import io
import os
import shutil
import subprocess
import sys
import time

from x_session import TestFailure, XSession, wait_until

CAPTION = "GB版Vesk1 敵キャラステータスエディタ"
OPEN_TITLE = "ファイルを開く"
CONFIRM_TITLE = "保存確認"


def install_editor(session, editor):
    """A private copy of the program, so that its data.ini lands in the session folder."""
    folder = os.path.join(session.dir, "app")
    os.makedirs(folder)
    target = os.path.join(folder, "vesk-edit")
    shutil.copy2(editor, target)
    return target


def start_editor(session, program):
    process = session.start([program], cwd=os.path.dirname(program))
    window = session.wait_window(CAPTION, 60)
    session.wait_active(CAPTION)
    return process, window


def second_start(session, program):
    started = time.monotonic()
    result = session.run([program], timeout=20, cwd=os.path.dirname(program))
    elapsed = time.monotonic() - started
    if result.returncode != 0:
        raise TestFailure(f"second start exited {result.returncode}: {result.stderr}")
    if len(session.windows_named(CAPTION)) != 1:
        raise TestFailure("the second start showed a window of its own")
    return elapsed


def client_area(session, window):
    info = session.output(["xwininfo", "-id", window])
    value = {line.split(":")[0].strip(): line.split(":")[1].strip()
             for line in info.splitlines() if ":" in line}
    return (int(value["Absolute upper-left X"]), int(value["Absolute upper-left Y"]),
            int(value["Width"]), int(value["Height"]))


def check_fixed_frame(session, window):
    """Caption, system menu, minimise and close, but neither maximise nor resizing: in the
    hints the window gives the window manager, in the actions openbox then allows, and in
    what a double click on the title bar (openbox's maximise gesture) does."""
    motif = session.output(["xprop", "-id", window, "_MOTIF_WM_HINTS"]).split("=")[-1]
    flags, functions, decorations = (int(v, 16) for v in motif.split(",")[:3])
    if flags & 3 != 3:
        raise TestFailure(f"the Motif hints name no functions or decorations: {motif}")
    if functions & 0x10 or decorations & 0x40:          # MWM_FUNC / MWM_DECOR_MAXIMIZE
        raise TestFailure(f"the Motif hints offer maximising: {motif}")
    if functions & 0x28 != 0x28 or decorations & 0x38 != 0x38:
        raise TestFailure(f"the Motif hints lack caption, menu, minimise or close: {motif}")
    sizes = session.output(["xprop", "-id", window, "WM_NORMAL_HINTS"])
    minimum = [l.split(":")[1].strip() for l in sizes.splitlines() if "minimum size" in l]
    maximum = [l.split(":")[1].strip() for l in sizes.splitlines() if "maximum size" in l]
    if not minimum or minimum != maximum:
        raise TestFailure(f"the window's size is not fixed: {sizes}")
    allowed = session.output(["xprop", "-id", window, "_NET_WM_ALLOWED_ACTIONS"])
    for action in ("MINIMIZE", "CLOSE", "MOVE"):
        if f"_NET_WM_ACTION_{action}" not in allowed:
            raise TestFailure(f"the window manager does not allow {action}: {allowed}")
    for action in ("MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE"):
        if f"_NET_WM_ACTION_{action}" in allowed:
            raise TestFailure(f"the window manager allows {action}: {allowed}")
    before = client_area(session, window)
    session.run(["xdotool", "mousemove", str(before[0] + before[2] // 2), str(before[1] - 8),
                 "click", "--repeat", "2", "--delay", "80", "1"])
    time.sleep(0.5)
    if client_area(session, window) != before or "MAXIMIZED" in session.output(
            ["xprop", "-id", window, "_NET_WM_STATE"]):
        raise TestFailure("a double click on the title bar maximised the window")


def focus_elsewhere(session):
    """Opens another program's window so that the editor is no longer the active one."""
    session.start(["xmessage", "-geometry", "+10+10", "another program"])
    other = session.wait_window("xmessage")
    session.run(["xdotool", "windowactivate", other])
    session.wait_active("xmessage")


def open_image(session, path):
    session.key("alt+o", "f")
    session.wait_active(OPEN_TITLE)
    session.key("ctrl+a")
    session.type(path)
    session.key("Return")
    session.wait_gone(OPEN_TITLE)
    session.wait_active(CAPTION)


def close_editor(session, process):
    session.key("alt+o", "x")
    try:
        code = process.wait(30)
    except Exception:
        raise TestFailure("the editor did not end after 終了")
    if code != 0:
        raise TestFailure(f"the editor exited {code}: {process.stderr.read().decode()}")


def exported(vesk, image):
    """The image's enemies as `vesk export` reads them: one dict per enemy."""
    result = subprocess.run([vesk, "export", image], capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        raise TestFailure(f"vesk export failed: {result.stderr}")
    return list(csv.DictReader(io.StringIO(result.stdout.lstrip("\ufeff"))))


def story(editor, sample_tool, vesk):
    with XSession() as session:
        program = install_editor(session, editor)
        image = os.path.join(session.dir, "game.gb")
        if session.run([sample_tool, image, "7"]).returncode != 0:
            raise TestFailure("vesk-sample-image failed")
        with open(image, "rb") as f:
            original = f.read()
        # The first enemy after 0 with at least two abilities, reached with Down presses.
        enemy = next(m for m, row in enumerate(exported(vesk, image)) if m > 0 and row["ability2"])

        process, _ = start_editor(session, program)
        open_image(session, image)
        session.key(*["Down"] * enemy)                 # enemy list has the focus
        session.key("Tab", "Home", *["Down"] * 5)      # HP list: position 5
        session.key("Tab", "Home", "Down", "Down")     # ケロ list: 2
        session.key("Tab")
        session.type("123")                            # 攻: Tab selected the old value
        session.key("Tab")
        session.type("300")                            # 防: more than 255 gives 255
        session.key("Tab")
        session.type("7")                              # 早
        session.key("Tab", "BackSpace")                # 魔: emptied shows a selected 0
        session.type("42")
        session.key("Tab", "Down")                     # ability list: second slot
        session.key("Tab", "End", "Up", "Up")          # ability choice: ID 253
        session.key("Tab", "space")                    # 変 更

        session.key("alt+o", "s")
        session.wait_active(CONFIRM_TITLE)
        focus_elsewhere(session)
        second_start(session, program)
        session.wait_active(CONFIRM_TITLE, 10)
        session.key("Return")                          # Yes is the default
        session.wait_gone(CONFIRM_TITLE)
        session.wait_active(CAPTION)
        close_editor(session, process)

        with open(image, "rb") as f:
            saved = f.read()
        # The same edits made by vesk on a copy of the original.
        by_vesk = os.path.join(session.dir, "by-vesk.gb")
        with open(by_vesk, "wb") as f:
            f.write(original)
        edits = ["hp_index=5", "kero_index=2", "attack=123", "defense=255", "speed=7",
                 "magic=42", "ability2=253"]
        result = subprocess.run([vesk, "set", by_vesk, str(enemy), *edits], capture_output=True,
                                text=True, timeout=60)
        if result.returncode != 0:
            raise TestFailure(f"vesk set failed: {result.stderr}")
        with open(by_vesk, "rb") as f:
            expected = f.read()
        if saved != expected:
            differing = [i for i in range(len(saved)) if saved[i] != expected[i]][:10]
            raise TestFailure(f"saved image differs from vesk's at {differing}")
        with open(image + ".bak", "rb") as f:
            if f.read() != original:
                raise TestFailure("the backup is not the image as it was before the save")
        with open(os.path.join(os.path.dirname(program), "data.ini"), "rb") as f:
            if b"backup=0" not in f.read():  # 0 keeps the automatic backup on
                raise TestFailure("data.ini does not keep the backup switch")


def second(editor):
    with XSession() as session:
        program = install_editor(session, editor)
        process, window = start_editor(session, program)
        check_fixed_frame(session, window)
        focus_elsewhere(session)
        elapsed = second_start(session, program)
        session.wait_active(CAPTION, 10)
        print(f"second start ended after {elapsed:.3f} s")
        # Neither Escape nor Enter closes the window; the close request does.
        session.key("Escape", "Return")
        time.sleep(0.5)
        if process.poll() is not None or not session.windows_named(CAPTION):
            raise TestFailure("Escape or Enter closed the window")
        session.key("alt+F4")
        if process.wait(30) != 0:
            raise TestFailure("the editor did not end with code 0 after Alt+F4")
        # With the first editor gone, a start runs the editor again.
        process, _ = start_editor(session, program)
        close_editor(session, process)


def shot(editor, sample_tool, out):
    with XSession() as session:
        program = install_editor(session, editor)
        image = os.path.join(session.dir, "game.gb")
        session.run([sample_tool, image, "7"])
        process, window = start_editor(session, program)
        open_image(session, image)
        session.key("Down", "Down", "Down")
        time.sleep(0.5)
        # The frame of the window manager is the parent of the client window.
        frame = session.output(["xdotool", "getactivewindow"]) or window
        tree = session.output(["xwininfo", "-id", frame, "-tree"])
        for line in tree.splitlines():
            if "Parent window id:" in line:
                parent = line.split()[3]
                if "(the root window)" not in line:
                    frame = parent
        if not session.screenshot(frame, out):
            raise TestFailure("import failed")
        close_editor(session, process)


def main(argv):
    try:
        if argv[1] == "story":
            story(argv[2], argv[3], argv[4])
        elif argv[1] == "second":
            second(argv[2])
        elif argv[1] == "shot":
            shot(argv[2], argv[3], argv[4])
        else:
            raise TestFailure(f"unknown test {argv[1]}")
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
