"""The slide show's step to the next photo: the Right key until the next 4000 x 3000 JPEG is decoded,
reduced and painted on a 1920 x 1080 screen (offscreen), against djpeg -bmp of that file to /dev/null.
The pictures are photo-like noise over a gradient made by ImageMagick, about 3.5 MB each."""
import json
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 4000, 3000
SCREEN = (1920, 1080)
GOAL = 1.5


def main():
    work = benchlib.scratch_dir()
    pictures = os.path.join(work, "data", "Bilder")
    os.makedirs(pictures)
    first = os.path.join(pictures, "a.jpg")
    env = dict(os.environ, LC_ALL="C.UTF-8")
    subprocess.run(["/usr/bin/convert", "-size", f"{WIDTH}x{HEIGHT}", "gradient:skyblue-darkgreen",
                    "-attenuate", "0.3", "+noise", "Gaussian", "-quality", "90", first], check=True, env=env)
    shutil.copyfile(first, os.path.join(pictures, "b.jpg"))
    screens = os.path.join(work, "screens.json")
    with open(screens, "w", encoding="utf-8") as f:
        json.dump({"screens": [{"name": "bench", "x": 0, "y": 0, "width": SCREEN[0], "height": SCREEN[1],
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}, f)
    bench_env = dict(env, QT_QPA_PLATFORM=f"offscreen:configfile={screens}")

    command = benchlib.ours("slideshow_bench", benchlib.PROGRAM_DIR, os.path.join(work, "data"))
    ours, figures = benchlib.median_reported(command, env=bench_env)
    assert figures["screen"] == f"{SCREEN[0]}x{SCREEN[1]}", figures
    assert figures["picture"] == f"{WIDTH}x{HEIGHT}", figures
    djpeg = benchlib.median_seconds(["djpeg", "-bmp", first], env=env)
    ratio = benchlib.report(f"Slide show Right key, {WIDTH}x{HEIGHT} JPEG", ours, "djpeg -bmp", djpeg)
    print(f"ratio of the goal (against djpeg -bmp): {ratio:.2f} (goal: at most {GOAL:.2f})")


if __name__ == "__main__":
    main()
