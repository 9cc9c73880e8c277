"""Takes the resource and template information dialogs' screenshots under a private X server:
info_dialogs_screenshots.py GALLERY FOLDER."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts"))
from xdisplay import XServer  # noqa: E402


def main():
    gallery, folder = sys.argv[1], sys.argv[2]
    with XServer() as server:
        env = dict(os.environ, DISPLAY=server.display, QT_QPA_PLATFORM="xcb")
        subprocess.run([gallery, folder], env=env, check=True)


if __name__ == "__main__":
    main()
