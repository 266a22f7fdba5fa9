"""A private Wayland desktop for end-to-end tests: sway on its headless back end, without
XWayland, inside a session bus of its own (dbus-run-session).

Run as root, everything in the session runs as the unprivileged user `nobody`, as a
desktop user's programs would; otherwise as the user running the test. Everything started
here is ended when the session closes, and every wait is bounded.
"""
import json
import os
import pwd
import shutil
import signal
import socket
import struct
import subprocess
import tempfile
import threading

from wayland_token import request_token
from x_session import TestFailure, wait_until

# Sway's default only marks a window that asks for activation as urgent; a desktop such
# as GNOME or KDE gives it the focus when its token is valid, as this setting does.
SWAY_CONFIG = """xwayland disable
focus_on_window_activation focus
exec env > {dir}/session.env.part && mv {dir}/session.env.part {dir}/session.env
"""


class WaylandSession:
    def __init__(self):
        self.processes = []
        self.user = pwd.getpwnam("nobody") if os.geteuid() == 0 else None
        self.dir = tempfile.mkdtemp(prefix="vesk-wayland-", dir="/tmp" if self.user else None)
        self.env = {}
        self.sway_log = None

    def __enter__(self):
        try:
            return self.begin()
        except BaseException:
            self.__exit__(None, None, None)
            raise

    def begin(self):
        runtime = os.path.join(self.dir, "runtime")
        home = os.path.join(self.dir, "home")
        os.makedirs(runtime, mode=0o700)
        os.makedirs(home)
        self.give_to_user(self.dir)
        config = os.path.join(self.dir, "sway.config")
        with open(config, "w") as f:
            f.write(SWAY_CONFIG.format(dir=self.dir))
        base = {
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "HOME": home,
            "XDG_RUNTIME_DIR": runtime,
            "LANG": "C.UTF-8",
        }
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if name in os.environ:
                base[name] = self.readable_options(os.environ[name])
        self.sway_log = open(os.path.join(self.dir, "sway.log"), "w")
        self.start(["dbus-run-session", "--", "sway", "-c", config],
                   dict(base, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1"),
                   stderr=self.sway_log)
        env_file = os.path.join(self.dir, "session.env")
        wait_until(lambda: os.path.exists(env_file) or self.ended_early(), 30, "sway to start")
        if not os.path.exists(env_file):
            raise TestFailure(f"sway ended at start: {self.log()}")
        with open(env_file) as f:
            session = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.env = dict(base, **{name: session[name] for name in
                                 ("WAYLAND_DISPLAY", "SWAYSOCK", "DBUS_SESSION_BUS_ADDRESS")})
        return self

    def __exit__(self, *exc):
        if self.env:
            try:
                self.run(["swaymsg", "exit"], timeout=10)
            except subprocess.TimeoutExpired:
                pass
        for process in reversed(self.processes):
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                pass
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                pass
        if self.sway_log:
            self.sway_log.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def give_to_user(self, path):
        if not self.user:
            return
        os.chown(path, self.user.pw_uid, self.user.pw_gid)
        for folder, folders, files in os.walk(path):
            for name in folders + files:
                os.chown(os.path.join(folder, name), self.user.pw_uid, self.user.pw_gid)

    def readable_options(self, options):
        """Sanitizer options whose suppression files the session's user can read: copies
        of them in the session folder."""
        parts = []
        for part in options.split(":"):
            if part.startswith("suppressions="):
                copy = os.path.join(self.dir, f"suppressions-{len(parts)}.txt")
                shutil.copy(part.split("=", 1)[1], copy)
                self.give_to_user(copy)
                part = f"suppressions={copy}"
            parts.append(part)
        return ":".join(parts)

    def identity(self):
        if not self.user:
            return {}
        return {"user": self.user.pw_uid, "group": self.user.pw_gid, "extra_groups": []}

    def ended_early(self):
        return self.processes[0].poll() is not None

    def log(self):
        with open(os.path.join(self.dir, "sway.log")) as f:
            return f.read()[-2000:]

    def start(self, argv, env=None, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE):
        process = subprocess.Popen(argv, env=env or self.env, cwd=self.dir, stdout=stdout,
                                   stderr=stderr, start_new_session=True, **self.identity())
        self.processes.append(process)
        return process

    def run(self, argv, timeout=30, env=None):
        return subprocess.run(argv, env=env or self.env, cwd=self.dir, timeout=timeout,
                              capture_output=True, text=True, **self.identity())

    def install(self, program):
        """A private copy of `program` that the session's user owns."""
        folder = os.path.join(self.dir, "app")
        os.makedirs(folder)
        target = os.path.join(folder, os.path.basename(program))
        shutil.copy2(program, target)
        self.give_to_user(folder)
        return target

    def activation_token(self):
        """A fresh xdg-activation token, as a launcher asks for one before it starts a
        program."""
        previous = dict(os.environ)
        os.environ.update(WAYLAND_DISPLAY=self.env["WAYLAND_DISPLAY"],
                          XDG_RUNTIME_DIR=self.env["XDG_RUNTIME_DIR"])
        try:
            return request_token()
        finally:
            os.environ.clear()
            os.environ.update(previous)

    # --- the compositor's own view, through swaymsg ---

    def swaymsg(self, *args):
        result = self.run(["swaymsg", *args], timeout=10)
        if result.returncode != 0:
            raise TestFailure(f"swaymsg {' '.join(args)}: {result.stdout} {result.stderr}")
        return result.stdout

    def windows(self):
        """Every window (view) in the compositor's tree."""
        found = []

        def walk(node):
            if node.get("type") in ("con", "floating_con") and node.get("pid"):
                found.append(node)
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                walk(child)

        walk(json.loads(self.swaymsg("-t", "get_tree", "-r")))
        return found

    def focused(self):
        return next((w for w in self.windows() if w.get("focused")), None)

    def wait_focused(self, what, test, timeout):
        def check():
            window = self.focused()
            return window if window and test(window) else None
        return wait_until(check, timeout,
                          f"{what} to have the focus (it is {describe(self.focused())})")

    def watch_new_windows(self):
        return NewWindows(self)


def describe(window):
    if not window:
        return "no window"
    return f"{window.get('name')!r} ({window.get('app_id')}, {window.get('shell')}, pid {window.get('pid')})"


class NewWindows:
    """Every window the compositor maps from now on, and every focus change, as its IPC
    event stream tells in the order they happen."""

    SUBSCRIBE = 2

    def __init__(self, session):
        self.windows = []
        self.focused = []
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.settimeout(10)
        self.socket.connect(session.env["SWAYSOCK"])
        payload = b'["window"]'
        self.socket.sendall(b"i3-ipc" + struct.pack("=II", len(payload), self.SUBSCRIBE) + payload)
        _, reply = self.receive()
        if not json.loads(reply).get("success"):
            raise TestFailure(f"sway refused the subscription to window events: {reply}")
        self.socket.settimeout(None)
        threading.Thread(target=self.read, daemon=True).start()

    def receive(self):
        header = self.exactly(14)
        length, kind = struct.unpack("=II", header[6:])
        return kind, self.exactly(length)

    def exactly(self, size):
        data = b""
        while len(data) < size:
            chunk = self.socket.recv(size - len(data))
            if not chunk:
                raise ConnectionError("sway closed its IPC connection")
            data += chunk
        return data

    def read(self):
        try:
            while True:
                _, payload = self.receive()
                event = json.loads(payload)
                if event.get("change") == "new":
                    self.windows.append(event.get("container", {}))
                elif event.get("change") == "focus":
                    self.focused.append(event.get("container", {}))
        except (OSError, ValueError):
            pass

    def close(self):
        self.socket.close()
