"""The drawing layer's transfers on large pictures, with COLORONCOLOR stepping: a 6000 x 4000 24-bit
picture onto a print page (1750 x 2475, an A4 page at 0.12 mm per pixel) and that page onto a 600 dpi
printer (4960 x 7016), each against GraphicsMagick's point sampling (-sample) of the same sizes; the
transparent-picture pair (SRCPAINT then SRCAND); and a 1:1 transfer against a plain memcpy of its bytes.

Our program times the transfer alone. GraphicsMagick's figure is its -sample run on a canvas it makes
itself, written to null:, minus the same run without -sample, so that making the canvas and starting the
program do not count.
"""
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

CASES = [((6000, 4000), (1750, 2475)), ((1750, 2475), (4960, 7016))]


def median_reported(*args):
    """Median of the seconds our benchmark program prints, over benchlib.RUNS runs."""
    times = []
    for _ in range(benchlib.RUNS):
        out = subprocess.run(benchlib.ours("gdi_bench", *args), check=True, capture_output=True, text=True)
        times.append(float(out.stdout))
    return statistics.median(times)


def gm_seconds(source, dest):
    """GraphicsMagick's time to point-sample a canvas of the source size to the destination size, as
    benchlib.peer_seconds gives it."""
    canvas = ["gm", "convert", "-size", f"{source[0]}x{source[1]}", "gradient:#102030-#f0e0d0"]
    return benchlib.peer_seconds([*canvas, "-sample", f"{dest[0]}x{dest[1]}!", "null:"], [*canvas, "null:"], runs=9)


def main():
    for source, dest in CASES:
        ours = median_reported("stretch", *source, *dest)
        name = f"StretchDIBits {source[0]}x{source[1]} onto {dest[0]}x{dest[1]}"
        benchlib.report(name, ours, "gm convert -sample", *gm_seconds(source, dest))

    mask = median_reported("mask", 6000, 4000, 1750, 2475)
    single = median_reported("stretch", 6000, 4000, 1750, 2475)
    print(f"Mask pair (SRCPAINT, SRCAND) onto 1750x2475    {mask * 1000:9.1f} ms   "
          f"({mask / single:.2f} x one SRCCOPY transfer)", flush=True)

    copy = median_reported("copy")
    memcpy = median_reported("memcpy")
    benchlib.report("StretchDIBits 1:1 of 6000x4000", copy, "memcpy of the bytes", memcpy)


if __name__ == "__main__":
    main()
