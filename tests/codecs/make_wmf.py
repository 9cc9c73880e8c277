"""Writes WMF fixtures for the metafile tests: make_wmf.py NAME FILE [WIDTH HEIGHT].
Each fixture first paints its whole window, so that a reader that fits the drawing's own extent (as
GraphicsMagick does) sees the same area as one that takes the window."""
import struct
import sys


def record(function, *words, tail=b""):
    body = b"".join(struct.pack("<h" if w < 0 else "<H", w) for w in words) + tail
    if len(body) % 2:
        body += b"\0"
    return struct.pack("<IH", 3 + len(body) // 2, function) + body


def rgb(r, g, b):
    return (r, g, b)


def colour(c):
    return struct.pack("<I", c[0] | c[1] << 8 | c[2] << 16)


def pen(style, width, c):
    return record(0x02FA, style, width, 0, tail=colour(c))


def brush(style, c, hatch=0):
    return record(0x02FC, style, tail=colour(c) + struct.pack("<H", hatch))


def font(height, face=b"Liberation Sans", escapement=0):
    return record(0x02FB, height & 0xFFFF, 0, escapement, escapement, 400,
                  tail=bytes([0, 0, 0, 0, 0, 0, 0, 0]) + face.ljust(32, b"\0"))


def select(i):
    return record(0x012D, i)


def delete(i):
    return record(0x01F0, i)


def window(w, h, x=0, y=0):
    return record(0x020B, y, x) + record(0x020C, h, w)


def rect(l, t, r, b, fn=0x041B):
    return record(fn, b, r, t, l)


def dib24(w, h, pixel):
    stride = (w * 3 + 3) // 4 * 4
    rows = b""
    for y in range(h - 1, -1, -1):
        row = b"".join(bytes((pixel(x, y)[2], pixel(x, y)[1], pixel(x, y)[0])) for x in range(w))
        rows += row.ljust(stride, b"\0")
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0) + rows


def metafile(records, objects, placeable=None):
    body = b"".join(records) + record(0x0000)
    words = 9 + len(body) // 2
    largest, at = 0, 0
    while at < len(body):
        size = struct.unpack_from("<I", body, at)[0]
        largest, at = max(largest, size), at + 2 * size
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, words, objects, largest, 0)
    out = b""
    if placeable:
        l, t, r, b, inch = placeable
        fields = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, l, t, r, b, inch, 0)
        check = 0
        for i in range(0, 20, 2):
            check ^= struct.unpack_from("<H", fields, i)[0]
        out = fields + struct.pack("<H", check)
    return out + header + body


def background(w, h, c=(255, 255, 255)):
    return [brush(0, c), select(0), pen(5, 0, (0, 0, 0)), select(1), rect(0, 0, w + 1, h + 1), delete(0), delete(1)]


def shapes():
    w, h = 240, 160
    r = background(w, h, (250, 250, 240))
    r += [pen(0, 1, (0, 0, 0)), select(0), brush(0, (200, 30, 40)), select(1),
          rect(10, 10, 70, 60), record(0x0418, 60, 140, 10, 80), record(0x061C, 20, 20, 60, 230, 10, 150)]
    r += [brush(0, (30, 160, 60)), select(2), delete(1),
          record(0x0324, 3, 10, 150, 60, 80, 110, 150),
          record(0x0538, 2, 4, 3, 120, 80, 200, 80, 200, 150, 120, 150, 140, 90, 180, 90, 160, 140)]
    r += [pen(0, 3, (120, 0, 120)), select(1), delete(0),
          record(0x0214, 5, 5), record(0x0213, 155, 235),
          record(0x0325, 3, 235, 5, 200, 30, 235, 55)]
    return metafile([window(w, h)] + r, 3, (0, 0, w, h, 96)), w, h


def mapping():
    # A window of 2400 x 1600 units with origin (-1000, -500): everything drawn is scaled by 10.
    w, h = 240, 160
    r = [window(2400, 1600, -1000, -500)]
    r += [brush(0, (255, 255, 255)), select(0), pen(5, 0, (0, 0, 0)), select(1),
          rect(-1000, -500, 1410, 1110)]
    r += [record(0x001E), brush(0, (0, 100, 200)), select(2), rect(-900, -400, -100, 400), record(0x0127, -1 & 0xFFFF),
          rect(0, 0, 800, 800),
          record(0x020F, 100, 200),  # offset the window origin by (200, 100)
          brush(0, (220, 180, 0)), select(3), rect(1000, 500, 1300, 1000)]
    return metafile(r, 4, (0, 0, w, h, 96)), w, h


