"""Our WMF player against GraphicsMagick's (libwmf), on the same file in one run: a metafile of 5,000
filled polygons (1000x800 units at 96 dpi) loaded through the plug-in manager (CExtMgr::LoadFile and
codecwmf: the picture and its mask, 800 pixels wide), against gm convert -density 96 to a PPM on
/dev/null, less what gm takes for a tiny metafile (its start and set-up).
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

POLYGONS = 5000
GENERATOR = os.path.join(os.path.dirname(__file__), "..", "tests", "codecs", "make_wmf.py")


def main():
    work = benchlib.scratch_dir()
    big = os.path.join(work, "polygons.wmf")
    tiny = os.path.join(work, "tiny.wmf")
    subprocess.run(["/usr/bin/python3", GENERATOR, "polygons", big, str(POLYGONS)], check=True)
    subprocess.run(["/usr/bin/python3", GENERATOR, "plain", tiny, "4", "4"], check=True)

    ours, _ = benchlib.median_reported(benchlib.ours("codec_bench", benchlib.PROGRAM_DIR, "timed-load", big))
    gm_big = benchlib.median_seconds(["gm", "convert", "-density", "96", big, "ppm:/dev/null"])
    gm_tiny = benchlib.median_seconds(["gm", "convert", "-density", "96", tiny, "ppm:/dev/null"])
    if gm_big <= gm_tiny:
        print("gm's figure for the large file does not rise above its start-up: no ratio", flush=True)
        return
    ratio = benchlib.report(f"WMF of {POLYGONS} polygons (manager, picture + mask)", ours, "gm convert less start",
                            gm_big - gm_tiny)
    print(f"through the plug-in manager: ratio against GraphicsMagick {ratio:.2f} (goal: at most 1.50)", flush=True)


if __name__ == "__main__":
    main()
