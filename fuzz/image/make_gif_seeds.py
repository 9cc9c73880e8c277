"""Writes small GIF files made by ImageMagick and gifsicle as fuzzing seeds: make_gif_seeds.py FOLDER."""
import os
import subprocess
import sys

CONVERT = "/usr/bin/convert"
SEEDS = [
    ([CONVERT, "-size", "19x13", "gradient:#ff8000-#0040c0", "-colors", "16"], "plain.gif"),
    ([CONVERT, "-size", "19x13", "gradient:red-blue", "-interlace", "GIF"], "interlaced.gif"),
    ([CONVERT, "-size", "19x13", "gradient:#ff8000-#0040c0", "-alpha", "set", "-channel", "A", "-fx",
      "i<8 ? 0 : 1", "+channel", "-colors", "8"], "transparent.gif"),
    ([CONVERT, "-size", "9x7", "gradient:red-blue", "-size", "9x7", "gradient:lime-yellow"], "two-frames.gif"),
    ([CONVERT, "-size", "1x1", "xc:#123456"], "one-pixel.gif"),
    ([CONVERT, "-size", "64x64", "plasma:fractal", "-seed", "3"], "noise.gif"),
]


def main(folder):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    for command, name in SEEDS:
        subprocess.run(command + [os.path.join(folder, name)], check=True, env=env)
    # gifsicle's own coder and interlacing.
    for options, name in [(["-O2", "--colors", "4"], "gifsicle.gif"), (["-i"], "gifsicle-interlaced.gif")]:
        with open(os.path.join(folder, name), "wb") as out:
            subprocess.run(["gifsicle"] + options + [os.path.join(folder, "noise.gif")], check=True, stdout=out,
                           env=env)


if __name__ == "__main__":
    main(sys.argv[1])
