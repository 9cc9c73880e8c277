"""Ten colour pages at 300 dpi, 200 x 200 mm, from the document feeder of SANE's test backend: ours read
into DIBs through the source manager without its panel, against scanimage --batch writing PNM files into
a RAM folder with the same options. Ours is timed inside its process, once from opening the manager
(which loads the camera drivers and the scanner backends) and once from enabling the source (the pages
alone); scanimage as a whole process.
"""
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402


def main():
    ram = "/dev/shm" if os.path.isdir("/dev/shm") else None
    folder = tempfile.mkdtemp(dir=ram)
    try:
        config = os.path.join(folder, "sane")
        os.mkdir(config)
        with open(os.path.join(config, "dll.conf"), "w") as out:
            out.write("test\n")
        with open("/etc/sane.d/test.conf") as system, open(os.path.join(config, "test.conf"), "w") as out:
            out.write(system.read() + 'number_of_devices 1\ntest-picture "Color pattern"\n')
        env = dict(os.environ, SANE_CONFIG_DIR=config, LC_ALL="C.UTF-8")
        our, _ = benchlib.median_reported(benchlib.ours("scan_bench"), env=env)
        pages_only, _ = benchlib.median_reported(benchlib.ours("scan_bench"), key="scanning", env=env)
        pages = os.path.join(folder, "pages")
        os.mkdir(pages)
        peer = benchlib.median_seconds(
            ["scanimage", "-d", "test:0", "--mode", "Color", "--depth", "8", "--resolution", "300",
             "--source", "Automatic Document Feeder", "-l", "0", "-t", "0", "-x", "200", "-y", "200",
             "--format=pnm", "--batch=" + os.path.join(pages, "p%d.pnm")],
            env=env)
        count = len(os.listdir(pages))
        benchlib.report(f"{count} feeder pages, colour 300 dpi", our, "scanimage --batch", peer)
        benchlib.report("  the same, pages alone (after enabling)", pages_only, "scanimage --batch", peer)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
