"""The file browser's thumbnails: selecting a folder of 200 JPEG photos of 4000x3000 at quality 90 until the last
100x100 thumbnail is on the list (browser_bench, inside the process: the dialog, its folder tree and list, the
codec plug-in on every core), against vipsthumbnail -s 100x100 over the same files as one process, and spread
over all cores with xargs -P.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

PHOTOS = 200
WIDTH, HEIGHT = 4000, 3000
SIDE = 100
GOAL = 1.0


def main():
    work = benchlib.scratch_dir()
    folder = os.path.join(work, "photos")
    os.makedirs(folder)
    photos = benchlib.make_plasma_photos(folder, PHOTOS, WIDTH, HEIGHT)
    out = os.path.join(work, "out")
    os.makedirs(out)

    ours, figures = benchlib.median_reported(benchlib.ours("browser_bench", benchlib.PROGRAM_DIR, folder, SIDE))
    if int(figures["files"]) != PHOTOS:
        raise RuntimeError(f"the browser listed {figures['files']} files, not {PHOTOS}")
    size = f"{SIDE}x{SIDE}"
    vips = benchlib.median_seconds(["vipsthumbnail", "-s", size, "-o", os.path.join(out, "%s.jpg")] + photos)
    cores = os.cpu_count()
    per_process = (PHOTOS + cores - 1) // cores
    parallel = benchlib.median_seconds(
        ["xargs", "-P", str(cores), "-n", str(per_process), "vipsthumbnail", "-s", size, "-o",
         os.path.join(out, "%s.jpg")], input=("\n".join(photos) + "\n").encode())
    what = f"Browser: {PHOTOS} JPEG {WIDTH}x{HEIGHT} -> {size}"
    benchlib.report(what, ours, "vipsthumbnail", vips)
    ratio = benchlib.report(what, ours, f"vipsthumbnail xargs -P{cores}", parallel)
    print(f"ratio against the parallel peer {ratio:.2f} (goal: at most {GOAL:.2f})", flush=True)


if __name__ == "__main__":
    main()
