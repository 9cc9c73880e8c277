"""Screenshots of the installed program's category panel with the library it ships, one per category:
installs a build into a temporary prefix, starts the program there with an empty home on a private X
server, chooses each category in the panel's category list as the user does and cuts the panel out of
the screen.

Usage: category_shots.py <build folder> [<output folder>, default docs/screenshots/category-panel]"""

import os
import subprocess
import sys
import tempfile
import time

from xdisplay import CLOSE_BUTTON, XServer, program_environment

# The panel on a 1024 x 768 desktop: the skin origin (112, 84) plus its place (0, 484), 800 x 116.
PANEL = (800, 116, 112, 84 + 484)
# The category list: its box, and its open list's lines, one per category in the list's order.
CATEGORY_BOX = (262, 608)
CATEGORY_LINE_X = 230
CATEGORY_LINE_TOP = 631
CATEGORY_LINE_HEIGHT = 17
CATEGORIES = ["fotos", "vorlagen", "rahmen", "schablonen", "cliparts"]


def grab(x, output, crop=None):
    command = ["import", "-display", x.display, "-window", "root"]
    if crop:
        command += ["-crop", "{}x{}+{}+{}".format(*crop), "+repage"]
    subprocess.run(command + [output], check=True)


def main():
    build = sys.argv[1]
    panels = sys.argv[2] if len(sys.argv) > 2 else os.path.join(
        os.path.dirname(__file__), "..", "docs", "screenshots", "category-panel")
    os.makedirs(panels, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder, XServer(1024, 768) as x:
        prefix = os.path.join(folder, "prefix")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        process = subprocess.Popen([os.path.join(prefix, "bin", "vellumcraft")],
                                   env=program_environment(os.path.join(folder, "run"), x.display))
        try:
            if x.wait_for_window("Vellumcraft", process, 60) is None:
                print("the main window did not appear", file=sys.stderr)
                return 1
            # The splash goes with a click; on the main window's black band a click does nothing.
            time.sleep(1)
            x.xdotool("mousemove", "4", "4", "click", "1")
            time.sleep(2)
            for line, name in enumerate(CATEGORIES):
                x.xdotool("mousemove", *map(str, CATEGORY_BOX), "click", "1")
                time.sleep(1)
                y = CATEGORY_LINE_TOP + line * CATEGORY_LINE_HEIGHT
                x.xdotool("mousemove", str(CATEGORY_LINE_X), str(y), "click", "1")
                time.sleep(2)
                grab(x, os.path.join(panels, name + ".png"), PANEL)
            x.xdotool("mousemove", str(CLOSE_BUTTON[0]), str(CLOSE_BUTTON[1]), "click", "1")
            process.wait(timeout=30)
            return 0
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()


if __name__ == "__main__":
    sys.exit(main())
