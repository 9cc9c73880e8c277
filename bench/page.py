"""Page objects: a 3 MP adjusted picture rendered through a stencil into a 2000 x 1500 frame, against
GraphicsMagick compositing the same picture (already resized to the frame) over the same background
through the same mask; and FitToText with Draw of 20 five-line texts against QPainter::drawText of the
same lines in the same fonts.

Our program times the rendering alone. GraphicsMagick reads its three inputs as MIFF from memory
(/dev/shm); its figure is the composite run minus a run that only reads the same three inputs. When that
difference is not above the noise, no ratio is printed.
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402


def stencil():
    work = benchlib.scratch_dir()
    ours, _ = benchlib.median_reported(benchlib.ours("page_bench", "stencil", work))
    shm = tempfile.mkdtemp(prefix="vcbench-", dir="/dev/shm" if os.path.isdir("/dev/shm") else None)
    try:
        miff = {}
        for name in ("picture", "background", "mask"):
            miff[name] = os.path.join(shm, name + ".miff")
            subprocess.run(["gm", "convert", os.path.join(work, name + ".bmp"), miff[name]], check=True)
        composite = benchlib.median_seconds(
            ["gm", "composite", miff["picture"], miff["background"], miff["mask"], "null:"])
        reading = benchlib.median_seconds(
            ["gm", "convert", miff["picture"], miff["background"], miff["mask"], "null:"])
    finally:
        shutil.rmtree(shm, ignore_errors=True)
    peer = composite - reading
    name = "Stencil render of 3 MP into 2000x1500"
    if peer <= 0.05 * composite:
        print(f"{name:<48} ours {ours * 1000:9.1f} ms   gm composite: not measurable above its reading", flush=True)
        return
    benchlib.report(name, ours, "gm composite", peer)


def text():
    ours, figures = benchlib.median_reported(benchlib.ours("page_bench", "text"), key="ours")
    peer, _ = benchlib.median_reported(benchlib.ours("page_bench", "text"), key="peer")
    benchlib.report("FitToText + Draw, 20 five-line texts x 10", ours, "QPainter::drawText", peer)


if __name__ == "__main__":
    stencil()
    text()
