"""A private X session for end-to-end tests: Xvfb on a free display, openbox, xdotool.

Everything started here is ended when the session closes, and every wait is bounded.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time


class TestFailure(Exception):
    pass


def wait_until(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


class XSession:
    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        self.processes = []
        self.dir = tempfile.mkdtemp(prefix="vesk-e2e-")
        self.env = dict(os.environ)

    def __enter__(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(xvfb)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise TestFailure("Xvfb did not start")
        runtime = os.path.join(self.dir, "runtime")
        os.makedirs(runtime, mode=0o700)
        os.makedirs(os.path.join(self.dir, "home"))
        self.env.update(DISPLAY=f":{number}", XDG_RUNTIME_DIR=runtime,
                        HOME=os.path.join(self.dir, "home"), LANG="C.UTF-8")
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "SESSION_MANAGER"):
            self.env.pop(name, None)
        # A session bus the test did not ask for (the machine's own) stays out, so that a
        # second start searches for the window on X11 unless the test runs on a bus.
        if not self.env.pop("VESK_E2E_SESSION_BUS", None):
            self.env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        self.start(["openbox", "--sm-disable"])
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in
                   self.output(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]),
                   20, "the window manager")
        return self

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(5)
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def start(self, argv, cwd=None):
        process = subprocess.Popen(argv, env=self.env, cwd=cwd or self.dir,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.processes.append(process)
        return process

    def run(self, argv, timeout=30, cwd=None):
        return subprocess.run(argv, env=self.env, cwd=cwd or self.dir, timeout=timeout,
                              capture_output=True, text=True)

    def output(self, argv):
        result = self.run(argv, timeout=10)
        return result.stdout.strip() if result.returncode == 0 else ""

    # --- windows and keys, through xdotool ---

    def windows_named(self, name):
        found = self.output(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"])
        return found.split() if found else []

    def wait_window(self, name, timeout=30):
        return wait_until(lambda: self.windows_named(name), timeout, f"window {name!r}")[0]

    def wait_gone(self, name, timeout=30):
        wait_until(lambda: not self.windows_named(name), timeout, f"{name!r} to close")

    def active_name(self):
        return self.output(["xdotool", "getactivewindow", "getwindowname"])

    def wait_active(self, name, timeout=30):
        wait_until(lambda: self.active_name() == name, timeout,
                   f"{name!r} to be the active window (it is {self.active_name()!r})")

    def key(self, *keys, delay_ms=60):
        result = self.run(["xdotool", "key", "--delay", str(delay_ms), *keys])
        if result.returncode != 0:
            raise TestFailure(f"xdotool key {keys}: {result.stderr}")
        time.sleep(0.15)

    def type(self, text):
        result = self.run(["xdotool", "type", "--delay", "30", text])
        if result.returncode != 0:
            raise TestFailure(f"xdotool type: {result.stderr}")
        time.sleep(0.15)

    def screenshot(self, window, path):
        return self.run(["import", "-window", window, path]).returncode == 0
