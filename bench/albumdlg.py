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
import benchlib  # noqa: E402

COUNT = 1000
GOAL = 1.5
TITLE = "Urlaub"


def main():
    work = benchlib.scratch_dir()
    pictures = os.path.join(work, "data", "Bilder")
    os.makedirs(pictures)
    albums.write_album(os.path.join(pictures, "album0.zip"), count=1, title="Erstes")
    album = os.path.join(pictures, "album1.zip")
    albums.write_album(album, count=COUNT, title=TITLE)
    with open(os.path.join(pictures, "albums.dat"), "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0"?><ALBUMS><ALBUM path="/album0.zip"/><ALBUM path="/album1.zip"/></ALBUMS>\n')
    command = benchlib.ours("albumdlg_bench", os.path.join(work, "data"), os.path.join(work, "profile"), TITLE)

    unzip = benchlib.median_seconds(["unzip", "-p", album, "*.thumb.bmp"])
    ours, figures = benchlib.median_reported(command)
    assert int(figures["tiles"]) == COUNT and int(figures["shown"]) == 12, figures
    ratio = benchlib.report(f"Open album dialog, {COUNT} photos, first page", ours, "unzip -p thumbnails", unzip)
    print(f"{'':<48} goal at most {GOAL:.1f}x: {'met' if ratio <= GOAL else 'missed'}", flush=True)


if __name__ == "__main__":
    main()
