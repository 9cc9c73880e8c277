"""The pixel engine on large pictures: ConvertDib in every colour mode and BlendDib24 over 24 megapixels (in
megapixels per second; the blend against a plain memcpy of its three buffers), and the rotation of a
12-megapixel picture by 45 degrees against GraphicsMagick.

Our programs time the operation alone. GraphicsMagick's figure is its rotate run minus its plain copy of the
same MIFF file, so that reading and writing do not count.
"""
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

CONVERT_CASES = ["two-colours", "grey", "grey-sharpened", "palette-dithered", "palette-true-colour",
                 "true-colour-defaults", "true-colour-adjusted", "true-colour-to-cube"]
MEGAPIXELS = 6000 * 4000 / 1e6


def median_reported(*args):
    """Median of the seconds our benchmark program prints, over benchlib.RUNS runs."""
    times = []
    for _ in range(benchlib.RUNS):
        out = subprocess.run(benchlib.ours("pixel_bench", *args), check=True, capture_output=True, text=True)
        times.append(float(out.stdout))
    return statistics.median(times)


def main():
    for case in CONVERT_CASES:
        seconds = median_reported("convert", case)
        print(f"ConvertDib {case:<24} {seconds * 1000:8.1f} ms  {MEGAPIXELS / seconds:8.1f} MP/s", flush=True)

    blend = median_reported("blend")
    copy = median_reported("copy3")
    print(f"BlendDib24 6000x4000            {blend * 1000:8.1f} ms  {MEGAPIXELS / blend:8.1f} MP/s", flush=True)
    ratio = benchlib.report("BlendDib24 6000x4000", blend, "memcpy of 3 buffers", copy)
    print(f"blend against memcpy: {ratio:.2f} (goal: at most 3.00)")

    work = benchlib.scratch_dir()
    ppm = os.path.join(work, "in.ppm")
    miff = os.path.join(work, "in.miff")
    out = os.path.join(work, "out.miff")
    subprocess.run(benchlib.ours("pixel_bench", "ppm", 4000, 3000, ppm), check=True)
    subprocess.run(["gm", "convert", ppm, miff], check=True)
    ours = median_reported("rotate", 450)
    gm, whole_run = benchlib.peer_seconds(["gm", "convert", miff, "-rotate", "45", out], ["gm", "convert", miff, out])
    benchlib.report("Rotate 4000x3000 by 45 degrees", ours, "gm convert -rotate 45", gm, whole_run)


if __name__ == "__main__":
    main()
