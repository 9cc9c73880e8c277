"""The resource manager's object view on photo albums (resmanager_bench, times inside the process):

- album mode on an album of 1,000 entries still to be opened, items painted one by one, until the last is
  painted, against unzip -p of the same thumbnails to /dev/null (goal: at most 2.0x);
- 50 JPEG photos of 4000x3000 dropped on an empty album until its last entry is stored, against
  vipsthumbnail -s 100x100 of the same files as one process (goal: at most 1.5x).

Each drop run gets an album of its own, so every run starts from an empty album.
"""
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(__file__))
import albums  # noqa: E402
import benchlib  # noqa: E402

COUNT = 1000
PHOTOS = 50
WIDTH, HEIGHT = 4000, 3000
SHOW_GOAL = 2.0
DROP_GOAL = 1.5
TITLE = "Urlaub"


def main():
    work = benchlib.scratch_dir()
    data = os.path.join(work, "data")
    empty = [f"Leer{run}" for run in range(benchlib.RUNS)]
    album = albums.write_albums(data, [(COUNT, TITLE)] + [(0, title) for title in empty])[0]
    profile = os.path.join(work, "profile")

    ours, figures = benchlib.median_reported(benchlib.ours("resmanager_bench", "show", data, profile, TITLE))
    assert int(figures["items"]) == COUNT, figures
    unzip = benchlib.median_seconds(["unzip", "-p", album, "*.thumb.bmp"])
    ratio = benchlib.report(f"Album mode, {COUNT} photos, last item painted", ours, "unzip -p thumbnails", unzip)
    benchlib.goal(ratio, SHOW_GOAL)

    drops = os.path.join(work, "drops")
    os.makedirs(drops)
    photos = benchlib.make_plasma_photos(drops, PHOTOS, WIDTH, HEIGHT)
    times = []
    for title in empty:
        seconds, figures = benchlib.median_reported(
            benchlib.ours("resmanager_bench", "drop", data, profile, title, *photos), runs=1)
        assert int(figures["entries"]) == PHOTOS, figures
        times.append(seconds)
    out = os.path.join(work, "thumbs")
    os.makedirs(out)
    vips = benchlib.median_seconds(["vipsthumbnail", "-s", "100x100", "-o", os.path.join(out, "%s.jpg")] + photos)
    ratio = benchlib.report(f"Drop of {PHOTOS} JPEG {WIDTH}x{HEIGHT} on an album", statistics.median(times),
                            "vipsthumbnail 100x100", vips)
    benchlib.goal(ratio, DROP_GOAL)


if __name__ == "__main__":
    main()
