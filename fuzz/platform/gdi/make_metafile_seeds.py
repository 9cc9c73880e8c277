"""Writes the WMF and EMF fixtures of the metafile tests as fuzzing seeds: make_metafile_seeds.py FOLDER."""
import os
import subprocess
import sys

FIXTURES = os.path.join(os.path.dirname(__file__), "..", "..", "..", "tests", "codecs")
GENERATOR = os.path.join(FIXTURES, "make_wmf.py")
EMF_GENERATOR = os.path.join(FIXTURES, "make_emf.py")


def main(folder):
    for name, extra in [("shapes", []), ("mapping", []), ("bitmaps", []), ("arcs", []), ("plain", ["60", "40"]),
                        ("polygons", ["20"])]:
        subprocess.run([sys.executable, GENERATOR, name, os.path.join(folder, name + ".wmf")] + extra, check=True)
    for name, extra in [("shapes", []), ("sized", ["60", "40"])]:
        subprocess.run([sys.executable, EMF_GENERATOR, name, os.path.join(folder, name + ".emf")] + extra,
                       check=True)


if __name__ == "__main__":
    main(sys.argv[1])
