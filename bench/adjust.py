"""The adjustment engine's full rebuild (crop to the middle 90 %, brightness, sharpening, true-colour conversion,
the kept unrotated result, rotation 0) of a 12-megapixel and a 1-megapixel photo-like picture, against
GraphicsMagick doing the same crop, a brightness change and an unsharp mask.

Our program times the rebuild alone (median of several rebuilds in a row, as the effects dialog's slider
makes them). GraphicsMagick's figure is its run minus a plain `gm convert in.miff null:`, so that reading
does not count. The 1-megapixel rebuild should stay under 33 ms: one frame at 30 frames per second.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

SIZES = [(4000, 3000), (1155, 866)]
FRAME_SECONDS = 1 / 30


def main():
    work = benchlib.scratch_dir()
    for width, height in SIZES:
        ppm = os.path.join(work, "in.ppm")
        miff = os.path.join(work, f"in{width}.miff")
        subprocess.run(benchlib.ours("adjust_bench", "ppm", width, height, ppm), check=True)
        subprocess.run(["gm", "convert", ppm, miff], check=True)
        ours, _ = benchlib.median_reported(benchlib.ours("adjust_bench", "rebuild", width, height))
        crop_w, crop_h = width - 2 * int(width * 0.05), height - 2 * int(height * 0.05)
        crop = f"{crop_w}x{crop_h}+{int(width * 0.05)}+{int(height * 0.05)}"
        gm, whole_run = benchlib.peer_seconds(["gm", "convert", miff, "-crop", crop, "-modulate", "110",
                                               "-unsharp", "2x1+0.2+0", "null:"], ["gm", "convert", miff, "null:"])
        megapixels = width * height / 1e6
        benchlib.report(f"Full rebuild {width}x{height} ({megapixels:.1f} MP)", ours,
                        "gm crop+modulate+unsharp", gm, whole_run)
        if megapixels < 2:
            verdict = "under" if ours < FRAME_SECONDS else "OVER"
            print(f"1-MP rebuild {ours * 1000:.1f} ms: {verdict} one frame at 30 frames per second (33.3 ms)")


if __name__ == "__main__":
    main()
