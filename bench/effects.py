"""Each effect of the effects library at strength 50 on a 4000x3000 picture against the matching operator of
GraphicsMagick's gm convert.

Our figure is the export call alone, measured inside the benchmark program (from the call to the freed result,
after a first call that starts the library). The peer's figure is its run with the operator minus a plain
`gm convert in.miff null:` run, so that start-up and reading do not count (see benchlib.peer_seconds). The
operators' parameters are what the library makes of strength 50 on this picture. Cone and Mosaic, which gm does
not have, are set against the nearest thing it has: a positive implode, and a box-filtered scale down with a
sampled scale up. The goal is at most 1.0 for every effect.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 4000, 3000
STRENGTH = 50

# effect, gm operator
EFFECTS = [
    ("Emboss", ["-emboss", "5x1.5"]),
    ("Wave", ["-wave", "75x1333.33"]),
    ("AddNoise", ["+noise", "Gaussian"]),
    ("Cone", ["-implode", "0.5"]),
    ("FindEdges", ["-edge", "1.75"]),
    ("FishEye", ["-implode", "-0.5"]),
    ("Mosaic", ["-scale", "1.3%", "-sample", f"{WIDTH}x{HEIGHT}!"]),
    ("Negative", ["-negate"]),
    ("OilPaint", ["-paint", "3"]),
    ("Raise", ["-raise", "150x150"]),
    ("Solarize", ["-solarize", "62.5%"]),
    ("Spread", ["-spread", "38"]),
    ("Swirl", ["-swirl", "180"]),
]


def write_input(miff, ppm):
    # A sky-to-meadow gradient with grain: the work does not depend on the content, but it looks like a photo.
    subprocess.run(["gm", "convert", "-size", f"{WIDTH}x{HEIGHT}", "gradient:#6a9ce6-#4e8c2e", "+noise", "Uniform",
                    "-depth", "8", miff], check=True)
    subprocess.run(["gm", "convert", miff, ppm], check=True)


def main():
    work = benchlib.scratch_dir()
    ppm = os.path.join(work, "in.ppm")
    miff = os.path.join(work, "in.miff")
    write_input(miff, ppm)
    worst = 0.0
    for name, operator in EFFECTS:
        ours, _ = benchlib.median_reported(benchlib.ours("effects_bench", benchlib.PROGRAM_DIR, ppm, name, STRENGTH))
        peer, whole_run = benchlib.peer_seconds(["gm", "convert", miff, *operator, "null:"],
                                                ["gm", "convert", miff, "null:"])
        worst = max(worst, benchlib.report(f"{name} {WIDTH}x{HEIGHT} at {STRENGTH}", ours,
                                           "gm " + " ".join(operator[:2]), peer, whole_run))
    print(f"worst ratio: {worst:.2f} (goal: at most 1.00)")


if __name__ == "__main__":
    main()
