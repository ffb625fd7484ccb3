#!/usr/bin/python3
"""Reads every window of the program through the desktop's accessibility bus, as a screen reader
does, and fails on any control a screen-reader user could not identify.

Usage: ScreenReaderWalk.py DRIVER SAMPLE_DATABASE [--dump]

Starts a virtual X server, a private session bus and the accessibility bus on it, then DRIVER
(which opens the start menu, both work windows, each kind of dialog and two chart windows) with
Qt's accessibility on, and walks them through AT-SPI:
- every control one can act on (button, option, box, list, tab) has a name; a control with a
  label is named after the label, a list too (never after its chosen entry or a hint), and the
  edit part of a list and the list's drop-down carry the same name;
- the results pages and the locked boxes are read-only, and a page reads line by line;
- every tab of both work windows is walked after selecting it through the tab bar;
- a message or question carries its text as the dialog's description;
- a chart window names its chart after the title and reads every plotted value with its label,
  and reads the new figures after another measure is chosen with its button.
Exits 77 (skipped) when no X server or bus can start.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
# How long the driver may take to open every window.
READY_SECONDS = 60
# The checks are imported from beside this script; the source tree stays as it is.
sys.dont_write_bytecode = True


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIP)


class Session:
    """The virtual display, the session bus and the accessibility bus, ended in reverse order."""

    def __init__(self, prefix="qm-a11y-"):
        self.processes = []
        self.home = tempfile.TemporaryDirectory(prefix=prefix)

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, **kwargs)
        self.processes.append(process)
        return process

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.home.cleanup()


def start_display(session):
    if not shutil.which("Xvfb"):
        skip("Xvfb is not installed (scripts/deps.sh test installs it)")
    read_end, write_end = os.pipe()
    xvfb = session.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                          "-nolisten", "tcp"], pass_fds=(write_end,),
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    with os.fdopen(read_end, "rb") as pipe:
        number = pipe.readline().strip()
    if not number or xvfb.poll() is not None:
        skip("the virtual X server did not start")
    os.environ["DISPLAY"] = ":" + number.decode()


def start_buses(session):
    if not shutil.which("dbus-daemon"):
        skip("dbus-daemon is not installed")
    bus = session.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    address = bus.stdout.readline().decode().strip()
    if not address:
        skip("the session bus did not start")
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.path.exists(launcher):
        skip("the accessibility bus launcher (at-spi2-core) is not installed")
    session.start([launcher, "--launch-immediately"], stdout=subprocess.DEVNULL,
                  stderr=subprocess.DEVNULL)
    # The launcher answers on the session bus once the accessibility bus runs.
    for _ in range(100):
        probe = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
                               capture_output=True, text=True)
        if probe.returncode == 0 and "unix:" in probe.stdout:
            return
        time.sleep(0.1)
    skip("the accessibility bus did not start")


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    driver, sample = sys.argv[1], sys.argv[2]
    dump = "--dump" in sys.argv[3:]
    session = Session()
    try:
        start_display(session)
        start_buses(session)
        # The client connects to the buses named in the environment when it is loaded.
        try:
            import pyatspi  # noqa: E402
        except ImportError:
            print("FAILED: the AT-SPI client python3-pyatspi is missing "
                  "(scripts/deps.sh test installs it)")
            return 1
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", HOME=session.home.name,
                   XDG_RUNTIME_DIR=session.home.name)
        program = session.start([driver, sample], env=env, stdout=subprocess.PIPE)
        ready, _, _ = select.select([program.stdout], [], [], READY_SECONDS)
        if not ready or program.stdout.readline().decode().strip() != "ready":
            print("FAILED: the driver did not open its windows within %d seconds" % READY_SECONDS)
            return 1
        from ScreenReaderChecks import Walk  # noqa: E402
        return Walk(pyatspi, dump).run()
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main())
