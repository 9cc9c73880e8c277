"""Opening a photo album of 1,000 entries and loading all their thumbnails (2,001 zip entries: index.xml,
1,000 entry descriptions, 1,000 BMP thumbnails of 20-40 KB from bench/albumgen.py) against unzip -p
extracting the same entries to /dev/null.

- Whole processes: album_bench (start of the object manager, reading albums.dat and the album's
  properties, opening the album, parsing every description, decoding every thumbnail) against
  unzip -p > /dev/null.
- Inside the process: the opening and thumbnails alone, against the same unzip process.

The other album benchmarks make their photo albums here (write_albums), and first_page runs those of a
window's first page of tiles.
"""
import os
import random
import sys
import zipfile
from html import escape

sys.path.insert(0, os.path.dirname(__file__))
import albumgen  # noqa: E402
import benchlib  # noqa: E402

COUNT = 1000
GOAL = 1.5


def quoteattr(text):
    """An XML attribute value in double quotes. (The module xml would be this folder's xml.py.)"""
    return '"' + escape(text, quote=True) + '"'


def entry_xml(index, title):
    """An entry description as the album writes it."""
    return (
        '<?xml version="1.0" encoding="ISO-8859-2"?>\n<OBJECT><PROPERTIES '
        f'url={quoteattr(f"/Urlaub 2024/IMG_{index:05d}.JPG")} thumbnail={quoteattr(f"{title}.JPG(0).thumb.bmp")} '
        f'title={quoteattr(f"Strand und Meer {index}")} width="0" height="0" relativepath="true" '
        f'crc32="{(index * 2654435761) % 2**32}" description="Abend am Hafen" description_encoding=""/></OBJECT>\n'
    ).encode("iso-8859-2")


def write_album(path, count=COUNT, title="Urlaub"):
    """A photo album of count entries, each with its description and a BMP thumbnail."""
    rng = random.Random(4)
    hrefs = [f"IMG_{i:05d}.JPG(0).xml" for i in range(count)]
    objects = "".join(f"<OBJECT href={quoteattr(h)}/>" for h in hrefs)
    index = ('<?xml version="1.0" encoding="ISO-8859-2"?>\n<ALBUM><OBJECTS>' + objects +
             f'</OBJECTS><PROPERTY producer="DS" title={quoteattr(title)} description=""/></ALBUM>\n'
             ).encode("iso-8859-2")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED, compresslevel=6) as z:
        z.writestr("index.xml", index)
        for i, href in enumerate(hrefs):
            name = f"IMG_{i:05d}"
            z.writestr(href, entry_xml(i, name))
            z.writestr(f"{name}.JPG(0).thumb.bmp", albumgen.thumbnail_bmp(rng))


def write_albums(data, albums):
    """The photo albums of a data folder as the object manager finds them: "Bilder/album<i>.zip" for each
    (count, title) of albums, listed in that order in "Bilder/albums.dat". Returns the albums' paths."""
    pictures = os.path.join(data, "Bilder")
    os.makedirs(pictures)
    paths = [os.path.join(pictures, f"album{i}.zip") for i in range(len(albums))]
    for path, (count, title) in zip(paths, albums):
        write_album(path, count=count, title=title)
    listed = "".join(f'<ALBUM path="/{os.path.basename(path)}"/>' for path in paths)
    with open(os.path.join(pictures, "albums.dat"), "w", encoding="utf-8") as f:
        f.write(f'<?xml version="1.0"?><ALBUMS>{listed}</ALBUMS>\n')
    return paths


def first_page(tool, what, count, shown, goal):
    """A window's first page of tiles on a photo album of count entries, not yet opened, against unzip -p of the
    same thumbnails. A first album of one entry comes before it. tool gets the data folder, the profile folder
    and the album's title, and prints seconds=, tiles= and shown= (tiles on the first page)."""
    work = benchlib.scratch_dir()
    data = os.path.join(work, "data")
    title = "Urlaub"
    album = write_albums(data, [(1, "Erstes"), (count, title)])[1]
    command = benchlib.ours(tool, data, os.path.join(work, "profile"), title)

    unzip = benchlib.median_seconds(["unzip", "-p", album, "*.thumb.bmp"])
    ours, figures = benchlib.median_reported(command)
    assert int(figures["tiles"]) == count and int(figures["shown"]) == shown, figures
    benchlib.goal(benchlib.report(what, ours, "unzip -p thumbnails", unzip), goal)


def main():
    work = benchlib.scratch_dir()
    data = os.path.join(work, "data")
    album = write_albums(data, [(COUNT, "Urlaub")])[0]
    with zipfile.ZipFile(album) as z:
        assert len(z.namelist()) == 2 * COUNT + 1
    profile = os.path.join(work, "profile")
    command = benchlib.ours("album_bench", data, profile)

    unzip = benchlib.median_seconds(["unzip", "-p", album])
    whole = benchlib.median_seconds(command)
    inside, figures = benchlib.median_reported(command)
    assert int(figures["thumbnails"]) == COUNT, figures
    ratio = benchlib.report(f"Open album, {COUNT} entries + thumbnails (process)", whole, "unzip -p", unzip)
    benchlib.report(f"Open album, {COUNT} entries + thumbnails (inside)", inside, "unzip -p", unzip)
    print(f"ratio of the goal (whole process against unzip -p): {ratio:.2f} (goal: at most {GOAL:.2f})")


if __name__ == "__main__":
    main()
