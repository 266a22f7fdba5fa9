"""Asks the Wayland compositor for an xdg-activation token and prints it.

  wayland_token.py      (WAYLAND_DISPLAY and XDG_RUNTIME_DIR name the compositor)

A launcher does the same before it starts a program, and hands the token on in
XDG_ACTIVATION_TOKEN. The Wayland wire protocol is spoken directly over the socket, so
the test needs no Wayland bindings. Exits 1 with a message when the compositor offers no
xdg_activation_v1 or does not answer within five seconds.
"""
import os
import socket
import struct
import sys
import time

DISPLAY_ID, REGISTRY_ID, SYNC_ID, ACTIVATION_ID, TOKEN_ID = 1, 2, 3, 4, 5


def message(object_id, opcode, payload=b""):
    return struct.pack("<II", object_id, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def read_string(payload, offset):
    (length,) = struct.unpack_from("<I", payload, offset)
    text = payload[offset + 4:offset + 4 + length - 1].decode()
    return text, offset + 4 + length + (-length % 4)


class Connection:
    def __init__(self):
        name = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
        path = name if name.startswith("/") else os.path.join(os.environ["XDG_RUNTIME_DIR"], name)
        self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.socket.connect(path)
        self.socket.settimeout(5)
        self.buffer = b""
        self.deadline = time.monotonic() + 5

    def send(self, data):
        self.socket.sendall(data)

    def events(self):
        """Yields (object id, opcode, payload) until the deadline passes."""
        while True:
            while len(self.buffer) >= 8:
                object_id, word = struct.unpack_from("<II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                payload, self.buffer = self.buffer[8:size], self.buffer[size:]
                yield object_id, word & 0xFFFF, payload
            if time.monotonic() > self.deadline:
                raise TimeoutError("the compositor did not answer within 5 s")
            chunk = self.socket.recv(4096)
            if not chunk:
                raise ConnectionError("the compositor closed the connection")
            self.buffer += chunk


def request_token():
    connection = Connection()
    connection.send(message(DISPLAY_ID, 1, struct.pack("<I", REGISTRY_ID)) +  # get_registry
                    message(DISPLAY_ID, 0, struct.pack("<I", SYNC_ID)))       # sync
    activation = None
    for object_id, opcode, payload in connection.events():
        if object_id == REGISTRY_ID and opcode == 0:                          # global
            (name,) = struct.unpack_from("<I", payload)
            interface, _ = read_string(payload, 4)
            if interface == "xdg_activation_v1":
                activation = name
        elif object_id == SYNC_ID:                                            # done
            break
        elif object_id == DISPLAY_ID and opcode == 0:
            raise RuntimeError("protocol error from the compositor")
    if activation is None:
        raise RuntimeError("the compositor offers no xdg_activation_v1")
    connection.send(
        message(REGISTRY_ID, 0, struct.pack("<I", activation) + string("xdg_activation_v1") +
                struct.pack("<II", 1, ACTIVATION_ID)) +                       # bind
        message(ACTIVATION_ID, 1, struct.pack("<I", TOKEN_ID)) +              # get_activation_token
        message(TOKEN_ID, 1, string("io.github.veskedit.VeskEdit")) +         # set_app_id
        message(TOKEN_ID, 3))                                                 # commit
    for object_id, opcode, payload in connection.events():
        if object_id == TOKEN_ID and opcode == 0:                             # done
            return read_string(payload, 0)[0]
        if object_id == DISPLAY_ID and opcode == 0:
            raise RuntimeError("protocol error from the compositor")


def main():
    try:
        print(request_token())
    except (OSError, RuntimeError, TimeoutError, KeyError) as problem:
        print(f"wayland_token: {problem}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
