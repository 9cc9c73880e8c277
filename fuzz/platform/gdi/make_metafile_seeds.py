"""Writes the WMF fixtures of the metafile tests as fuzzing seeds: make_metafile_seeds.py FOLDER."""
import os
import subprocess
import sys

GENERATOR = os.path.join(os.path.dirname(__file__), "..", "..", "..", "tests", "codecs", "make_wmf.py")


def main(folder):
    for name, extra in [("shapes", []), ("mapping", []), ("bitmaps", []), ("arcs", []), ("plain", ["60", "40"]),
                        ("polygons", ["20"])]:
        subprocess.run([sys.executable, GENERATOR, name, os.path.join(folder, name + ".wmf")] + extra, check=True)


if __name__ == "__main__":
    main(sys.argv[1])
