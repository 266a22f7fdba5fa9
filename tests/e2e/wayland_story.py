"""End-to-end tests of vesk-edit and the display it finds.

  wayland_story.py second EDITOR     on a Wayland desktop (headless sway, its own session
                                     bus): the editor shows its window as a native Wayland
                                     client; another program takes the focus; a second
                                     start, given an activation token as a launcher would
                                     give it, ends with code 0 within 2 seconds without a
                                     window of its own, and the first editor has the focus
  wayland_story.py nodisplay EDITOR  without a display that answers, the editor says which
                                     and exits with code 1
"""
import subprocess
import sys
import time

from wayland_session import WaylandSession, describe
from x_session import TestFailure, wait_until

CAPTION = "GB版Vesk1 敵キャラステータスエディタ"
APP_ID = "io.github.veskedit.VeskEdit"
SECOND_START_LIMIT = 2.0


def is_editor(window):
    return window.get("name") == CAPTION


def start_editor(session, program):
    process = session.start([program])
    window = session.wait_focused("the editor", is_editor, 60)
    if window.get("shell") != "xdg_shell" or window.get("app_id") != APP_ID:
        raise TestFailure(f"the editor is not a native Wayland client: {describe(window)}")
    return process, window


def focus_other_program(session):
    session.start(["foot", "--app-id", "vesk-test-other", "sleep", "600"])
    session.wait_focused("foot", lambda w: w.get("app_id") == "vesk-test-other", 30)


def second_start(session, program, token):
    new_windows = session.watch_new_windows()
    started = time.monotonic()
    process = session.start([program], env=dict(session.env, XDG_ACTIVATION_TOKEN=token))
    try:
        code = process.wait(SECOND_START_LIMIT)
    except subprocess.TimeoutExpired:
        raise TestFailure(f"the second start still ran after {SECOND_START_LIMIT} s")
    elapsed = time.monotonic() - started
    if code != 0:
        raise TestFailure(f"the second start exited {code}: {process.stderr.read().decode()}")
    return process.pid, elapsed, new_windows


def story(editor):
    with WaylandSession() as session:
        program = session.install(editor)
        first, window = start_editor(session, program)
        focus_other_program(session)

        pid, elapsed, new_windows = second_start(session, program, session.activation_token())
        raised = session.wait_focused("the first editor", is_editor, 5)
        if raised.get("pid") != window.get("pid"):
            raise TestFailure(f"another editor window has the focus: {describe(raised)}")
        # Once the stream tells of a focus change made after the second start ended, it
        # has told of every window that start could have shown.
        session.swaymsg("[app_id=vesk-test-other]", "focus")
        wait_until(lambda: any(w.get("app_id") == "vesk-test-other" for w in new_windows.focused),
                   5, "sway's event for the focus given back to foot")
        new_windows.close()
        shown = [w for w in new_windows.windows if w.get("pid") == pid]
        editors = [w for w in session.windows() if is_editor(w)]
        if shown or len(editors) != 1:
            raise TestFailure(f"the second start showed a window: {[describe(w) for w in shown]}")
        print(f"second start ended after {elapsed:.3f} s")

        session.swaymsg(f"[pid={window.get('pid')}]", "kill")
        try:
            code = first.wait(30)
        except subprocess.TimeoutExpired:
            raise TestFailure("the editor did not end within 30 s of its close request")
        if code != 0:
            raise TestFailure(f"the editor exited {code}: {first.stderr.read().decode()}")
        wait_until(lambda: not any(is_editor(w) for w in session.windows()), 10,
                   "the editor's window to go")


def no_display(editor):
    cases = [
        ({}, "no display available"),
        ({"WAYLAND_DISPLAY": "vesk-test-nowhere"}, "cannot open Wayland display vesk-test-nowhere"),
        ({"DISPLAY": ":9999"}, "cannot open display :9999"),
    ]
    for env, message in cases:
        base = {"PATH": "/usr/bin:/bin", "XDG_RUNTIME_DIR": "/nonexistent", "HOME": "/nonexistent"}
        result = subprocess.run([editor], env=dict(base, **env), capture_output=True, text=True,
                                timeout=30)
        if result.returncode != 1 or message not in result.stderr:
            raise TestFailure(f"with {env}: exit {result.returncode}, {result.stderr!r}; "
                              f"expected 1 and {message!r}")


def main(argv):
    try:
        if argv[1] == "second":
            story(argv[2])
        elif argv[1] == "nodisplay":
            no_display(argv[2])
        else:
            raise TestFailure(f"unknown test {argv[1]}")
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
