"""The album dialog: opening it on a photo album of 1,000 entries until its first page of twelve tiles is
painted, against unzip -p of the same 1,000 thumbnails to /dev/null (goal: at most 1.5x).

The album comes from the album benchmark's generator (descriptions and BMP thumbnails of 20-40 KB) and is
the main window's current album, not yet opened. Our program times the dialog alone (construction, skin,
album list, opening the album, reading its thumbnails, making the tiles, painting); the peer is a whole
unzip process.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import albums  # noqa: E402

COUNT = 1000
GOAL = 1.5


def main():
    albums.first_page("albumdlg_bench", f"Open album dialog, {COUNT} photos, first page", COUNT, shown=12, goal=GOAL)


if __name__ == "__main__":
    main()
