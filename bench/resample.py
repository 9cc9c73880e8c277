"""Resample of a 6000x4000 24-bit picture by the Rastrum library against vips and GraphicsMagick (Lanczos-3).

Our figure is the Resample call alone, measured inside the benchmark program. A peer's figure is its resize run
minus a baseline run that reads the same file and writes a picture of the target size without scaling (a crop),
so that reading, decoding and writing do not count (see benchlib.peer_seconds).
"""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 6000, 4000
TARGETS = [(1500, 1000), (600, 400)]


def write_input(path):
    # Smooth shapes plus noise: the content does not change the work, but looks like a photo.
    import random
    random.seed(7)
    row_noise = bytes(random.getrandbits(8) for _ in range(WIDTH * 3))
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT))
        for y in range(HEIGHT):
            shift = (y * 37) % (WIDTH * 3)
            f.write(row_noise[shift:] + row_noise[:shift])


def main():
    work = benchlib.scratch_dir()
    source = os.path.join(work, "in.ppm")
    out = os.path.join(work, "out.ppm")
    write_input(source)
    worst = 0.0
    for w, h in TARGETS:
        ours, _ = benchlib.median_reported(benchlib.ours("resample_bench", benchlib.PROGRAM_DIR, source, w, h))
        vips = benchlib.peer_seconds(["vips", "resize", source, out, str(w / WIDTH), "--kernel", "lanczos3"],
                                     ["vips", "crop", source, out, "0", "0", str(w), str(h)])
        gm = benchlib.peer_seconds(["gm", "convert", source, "-filter", "Lanczos", "-resize", f"{w}x{h}!", out],
                                   ["gm", "convert", source, "-crop", f"{w}x{h}+0+0", out])
        what = f"Resample {WIDTH}x{HEIGHT} -> {w}x{h}"
        worst = max(worst, benchlib.report(what, ours, "vips resize lanczos3", *vips),
                    benchlib.report(what, ours, "gm -filter Lanczos", *gm))
    print(f"worst ratio against the faster peer: {worst:.2f} (goal: at most 1.00)")


if __name__ == "__main__":
    main()
