"""Printing: the main window in edit mode with an A4 page of four 12-megapixel photos in a 2 x 2 grid,
printed at 300 dpi to the built-in PDF printer into a RAM folder, against GraphicsMagick composing the same
photos (as PPM) into the same cells of a white 1750 x 2475 page (the print picture's size) into a
Zip-compressed PDF at 211.67 dpi (goal: at most 1.0x).

Our program times the main window's print job (RunPrintJob to the renamed file), the photos already loaded;
the PDF's pictures must be at 300 dpi. The peer's figure is its composing run less a run that only reads the
same four photos, where that difference stands clear of the noise; else its whole run.
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

# The cells in print-picture pixels (0.12 mm): 800 x 600 at x 50 | 900, y 250 | 1250, row by row.
CELLS = [(50, 250), (900, 250), (50, 1250), (900, 1250)]
GOAL = 1.0


def picture_dpis(pdf):
    """The x and y resolutions of the pictures in a PDF file, as pdfimages lists them."""
    listing = subprocess.run(["pdfimages", "-list", pdf], check=True, capture_output=True, text=True,
                             env=dict(os.environ, LC_ALL="C.UTF-8")).stdout.splitlines()[2:]
    return {(line.split()[12], line.split()[13]) for line in listing}


def page():
    ram = tempfile.mkdtemp(prefix="vcbench-", dir="/dev/shm" if os.path.isdir("/dev/shm") else None)
    try:
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        ours, _ = benchlib.median_reported(benchlib.ours("print_bench", "page", ram), env=env)
        dpis = picture_dpis(os.path.join(ram, "page.pdf"))
        if dpis != {("300", "300")}:
            raise RuntimeError(f"the PDF printer printed its pictures at {dpis} dpi, not 300")
        photos = [os.path.join(ram, f"photo{i}.ppm") for i in range(1, 5)]
        draw = " ".join(f"image Over {x},{y} 800,600 '{photo}'" for (x, y), photo in zip(CELLS, photos))
        out = os.path.join(ram, "gm.pdf")
        compose = ["gm", "convert", "-size", "1750x2475", "xc:white", "-draw", draw, "-compress", "Zip",
                   "-density", "211.67", "-units", "PixelsPerInch", out]
        reading = ["gm", "convert", *photos, "null:"]
        peer, whole = benchlib.peer_seconds(compose, reading)
        ratio = benchlib.report("A4 page, four 12 MP photos, 300 dpi to PDF", ours, "gm convert -draw", peer,
                                whole)
        print(f"{'':<48} goal at most {GOAL:.1f}x: {'met' if ratio <= GOAL else 'missed'}", flush=True)
    finally:
        shutil.rmtree(ram, ignore_errors=True)


if __name__ == "__main__":
    page()
