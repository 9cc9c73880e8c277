"""A private X server (Xvfb) for tests and tools that run the real program."""

import os
import subprocess
import time

# The main window's close button on a 1024 x 768 desktop: the skin origin (112, 84) plus the button's
# place (785, 6) and half its 16 x 16 shape.
CLOSE_BUTTON = (112 + 785 + 8, 84 + 6 + 8)


class XServer:
    """Xvfb on a free display at the given size, 24 bits deep; stopped on leaving the with block."""

    def __init__(self, width=1024, height=768):
        self.size = f"{width}x{height}x24"
        self.process = None
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size, "-nolisten", "tcp"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        self.process.wait()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env={**os.environ, "DISPLAY": self.display},
                              capture_output=True, text=True)

    def windows(self, title):
        """The ids of the visible windows of that exact title."""
        found = self.xdotool("search", "--onlyvisible", "--name", f"^{title}$")
        return found.stdout.split() if found.returncode == 0 else []

    def wait_for_window(self, title, process, seconds, known=()):
        """The id of a visible window of that exact title that is not among the known ones, once it is
        there; None when the time is up or the process ended first."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and process.poll() is None:
            new = [window for window in self.windows(title) if window not in known]
            if new:
                return new[0]
            time.sleep(0.2)
        return None


def program_environment(folder, display):
    """The environment of a program run that touches nothing of the user's: its own home, settings,
    data and runtime folder below folder."""
    environment = dict(os.environ)
    for name in ("HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"):
        path = os.path.join(folder, name.lower())
        os.makedirs(path, mode=0o700, exist_ok=True)
        environment[name] = path
    environment["DISPLAY"] = display
    environment["QT_QPA_PLATFORM"] = "xcb"
    return environment
