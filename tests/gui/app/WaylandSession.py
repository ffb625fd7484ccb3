#!/usr/bin/python3
"""Runs the program's windows natively on Wayland, under a compositor of the test's own.

Usage: WaylandSession.py DRIVER SAMPLE_DATABASE

Starts Weston with a private runtime folder (mode 0700) and a socket of its own name, waits for
the socket, then runs DRIVER (which opens every window, dialog and chart of the program) with
QT_QPA_PLATFORM=wayland and WAYLAND_DISPLAY set to it. Weston, and the virtual X server it draws
into, are ended whatever happens. Fails when the driver fails or crashes or takes too long.

Weston draws into a virtual X server, not on its headless backend: that backend gives the
session no seat, and Qt 6.4's Wayland client crashes on the first key typed into a line edit
without one (its text input looks the seat up). The X backend gives the session a keyboard and a
mouse, as every desktop has.

Exits 77 (skipped) only where Weston or Qt's Wayland platform cannot start.
"""

import os
import shutil
import signal
import subprocess
import sys
import time

# The virtual X server and the clean-up are those of the screen-reader walk.
sys.dont_write_bytecode = True
from ScreenReaderWalk import Session, skip, start_display  # noqa: E402

# How long Weston may take to open its socket, and the driver to run through every window.
SOCKET_SECONDS = 10
DRIVER_SECONDS = 60
# What Qt prints when its Wayland platform cannot start at all.
NO_PLATFORM = ('Could not find the Qt platform plugin "wayland"',
               'Could not load the Qt platform plugin "wayland"',
               "Failed to create wl_display")


def start_weston(session, runtime, socket):
    if not shutil.which("weston"):
        skip("weston is not installed (scripts/deps.sh test installs it)")
    log = os.path.join(session.home.name, "weston.log")
    weston = session.start(["weston", "--backend=x11-backend.so", "--use-pixman", "--no-config",
                            "--idle-time=0", "--width=1200", "--height=960",
                            "--socket=" + socket, "--log=" + log],
                           env=dict(os.environ, XDG_RUNTIME_DIR=runtime),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    path = os.path.join(runtime, socket)
    deadline = time.monotonic() + SOCKET_SECONDS
    while not os.path.exists(path):
        if weston.poll() is not None or time.monotonic() > deadline:
            if os.path.exists(log):
                with open(log, errors="replace") as f:
                    sys.stdout.write(f.read()[-2000:])
            skip("Weston did not start")
        time.sleep(0.05)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    driver, sample = sys.argv[1], sys.argv[2]
    session = Session("qm-wayland-")
    try:
        start_display(session)
        runtime = os.path.join(session.home.name, "runtime")
        os.mkdir(runtime, 0o700)
        socket = "quillmark-test-%d" % os.getpid()
        start_weston(session, runtime, socket)
        env = dict(os.environ, QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=socket,
                   XDG_RUNTIME_DIR=runtime, HOME=session.home.name)
        # Nothing of X reaches the program: it draws through the compositor only.
        env.pop("DISPLAY", None)
        started = time.monotonic()
        program = session.start([driver, sample], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True)
        try:
            out, err = program.communicate(timeout=DRIVER_SECONDS)
        except subprocess.TimeoutExpired:
            program.kill()
            out, err = program.communicate()
            sys.stdout.write(out + err)
            print("FAILED: the driver did not finish within %d seconds" % DRIVER_SECONDS)
            return 1
        sys.stdout.write(out + err)
        if program.returncode != 0 and any(line in err for line in NO_PLATFORM):
            skip("Qt's Wayland platform (qt6-wayland) could not start")
        if program.returncode < 0:
            print("FAILED: the driver crashed (%s)" % signal.Signals(-program.returncode).name)
            return 1
        print("the driver ran for %.1f seconds" % (time.monotonic() - started))
        return program.returncode
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
