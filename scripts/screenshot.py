"""Takes the whole-window screenshot of the program at 1024 x 768 on a private X server: starts the
program, waits for the main window, closes the splash with a click on the black band, waits until the
window has settled, grabs the screen with ImageMagick's import and closes the program with its close
button. Run through scripts/screenshot.

Usage: screenshot.py <program> <output.png>"""

import subprocess
import sys
import tempfile
import time

from xdisplay import CLOSE_BUTTON, XServer, program_environment


def main():
    program, output = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as folder, XServer(1024, 768) as x:
        process = subprocess.Popen([program], env=program_environment(folder, x.display))
        try:
            if x.wait_for_window("Vellumcraft", process, 60) is None:
                print("the main window did not appear", file=sys.stderr)
                return 1
            # The splash goes with a click; on the main window's black band a click does nothing.
            time.sleep(1)
            x.xdotool("mousemove", "4", "4", "click", "1")
            time.sleep(2)
            subprocess.run(["import", "-display", x.display, "-window", "root", output], check=True)
            x.xdotool("mousemove", str(CLOSE_BUTTON[0]), str(CLOSE_BUTTON[1]), "click", "1")
            process.wait(timeout=30)
            return 0
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    sys.exit(main())
