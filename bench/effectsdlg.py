"""The effects dialog on a 12-megapixel photo (a 4000x3000 JPEG, decoded): a strength step (the plus button
until the preview is repainted, at zoom 1) for Brightness, Sharpness and Emboss, on the whole picture and
cropped to its middle third, and a change of effect (five presets and the preview).

Our figures are measured inside the benchmark program, each the median of five in one run; beside each step
stands the full rebuild that such a step made before the preview worked on a reduced original. The peer is
GraphicsMagick's gm convert with the nearest operator on the same decoded picture, less a plain
`gm convert in.miff null:` run (see benchlib.peer_seconds). The goals: a step under 33 ms (one frame at 30
frames per second), a change of effect under 100 ms.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 4000, 3000
STEP_GOAL = 0.033
CHANGE_GOAL = 0.100
MIDDLE_THIRD = f"{WIDTH // 3}x{HEIGHT // 3}+{WIDTH // 3}+{HEIGHT // 3}"

# name, adjustment id, gm operator
STEPS = [
    ("Brightness", 0, ["-modulate", "110"]),
    ("Sharpness", 3, ["-sharpen", "2x1"]),
    ("Emboss", 5, ["-emboss", "1"]),
]


def verdict(seconds, goal):
    return f"{seconds * 1000:.1f} ms, {'under' if seconds < goal else 'OVER'} the goal of {goal * 1000:.0f} ms"


def main():
    work = benchlib.scratch_dir()
    jpeg = os.path.join(work, "photo.jpg")
    ppm = os.path.join(work, "photo.ppm")
    miff = os.path.join(work, "photo.miff")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LC_ALL="C.UTF-8")
    subprocess.run(["gm", "convert", "-size", f"{WIDTH}x{HEIGHT}", "plasma:fractal", "-quality", "90", jpeg],
                   check=True, env=env)
    subprocess.run(["gm", "convert", jpeg, ppm], check=True, env=env)
    subprocess.run(["gm", "convert", jpeg, miff], check=True, env=env)
    for name, effect, operator in STEPS:
        for cropped in (False, True):
            figures = subprocess.run(
                benchlib.ours("effects_dialog_bench", benchlib.PROGRAM_DIR, ppm, "step", effect, int(cropped)),
                check=True, capture_output=True, text=True, env=env).stdout
            values = dict(part.split("=", 1) for part in figures.split() if "=" in part)
            ours, full = float(values["seconds"]), float(values["full"])
            crop = ["-crop", MIDDLE_THIRD] if cropped else []
            peer, whole_run = benchlib.peer_seconds(["gm", "convert", miff, *crop, *operator, "null:"],
                                                    ["gm", "convert", miff, *crop, "null:"], env=env)
            what = f"{name} step, {'middle third' if cropped else 'whole'}"
            benchlib.report(what, ours, "gm " + " ".join(operator), peer, whole_run)
            print(f"    step {verdict(ours, STEP_GOAL)}; the full rebuild beside it: {full * 1000:.1f} ms")
    change, _ = benchlib.median_reported(
        benchlib.ours("effects_dialog_bench", benchlib.PROGRAM_DIR, ppm, "change"), runs=1, env=env)
    peer, whole_run = benchlib.peer_seconds(["gm", "convert", miff, "-modulate", "110", "null:"],
                                            ["gm", "convert", miff, "null:"], env=env)
    benchlib.report("Change of effect (five presets, preview)", change, "gm -modulate 110", peer, whole_run)
    print(f"    change {verdict(change, CHANGE_GOAL)}")


if __name__ == "__main__":
    main()
