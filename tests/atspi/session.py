"""What the accessibility checks share: a private X server, a private home inside the
build folder that the session bus also hands the services it starts (the
accessibility bus and its registry), and waiting on a condition.

Every wait is for a condition, never for a time; the bound on each is only there so that
a check that cannot pass ends, and is generous enough for a machine that other work
loads heavily.

Import pyatspi only after private_environment(): its import starts the accessibility
bus, which keeps the environment it was started with.
"""

import os
import socket
import subprocess
import time

# Seconds: the bound on a wait, far beyond what any step takes on a busy machine.
PATIENCE = 180.0


def wait_for(condition, what, timeout=PATIENCE):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        # -noreset: an X server resets when its last client leaves, and a client that
        # connects meanwhile loses its connection; the check's helpers come and go.
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        raise AssertionError("Xvfb did not start")
    return server, ":" + number


def display_alive(server, display):
    """Whether the private X server still runs and takes connections."""
    if server.poll() is not None:
        return False
    with socket.socket(socket.AF_UNIX) as probe:
        try:
            probe.connect("\0/tmp/.X11-unix/X" + display.lstrip(":"))
            return True
        except OSError:
            return False


FOLDERS = {"HOME": "home", "XDG_CONFIG_HOME": "home/.config", "XDG_DATA_HOME": "home/.local",
           "XDG_CACHE_HOME": "home/.cache", "XDG_STATE_HOME": "home/.state",
           "XDG_RUNTIME_DIR": "run"}


def private_environment(root, display):
    """The environment for the program and its helpers: the display, HOME and the XDG
    folders inside root, settings kept in memory. The session bus gets it too."""
    env = dict(os.environ)
    for name in ("WAYLAND_DISPLAY", "XDG_CONFIG_DIRS"):
        env.pop(name, None)
    for name, folder in FOLDERS.items():
        env[name] = os.path.join(root, folder)
        os.makedirs(env[name], mode=0o700, exist_ok=True)
    env.update(DISPLAY=display, GSETTINGS_BACKEND="memory", PYTHONDONTWRITEBYTECODE="1")

    from gi.repository import Gio, GLib
    names = ["DISPLAY", "GSETTINGS_BACKEND"] + list(FOLDERS)
    Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "UpdateActivationEnvironment",
        GLib.Variant("(a{ss})", ({name: env[name] for name in names},)),
        None, Gio.DBusCallFlags.NONE, -1, None)
    return env
