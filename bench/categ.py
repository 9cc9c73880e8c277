"""The category panel: choosing a photo album of 1,000 entries in its album combo until the first page of
tiles is painted, against unzip -p of the same 1,000 thumbnails to /dev/null (goal: at most 1.5x).

The album comes from the album benchmark's generator (descriptions and BMP thumbnails of 20-40 KB); a
second album of one entry is the one the panel starts on, so the choice is the user's. Our program times
the choice alone (opening the album, reading its thumbnails, making the tiles, painting); the peer is a
whole unzip process.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import albums  # noqa: E402

COUNT = 1000
GOAL = 1.5


def main():
    albums.first_page("categ_bench", f"Choose album, {COUNT} entries, first page", COUNT, shown=6, goal=GOAL)


if __name__ == "__main__":
    main()
