"""The program's own GIF reader against giflib, on the same file in one run: a full decode of a
4000x3000 GIF of 256 colours (GraphicsMagick's quantisation of the photo scene) through the plug-in
manager (CExtMgr::LoadFile and codecgif), against gif2rgb writing one RGB file to /dev/null. Ours is the
time of the LoadFile call itself: loading the plug-ins belongs to the program's start-up.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 4000, 3000


def main():
    work = benchlib.scratch_dir()
    scene = os.path.join(work, "scene.bmp")
    subprocess.run(benchlib.ours("photoscene_bmp", WIDTH, HEIGHT, scene), check=True)
    gif = os.path.join(work, "scene.gif")
    subprocess.run(["gm", "convert", scene, "-colors", "256", gif], check=True)

    ours, _ = benchlib.median_reported(benchlib.ours("codec_bench", benchlib.PROGRAM_DIR, "timed-load", gif))
    giflib = benchlib.median_seconds(["gif2rgb", "-1", "-o", "/dev/null", gif])
    ratio = benchlib.report(f"Full decode of a GIF {WIDTH}x{HEIGHT} (manager)", ours, "gif2rgb -1", giflib)
    print(f"through the plug-in manager: ratio against gif2rgb {ratio:.2f} (goal: at most 1.20)", flush=True)


if __name__ == "__main__":
    main()
