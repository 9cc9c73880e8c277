"""Writes EMF fixtures for the metafile tests: make_emf.py NAME FILE.
The header's bounds and frame describe the picture at 96 dots per inch."""
import struct
import sys


def record(kind, body=b""):
    return struct.pack("<II", kind, 8 + len(body)) + body


def rgb(r, g, b):
    return r | g << 8 | b << 16


def brush(index, colour):
    return record(39, struct.pack("<IIII", index, 0, colour, 0))


def pen(index, colour, width=1):
    return record(38, struct.pack("<IIiiI", index, 0, width, 0, colour))


def select(index):
    return record(37, struct.pack("<I", index))


def null_pen():
    return select(0x80000000 | 8)


def rectangle(l, t, r, b):
    return record(43, struct.pack("<iiii", l, t, r, b))


def ellipse(l, t, r, b):
    return record(42, struct.pack("<iiii", l, t, r, b))


def polygon16(points, count=None):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return record(86, struct.pack("<iiiiI", min(xs), min(ys), max(xs), max(ys),
                                  len(points) if count is None else count) +
                  b"".join(struct.pack("<hh", *p) for p in points))


def end():
    return record(14, struct.pack("<III", 0, 16, 20))


def emf(w, h, records, handles, description=""):
    text = description.encode("utf-16-le")
    text += b"\0" * (-len(text) % 4)
    body = b"".join(records) + end()
    size = 108 + len(text)
    frame_w, frame_h = round(w * 2540 / 96), round(h * 2540 / 96)
    header = (struct.pack("<II", 1, size) + struct.pack("<iiii", 0, 0, w - 1, h - 1) +
              struct.pack("<iiii", 0, 0, frame_w - 1, frame_h - 1) +
              struct.pack("<IIIIHH", 0x464D4520, 0x10000, size + len(body), len(records) + 2, handles, 0) +
              struct.pack("<III", len(text) // 2, 108 if text else 0, 0) +
              struct.pack("<iiii", 1024, 768, 271, 203) + struct.pack("<IIIii", 0, 0, 0, 271000, 203000))
    return header + text + body


def shapes():
    w, h = 200, 100
    return emf(w, h, [brush(1, rgb(255, 255, 255)), select(1), null_pen(), rectangle(0, 0, w + 1, h + 1),
                      brush(2, rgb(200, 30, 40)), select(2), rectangle(10, 10, 90, 90),
                      brush(3, rgb(30, 160, 60)), select(3), polygon16([(110, 10), (190, 10), (150, 90)])],
               4, "Vellumcraft\0Probe\0\0")


def sized(w, h):
    # Only the middle half is painted.
    return emf(w, h, [null_pen(), brush(1, rgb(0, 0, 255)), select(1),
                      rectangle(w // 4, h // 4, 3 * w // 4, 3 * h // 4)], 2)


def main():
    name, path = sys.argv[1], sys.argv[2]
    extra = [int(v) for v in sys.argv[3:]]
    makers = {"shapes": shapes, "sized": lambda: sized(*extra)}
    with open(path, "wb") as out:
        out.write(makers[name]())


if __name__ == "__main__":
    main()
