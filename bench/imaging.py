"""The imaging library's file side against the tools of the field, on the same files in one run:
- 160x120 thumbnails (force-size, resample) of 50 JPEG photos of 4000x3000 at quality 90, one file after
  another, against vipsthumbnail and gm mogrify with its JPEG size hint; directly and, as the program
  makes them, through the plug-in manager (CExtMgr::CreateThumbnailForFile and the codec plug-in);
- a full decode of one JPEG of 6000x4000 (24 megapixels) against djpeg writing BMP to /dev/null; directly
  and through the plug-in manager (CExtMgr::LoadFile);
- thumbnails on two threads at once against one thread: the same pixels.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(__file__))
import benchlib  # noqa: E402

PHOTOS = 50
WIDTH, HEIGHT = 4000, 3000


def main():
    work = benchlib.scratch_dir()
    photos = benchlib.make_plasma_photos(work, PHOTOS, WIDTH, HEIGHT)
    out = os.path.join(work, "out")
    os.makedirs(out)

    ours = benchlib.median_seconds(benchlib.ours("imaging_bench", "thumbnails", *photos))
    vips = benchlib.median_seconds(["vipsthumbnail", "-s", "160x120", "-o", os.path.join(out, "%s.jpg")] + photos)
    gm = benchlib.median_seconds(["gm", "mogrify", "-output-directory", out, "-create-directories", "-size", "320x240",
                                  "-thumbnail", "160x120"] + photos)
    what = f"Thumbnails of {PHOTOS} JPEG {WIDTH}x{HEIGHT} -> 160x120"
    benchlib.report(what, ours, "vipsthumbnail", vips)
    benchlib.report(what, ours, "gm mogrify -size", gm)
    print(f"per file: ours {ours / PHOTOS * 1000:.1f} ms, faster peer {min(vips, gm) / PHOTOS * 1000:.1f} ms; "
          f"ratio against the faster peer {ours / min(vips, gm):.2f} (goal: at most 1.00)", flush=True)
    manager = benchlib.median_seconds(benchlib.ours("codec_bench", benchlib.PROGRAM_DIR, "thumbnails", 160, 120,
                                                    *photos))
    ratio = benchlib.report(what + " (manager)", manager, "faster peer", min(vips, gm))
    print(f"through the plug-in manager: ratio against the faster peer {ratio:.2f} (goal: at most 1.00)", flush=True)

    big = os.path.join(work, "big.jpg")
    subprocess.run(["gm", "convert", os.path.join(work, "base.ppm"), "-resize", "6000x4000!", "-quality", "90", big],
                   check=True)
    ours = benchlib.median_seconds(benchlib.ours("imaging_bench", "decode", big))
    djpeg = benchlib.median_seconds(["djpeg", "-bmp", "-outfile", "/dev/null", big])
    ratio = benchlib.report("Full decode of a JPEG 6000x4000", ours, "djpeg -bmp", djpeg)
    print(f"ratio against djpeg {ratio:.2f} (goal: at most 1.20)", flush=True)
    manager = benchlib.median_seconds(benchlib.ours("codec_bench", benchlib.PROGRAM_DIR, "load", big))
    ratio = benchlib.report("Full decode of a JPEG 6000x4000 (manager)", manager, "djpeg -bmp", djpeg)
    print(f"through the plug-in manager: ratio against djpeg {ratio:.2f} (goal: at most 1.20)", flush=True)

    same = subprocess.run(benchlib.ours("imaging_bench", "threads", *photos[:10]), check=True, capture_output=True,
                          text=True).stdout.strip()
    print(f"thumbnails on two threads give the same pixels as on one: {'yes' if same == 'same=1' else 'NO'}")


if __name__ == "__main__":
    main()
