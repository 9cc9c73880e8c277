"""Opening a project: an edit-mode project of 12 picture objects over 6 distinct 12-megapixel JPEG files
(two objects on each, neutral settings), against djpeg decoding the 6 files.

Our program times the opening alone (the project stream in memory, every picture loaded from its file
and built); djpeg's figure is one shell run decoding the six files to /dev/null, its start-ups included.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

FILES = 6


def photos(work):
    env = dict(os.environ, LC_ALL="C.UTF-8")
    for i in range(FILES):
        path = os.path.join(work, "photo%d.jpg" % i)
        # 4000 x 3000 of random plasma: detail everywhere for the decoder, and each file differs.
        subprocess.run(["gm", "convert", "-size", "4000x3000", "plasma:fractal",
                        "-quality", "90", path], check=True, env=env)
    return [os.path.join(work, "photo%d.jpg" % i) for i in range(FILES)]


def main():
    work = benchlib.scratch_dir()
    files = photos(work)
    ours, _ = benchlib.median_reported(benchlib.ours("project_bench", work))
    script = "for f in " + " ".join(files) + "; do djpeg -outfile /dev/null \"$f\"; done"
    peer = benchlib.median_seconds(["/bin/sh", "-c", script], env=dict(os.environ, LC_ALL="C.UTF-8"))
    benchlib.report("Open a project, 12 pictures over 6 x 12 MP JPEG", ours, "djpeg x 6", peer)


if __name__ == "__main__":
    main()
