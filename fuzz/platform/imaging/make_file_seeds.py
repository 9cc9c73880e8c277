"""Writes small picture files of one decoder family as fuzzing seeds: make_file_seeds.py FAMILY FOLDER.
The files are made by GraphicsMagick and ImageMagick in the variants each format has."""
import os
import subprocess
import sys

SOURCE = ["gm", "convert", "-size", "19x13", "gradient:#ff8000-#0040c0", "-fill", "#20c040", "-draw",
          "circle 12,6 15,9", "-depth", "8"]
TRANSPARENT = ["/usr/bin/convert", "-size", "19x13", "gradient:#ff8000-#0040c0", "-alpha", "set", "-channel", "A",
               "-fx", "i<8 ? 0 : 1", "+channel", "-depth", "8"]

FAMILIES = {
    "jpeg": [
        (SOURCE, ["-quality", "80"], "baseline.jpg"),
        (SOURCE, ["-interlace", "line"], "progressive.jpg"),
        (SOURCE, ["-colorspace", "gray"], "grey.jpg"),
        (["/usr/bin/convert", "-size", "19x13", "gradient:#ff8000-#0040c0"], ["-colorspace", "CMYK"], "cmyk.jpg"),
    ],
    "png": [
        (SOURCE, ["-colors", "12"], "palette.png"),
        (SOURCE, ["-colorspace", "gray", "-depth", "16"], "grey16.png"),
        (SOURCE, ["-monochrome"], "bilevel.png"),
        (SOURCE, ["-interlace", "line"], "interlaced.png"),
        (TRANSPARENT, [], "rgba.png"),
        (TRANSPARENT, ["-colors", "8"], "palette-transparent.png"),
    ],
    "tiff": [
        (SOURCE, ["-compress", "LZW"], "lzw.tif"),
        (SOURCE, ["-colors", "16", "-type", "palette", "-compress", "RLE"], "palette.tif"),
        (SOURCE, ["-monochrome", "-compress", "Group4"], "g4.tif"),
        (SOURCE, ["-compress", "JPEG"], "jpeg.tif"),
        (SOURCE, ["-compress", "Zip", "-define", "tiff:tile-geometry=16x16"], "tiled.tif"),
        (SOURCE, ["-colorspace", "gray", "-depth", "4"], "grey4.tif"),
        (TRANSPARENT, [], "alpha.tif"),
    ],
    "pcx": [
        (SOURCE, [], "rgb.pcx"),
        (SOURCE, ["-colors", "40"], "palette.pcx"),
        (SOURCE, ["-monochrome"], "bilevel.pcx"),
        (TRANSPARENT, [], "icon.ico"),
        (TRANSPARENT, ["-colors", "16"], "icon16.ico"),
    ],
}


def main(family, folder):
    for command, options, name in FAMILIES[family]:
        subprocess.run(command + options + [os.path.join(folder, name)], check=True)
    if family == "pcx":
        # A cursor is an icon with type 2 in its directory.
        with open(os.path.join(folder, "icon16.ico"), "rb") as f:
            icon = bytearray(f.read())
        icon[2] = 2
        with open(os.path.join(folder, "cursor.cur"), "wb") as f:
            f.write(icon)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
