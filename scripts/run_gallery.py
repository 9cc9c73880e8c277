"""Runs a gallery program under a private X server of 1024 x 768, where it takes its screenshots:
run_gallery.py GALLERY FOLDER."""

import os
import subprocess
import sys

from xdisplay import XServer


def main():
    gallery, folder = sys.argv[1], sys.argv[2]
    with XServer() as server:
        env = dict(os.environ, DISPLAY=server.display, QT_QPA_PLATFORM="xcb")
        subprocess.run([gallery, folder], env=env, check=True)


if __name__ == "__main__":
    main()
