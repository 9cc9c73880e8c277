"""A real drop under a private X server: real_drop_x11.py SOURCE TARGET. xdotool presses on the drag
source program's window, moves the pointer in steps onto the target program's registered view and
releases; the view must receive the dropped files (names with a blank and an umlaut) and the source must
learn that they were copied."""

import os
import selectors
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "..", "scripts"))
from xdisplay import XServer  # noqa: E402


def read_lines(process, seconds, until=None):
    """The lines the process prints within the time, up to the first that starts with until (or to its
    end)."""
    lines = []
    selector = selectors.DefaultSelector()
    selector.register(process.stdout, selectors.EVENT_READ)
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not selector.select(timeout=deadline - time.monotonic()):
            break
        line = process.stdout.readline()
        if not line:
            break
        lines.append(line.decode("utf-8").rstrip("\n"))
        if until and line.startswith(until.encode()):
            break
    selector.close()
    return lines


def ready_point(process, name):
    lines = read_lines(process, 20, until="ready")
    assert lines and lines[-1].startswith("ready "), f"{name} did not show its window: {lines}"
    x, y = lines[-1].split()[1:]
    return int(x), int(y)


def drag(server, start, end, steps=12):
    def do(*args):
        assert server.xdotool(*args).returncode == 0, args

    do("mousemove", str(start[0]), str(start[1]))
    time.sleep(0.2)
    do("mousedown", "1")
    time.sleep(0.3)
    for step in range(1, steps + 1):
        do("mousemove", str(start[0] + (end[0] - start[0]) * step // steps),
           str(start[1] + (end[1] - start[1]) * step // steps))
        time.sleep(0.05)
    # A last small move on the target, so that its answer to the position arrives before the release.
    time.sleep(0.2)
    do("mousemove", str(end[0] + 2), str(end[1]))
    time.sleep(0.3)
    do("mouseup", "1")


def main():
    source_program, target_program = sys.argv[1:3]
    os.environ["LC_ALL"] = "C.UTF-8"
    with tempfile.TemporaryDirectory() as folder, XServer() as server:
        files = [os.path.join(folder, "Sommer am See.jpg"), os.path.join(folder, "Grüße.png")]
        for file in files:
            open(file, "wb").close()
        env = dict(os.environ, DISPLAY=server.display, QT_QPA_PLATFORM="xcb")
        children = []
        try:
            target = subprocess.Popen([target_program], env=env, stdout=subprocess.PIPE)
            children.append(target)
            end = ready_point(target, "the target")
            source = subprocess.Popen([source_program, *files], env=env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE)
            children.append(source)
            start = ready_point(source, "the source")
            drag(server, start, end)
            received = read_lines(target, 20)
            assert [line for line in received if line.startswith("file ")] == \
                [f"file {file}" for file in files], received
            assert any(line.startswith("view drop effect 1 at ") for line in received), received
            assert target.wait(timeout=10) == 0
            source.stdin.close()
            assert read_lines(source, 10) == ["copied"]
            assert source.wait(timeout=10) == 0
        finally:
            for child in children:
                if child.poll() is None:
                    child.kill()
                child.wait()
    print("ok")


if __name__ == "__main__":
    main()
