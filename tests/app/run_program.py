"""Starts the real program on a private X server, waits for its main window and closes it with its
close button (command 1001), as a person would: the program must end with exit code 0. Meanwhile a
second start shows its message, which the test answers with Enter, and ends without touching the first.

Usage: run_program.py <program>"""

import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from xdisplay import CLOSE_BUTTON, XServer, program_environment  # noqa: E402

SECONDS = 120  # start-up under the sanitizers on a slow machine


def second_start(x, program, folder, first):
    """Starts the program again beside the first; None when it showed its message, ended with 1 after
    the answer and left the first running, else what went wrong."""
    known = x.windows("Vellumcraft")
    second = subprocess.Popen([program], env=program_environment(folder, x.display))
    try:
        # The message box is captioned with the program's name, like the windows of the first copy.
        box = x.wait_for_window("Vellumcraft", second, SECONDS, known)
        if box is None:
            return f"the second start showed no message (it ended with {second.poll()})"
        x.xdotool("windowfocus", "--sync", box)
        x.xdotool("key", "Return")
        try:
            second.wait(timeout=SECONDS)
        except subprocess.TimeoutExpired:
            return "the second start did not end after its message"
        if second.returncode != 1:
            return f"the second start ended with {second.returncode}, not 1"
        if first.poll() is not None:
            return f"the first copy ended with the second ({first.returncode})"
        return None
    finally:
        if second.poll() is None:
            second.kill()
            second.wait()


def main():
    program = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder, XServer(1024, 768) as x:
        process = subprocess.Popen([program], env=program_environment(folder, x.display))
        try:
            window = x.wait_for_window("Vellumcraft", process, SECONDS)
            if window is None:
                print(f"no main window; the program ended with {process.poll()}")
                return 1
            # Clicks on the black band close at most the splash; the program runs on.
            for _ in range(2):
                x.xdotool("mousemove", "4", "4", "click", "1")
                time.sleep(0.5)
            if process.poll() is not None:
                print(f"a click beside the buttons ended the program ({process.returncode})")
                return 1
            failure = second_start(x, program, folder, process)
            if failure:
                print(failure)
                return 1
            deadline = time.monotonic() + SECONDS
            clicks = 0
            while process.poll() is None and time.monotonic() < deadline:
                x.xdotool("mousemove", str(CLOSE_BUTTON[0]), str(CLOSE_BUTTON[1]), "click", "1")
                clicks += 1
                time.sleep(0.5)
            print(f"main window {window}; {clicks} clicks on the close button")
            if process.poll() is None:
                print("the close button did not end the program")
                return 1
            if process.returncode != 0:
                print(f"the program ended with exit code {process.returncode}")
                return 1
            return 0
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    sys.exit(main())
