"""Album-like entries for benchmarks: per item an XML description and a 24-bit BMP thumbnail of 20-40 KB,
named as albums name them ("%s(%d).xml", "%s(%d).thumb.bmp"). The same bytes for the same seed.

    names = write_album_entries(folder, count=1000)   # files in folder, names in album order
"""
import math
import os
import random
import struct

# Values stay at or below 0xF0 so that three bits of noise never carry into the next byte.
_PATTERN = bytes(int(120 + 100 * math.sin(i / 37.0) * math.cos(i / 211.0)) for i in range(8192))
_NOISE = bytes(b & 0x07 for b in range(256))


def thumbnail_bmp(rng):
    """A bottom-up 24-bit BMP of 110-135 x 62-100 pixels: smooth shading under a little noise, like a
    scaled-down photo."""
    width, height = rng.randint(110, 135), rng.randint(62, 100)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        start = (y * 29 + rng.randint(0, 40)) % (len(_PATTERN) - stride)
        base = _PATTERN[start:start + stride]
        noise = rng.randbytes(stride).translate(_NOISE)
        rows.append((int.from_bytes(base, "little") + int.from_bytes(noise, "little")).to_bytes(stride, "little"))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def description_xml(rng, index, title):
    """An item description of about a kilobyte."""
    words = ["Strand", "Abend", "Berge", "Familie", "Hafen", "Sonne", "Wald", "Fest", "Garten", "Winter"]
    caption = " ".join(rng.choice(words) for _ in range(rng.randint(40, 120)))
    return (
        '<?xml version="1.0" encoding="ISO-8859-1"?>\n'
        f'<PHOTO title="{title}" date="2024-05-{1 + index % 28:02d}" crc32="{rng.getrandbits(32)}" '
        f'file="\\Fotos\\Urlaub 2024\\IMG_{index:05d}.JPG" width="{rng.choice([3000, 4000, 6000])}" '
        f'height="{rng.choice([2000, 3000, 4000])}" rating="{rng.randint(0, 5)}">\n'
        f"  <DESCRIPTION>{caption}</DESCRIPTION>\n"
        f'  <THUMBNAIL href="{title}(0).thumb.bmp"/>\n'
        "</PHOTO>\n"
    ).encode("latin-1")


def album_entries(count=1000, seed=4):
    """count entries as (name, bytes): count / 2 items of a description and a thumbnail each."""
    rng = random.Random(seed)
    entries = []
    for item in range(count // 2):
        title = f"IMG_{item:05d}"
        entries.append((f"{title}(0).xml", description_xml(rng, item, title)))
        entries.append((f"{title}(0).thumb.bmp", thumbnail_bmp(rng)))
    return entries


def write_album_entries(folder, count=1000, seed=4):
    """Writes the entries as files into folder; returns their names in album order."""
    os.makedirs(folder, exist_ok=True)
    names = []
    for name, data in album_entries(count, seed):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        names.append(name)
    return names
