"""The zip component against Python's zipfile, Info-ZIP zip and unzip on an album-like archive of 1,000
entries (500 XML descriptions, 500 BMP thumbnails of 20-40 KB; bench/albumgen.py).

- Building from memory: ours and zipfile each time only their own adding and closing (same zlib, level 6).
  Ours also flushes the finished archive to disk before renaming it into place; zipfile does not.
- Building from files, whole processes: ours against zip -q -6 (which has its own deflate).
- Extracting every entry to memory, whole processes: ours against unzip -p > /dev/null.
- Adding one entry to an archive and closing: time and bytes written, for archives of 250 to 2,000 entries.
  Ours writes a new copy, flushes it and renames it over the archive, so that a failure never damages it;
  zip also writes a new archive (without flushing it); zipfile's append mode writes into the archive itself.
"""
import os
import shlex
import shutil
import sys

sys.path.insert(0, os.path.dirname(__file__))
import albumgen  # noqa: E402
import benchlib  # noqa: E402

PYTHON = "/usr/bin/python3"
PYTHON_BUILD = """
import sys, time, zipfile
folder, manifest, out = sys.argv[1:4]
names = [n for n in open(manifest, encoding="utf-8").read().split("\\n") if n]
data = [(n, open(folder + "/" + n, "rb").read()) for n in names]
start = time.perf_counter()
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    for n, d in data:
        z.writestr(n, d)
print("seconds=%.6f" % (time.perf_counter() - start))
"""
PYTHON_APPEND = """
import os, shutil, sys, time, zipfile
base, out, path = sys.argv[1:4]
shutil.copyfile(base, out)
data = open(path, "rb").read()
start = time.perf_counter()
with zipfile.ZipFile(out, "a", zipfile.ZIP_DEFLATED) as z:
    z.writestr(os.path.basename(path), data)
print("seconds=%.6f" % (time.perf_counter() - start))
"""


def write_manifest(path, names):
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(names) + "\n")


def main():
    work = benchlib.scratch_dir()
    entries = os.path.join(work, "entries")
    names = albumgen.write_album_entries(entries, count=2000)
    manifest = os.path.join(work, "album.txt")
    write_manifest(manifest, names[:1000])
    ours_zip = os.path.join(work, "ours.zip")
    worst = 0.0

    ours, _ = benchlib.median_reported(benchlib.ours("zip_bench", "build", entries, manifest, ours_zip))
    python, _ = benchlib.median_reported([PYTHON, "-c", PYTHON_BUILD, entries, manifest, os.path.join(work, "py.zip")])
    worst = max(worst, benchlib.report("Build 1000 entries from memory", ours, "python3 zipfile", python))

    info_zip = os.path.join(work, "infozip.zip")
    ours_whole = benchlib.median_seconds(benchlib.ours("zip_bench", "build", entries, manifest, ours_zip))
    zip_whole = benchlib.median_seconds(["sh", "-c", f"rm -f {info_zip} && zip -q -6 {info_zip} -@ < {manifest}"],
                                        cwd=entries)
    benchlib.report("Build 1000 entries from files (processes)", ours_whole, "zip -q -6", zip_whole)

    ours_extract = benchlib.median_seconds(benchlib.ours("zip_bench", "extract", ours_zip))
    unzip = benchlib.median_seconds(["unzip", "-p", ours_zip])
    worst = max(worst, benchlib.report("Extract 1000 entries to memory (processes)", ours_extract, "unzip -p",
                                       unzip))

    extra = os.path.join(work, "Nachtrag(0).xml")
    shutil.copyfile(os.path.join(entries, names[0]), extra)
    for count in (250, 500, 1000, 2000):
        part = os.path.join(work, f"part{count}.txt")
        base = os.path.join(work, f"base{count}.zip")
        write_manifest(part, names[:count])
        benchlib.median_reported(benchlib.ours("zip_bench", "build", entries, part, base), runs=1)
        target = os.path.join(work, "target.zip")
        ours, figures = benchlib.median_reported(benchlib.ours("zip_bench", "add", base, target, extra))
        python, _ = benchlib.median_reported([PYTHON, "-c", PYTHON_APPEND, base, target, extra])
        size = os.path.getsize(base)
        # zip also writes the archive anew through a temporary file; the copy of the base does not count.
        info_zip, whole_run = benchlib.peer_seconds(
            ["sh", "-c", f"cp {base} {target} && zip -q -j {target} {shlex.quote(extra)}"], ["cp", base, target])
        what = f"Add 1 entry to {count} entries ({size / 1e6:.1f} MB)"
        benchlib.report(what, ours, "zip -q (process)", info_zip, whole_run)
        benchlib.report(what, ours, "python3 zipfile 'a'", python)
        print(f"{'':<48} ours wrote {int(figures['written']) / 1e6:.1f} MB "
              f"({int(figures['written']) / size:.2f} x the archive)", flush=True)
    print(f"worst ratio of the goals (build vs zipfile, extract vs unzip): {worst:.2f} (goal: at most 1.00)")


if __name__ == "__main__":
    main()