def bitmaps():
    w, h = 200, 120
    r = [window(w, h)] + background(w, h)
    flat = dib24(8, 4, lambda x, y: (200, 40, 40) if x < 4 else (40, 40, 200))
    green = dib24(4, 4, lambda x, y: (30, 180, 60))
    r += [record(0x0F43, 0x0020, 0x00CC, 0, 4, 8, 0, 0, 60, 80, 10, 10, tail=flat),
          record(0x0B41, 0x0020, 0x00CC, 4, 4, 0, 0, 40, 60, 70, 120, tail=green),
          record(0x0940, 0x0020, 0x00CC, 0, 0, 4, 4, 100, 20, tail=green),
          brush(0, (0, 0, 0)), select(0), record(0x061D, 0x0021, 0x00F0, 10, 60, 100, 20)]
    return metafile(r, 2, (0, 0, w, h, 96)), w, h


def patterns():
    # An 8 x 8 tile of four 4 x 4 blocks fills the middle of the picture.
    w, h = 160, 120
    tile = dib24(8, 8, lambda x, y: [(200, 40, 40), (40, 40, 200), (40, 160, 40), (250, 250, 250)][x // 4 + 2 * (y // 4)])
    r = [window(w, h)] + background(w, h)
    r += [record(0x0142, 5, 0, tail=tile), select(0), pen(5, 0, (0, 0, 0)), select(1), rect(16, 16, 145, 105)]
    return metafile(r, 2, (0, 0, w, h, 96)), w, h


def text(escapement):
    # A line of capitals, written along the x axis or turned upwards.
    w, h = 200, 200
    r = [window(w, h)] + background(w, h)
    r += [font(-28, escapement=escapement), select(0), record(0x0209, 0, 0), record(0x0201, 0xFFFF, 0xFFFF),
          record(0x012E, 24 if escapement else 0), record(0x0521, 6, *struct.unpack("<3H", b"HHHHHH"), 150 if escapement else 40, 40 if escapement else 80)]
    return metafile(r, 2, (0, 0, w, h, 96)), w, h


def plain(w, h):
    # No placeable header: the window extent sizes it.
    return metafile([window(w, h)] + background(w, h, (255, 255, 255)) +
                    [brush(0, (255, 0, 0)), select(0), rect(w // 4, h // 4, 3 * w // 4, 3 * h // 4)], 2), w, h


def sized(w, h):
    return metafile([window(w, h)] + background(w, h, (255, 255, 255)) +
                    [brush(0, (255, 0, 0)), select(0), rect(w // 4, h // 4, 3 * w // 4, 3 * h // 4)], 2,
                    (0, 0, w, h, 96)), w, h


def arcs():
    # GDI's own example: from 3 o'clock counterclockwise to 12 o'clock is the upper right quarter.
    w, h = 100, 100
    r = [window(w, h)] + background(w, h)
    r += [pen(5, 0, (0, 0, 0)), select(0), brush(0, (40, 60, 210)), select(1),
          record(0x081A, 0, 50, 50, 100, 100, 100, 0, 0),
          brush(0, (200, 30, 40)), select(2), delete(1),
          record(0x0830, 100, 50, 50, 0, 100, 100, 0, 0)]
    return metafile(r, 3, (0, 0, w, h, 96)), w, h


def polygons(count):
    w, h = 1000, 800
    r = [window(w, h)] + background(w, h)
    r += [pen(0, 1, (0, 0, 0)), select(0)]
    for i in range(count):
        x, y = (i * 37) % (w - 20), (i * 53) % (h - 20)
        r += [brush(0, ((i * 7) % 256, (i * 13) % 256, (i * 29) % 256)), select(1),
              record(0x0324, 4, x, y, x + 20, y + 3, x + 15, y + 18, x + 2, y + 12), delete(1)]
    return metafile(r, 2, (0, 0, w, h, 96)), w, h


def main():
    name, path = sys.argv[1], sys.argv[2]
    extra = [int(v) for v in sys.argv[3:]]
    makers = {"shapes": shapes, "mapping": mapping, "bitmaps": bitmaps, "arcs": arcs,
              "plain": lambda: plain(*extra), "sized": lambda: sized(*extra),
              "polygons": lambda: polygons(*extra), "patterns": patterns,
              "text": lambda: text(0), "rotated": lambda: text(900)}
    data, _, _ = makers[name]()
    with open(path, "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
