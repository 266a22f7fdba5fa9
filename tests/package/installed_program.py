"""The unpacked Debian package run by a user who cannot write the program's folder.

  installed_program.py DEB

Unpacks DEB with dpkg-deb -x, starts the unpacked vesk-edit under Xvfb as a user for whom
that folder is read-only (as root: the user nobody), closes it, and expects data.ini in
the user's configuration folder, nothing beside the program, and the setting read back
from there at the next start.
"""
import os
import pwd
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from x_session import TestFailure, XSession  # noqa: E402

CAPTION = "GB版Vesk1 敵キャラステータスエディタ"
APP_ID = "io.github.veskedit.VeskEdit"


def as_user(session, unpacked):
    """The command prefix that runs a program as a user who cannot write `unpacked`."""
    if os.geteuid() != 0:
        subprocess.run(["chmod", "-R", "a-w", unpacked], check=True)
        return []
    nobody = pwd.getpwnam("nobody")
    os.chmod(session.dir, 0o755)
    for name in ("home", "runtime"):
        path = os.path.join(session.dir, name)
        os.chown(path, nobody.pw_uid, nobody.pw_gid)
    return ["setpriv", f"--reuid={nobody.pw_uid}", f"--regid={nobody.pw_gid}",
            "--clear-groups", "--"]


def run_once(session, prefix, program):
    process = session.start(prefix + [program], cwd="/")
    session.wait_window(CAPTION, 60)
    session.wait_active(CAPTION)
    session.key("alt+o", "x")
    try:
        code = process.wait(30)
    except subprocess.TimeoutExpired:
        raise TestFailure("the editor did not end after 終了")
    if code != 0:
        raise TestFailure(f"the editor exited {code}: {process.stderr.read().decode()}")


def main(deb):
    with XSession() as session:
        unpacked = os.path.join(session.dir, "unpacked")
        subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
        program = os.path.join(unpacked, "usr", "bin", "vesk-edit")
        prefix = as_user(session, unpacked)
        session.env.pop("XDG_CONFIG_HOME", None)
        ini = os.path.join(session.env["HOME"], ".config", APP_ID, "data.ini")

        run_once(session, prefix, program)
        if not os.path.exists(ini):
            raise TestFailure(f"no {ini} after the first close")
        if os.path.exists(os.path.join(os.path.dirname(program), "data.ini")):
            raise TestFailure("data.ini was written beside the read-only program")
        with open(ini, encoding="utf-8") as f:
            if "backup=0" not in f.read().split():
                raise TestFailure("the first close did not store backup=0")

        # The next start reads the same file: a stored 1 (off) is written back as 1.
        with open(ini, "w", encoding="utf-8") as f:
            f.write("[Vesk Tool]\nbackup=1\n")
        run_once(session, prefix, program)
        with open(ini, encoding="utf-8") as f:
            if "backup=1" not in f.read().split():
                raise TestFailure("the setting did not survive a restart")
        print(f"installed_program: data.ini kept in {ini}")


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except TestFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        sys.exit(1)
