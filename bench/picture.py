"""BMP files of 6000x4000 pixels read through the picture's reader and written back as plain BMP, against
GraphicsMagick doing the same (gm convert in.bmp BMP3:out.bmp). The inputs are a plain bottom-up 24-bit file
(kept in place), a top-down one (rows turned), an RLE8 one (decoded) and a 16-bit 565 one (widened to 24 bits).
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

WIDTH, HEIGHT = 6000, 4000


def make_inputs(work):
    photo = os.path.join(work, "photo.ppm")
    subprocess.run(["gm", "convert", "-size", f"{WIDTH}x{HEIGHT}", "plasma:fractal", "-blur", "0x2", photo], check=True)
    inputs = {}
    inputs["24-bit bottom-up"] = os.path.join(work, "plain.bmp")
    subprocess.run(["gm", "convert", photo, "BMP3:" + inputs["24-bit bottom-up"]], check=True)
    inputs["24-bit top-down"] = os.path.join(work, "topdown.bmp")
    with open(inputs["24-bit bottom-up"], "rb") as f:
        data = bytearray(f.read())
    offset = int.from_bytes(data[10:14], "little")
    row = (WIDTH * 3 + 3) // 4 * 4
    rows = [data[offset + i * row: offset + (i + 1) * row] for i in range(HEIGHT)]
    data[22:26] = (-HEIGHT).to_bytes(4, "little", signed=True)
    data[offset:offset + row * HEIGHT] = b"".join(reversed(rows))
    with open(inputs["24-bit top-down"], "wb") as f:
        f.write(data)
    inputs["RLE8"] = os.path.join(work, "rle8.bmp")
    subprocess.run(["gm", "convert", photo, "-colors", "200", "-compress", "RLE", "BMP3:" + inputs["RLE8"]], check=True)
    inputs["16-bit 565"] = os.path.join(work, "565.bmp")
    subprocess.run(["/usr/bin/convert", photo, "-define", "bmp:subtype=RGB565", "BMP:" + inputs["16-bit 565"]],
                   check=True)
    return inputs


def main():
    work = benchlib.scratch_dir()
    out = os.path.join(work, "out.bmp")
    for kind, path in make_inputs(work).items():
        ours = benchlib.median_seconds(benchlib.ours("picture_bench", path, out))
        gm = benchlib.median_seconds(["gm", "convert", path, "BMP3:" + out])
        benchlib.report(f"Read and write BMP {WIDTH}x{HEIGHT} {kind}", ours, "gm convert BMP3", gm)


if __name__ == "__main__":
    main()
