#!/usr/bin/env python3
"""An independent reader and writer of "TPL" page template streams.

Written from the stream's field table and the framework archive's rules: strings with a length prefix
(a byte; 0xFF and a 16-bit length; 0xFF, 0xFFFF and a 32-bit length), UTF-8 or else Windows-1252, counts (16 bits, or 0xFFFF and
32 bits), objects tagged 0xFFFF (new class: schema, name length, name) or 0x8000 | index (known class),
classes and objects numbered in one map from 1. Numbers are little-endian.

  tpl_stream.py build OUT   writes a stream with two rectangles and a polygon
  tpl_stream.py parse IN    prints the page and one line per object

Project files (.qzp) hold the same object records without class tags: a version string, and in the
edit form (version ending in 'b' or '2') the page's name, width, height and orientation, a count and
per object its kind (0 text, 1 picture, 2 clipart) and its record.

  tpl_stream.py qzp-build OUT   writes an edit-form project as the Windows program does
  tpl_stream.py qzp-parse IN    prints the page and one line per object of an edit-form project
"""
import struct
import sys


class Reader:
    def __init__(self, data):
        self.data = data
        self.pos = 0
        self.classes = {}
        self.next_index = 1

    def take(self, n):
        if self.pos + n > len(self.data):
            sys.exit("cut stream")
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def u16(self):
        return struct.unpack("<H", self.take(2))[0]

    def u32(self):
        return struct.unpack("<I", self.take(4))[0]

    def i32(self):
        return struct.unpack("<i", self.take(4))[0]

    def string(self):
        n = self.take(1)[0]
        if n == 0xFF:
            n = self.u16()
            if n == 0xFFFF:
                n = self.u32()
        data = self.take(n)
        # Written on Windows: Windows-1252; a text that is valid UTF-8 reads as UTF-8.
        try:
            return data.decode("utf-8")
        except UnicodeDecodeError:
            return data.decode("cp1252")

    def count(self):
        n = self.u16()
        return self.u32() if n == 0xFFFF else n

    def object_class(self):
        tag = self.u16()
        if tag == 0xFFFF:
            self.u16()  # schema
            name = self.take(self.u16()).decode("ascii")
            self.classes[self.next_index] = name
            self.next_index += 1
        elif tag & 0x8000:
            name = self.classes[tag & 0x7FFF]
        else:
            sys.exit("unexpected object reference")
        self.next_index += 1  # the object itself
        return name


def read_common(r):
    rect = [r.i32() for _ in range(4)]
    pen = r.u16()
    pen_style, pen_x, pen_y, pen_colour = r.u32(), r.i32(), r.i32(), r.u32()
    brush = r.u16()
    brush_style, brush_colour, hatch = r.u32(), r.u32(), r.i32()
    return rect, "pen=%d/%d/%06X brush=%d/%d/%06X" % (pen, pen_style, pen_colour, brush, brush_style, brush_colour)


def read_object(r, name):
    rect, tools = read_common(r)
    extra = ""
    if name in ("CDrawRect", "CDrawImage"):
        shape = r.u16()
        rx, ry = r.i32(), r.i32()
        extra = "shape=%d round=%d,%d" % (shape, rx, ry)
        if name == "CDrawImage":
            parts = [r.u32() for _ in range(3)]
            if any(parts):
                sys.exit("pictures with settings are not read here")
    elif name == "CDrawPoly":
        count, allocated = r.u16(), r.u16()
        points = [(r.i32(), r.i32()) for _ in range(count)]
        extra = "points=" + ";".join("%d,%d" % p for p in points) + " allocated=%d" % allocated
    elif name == "CDrawText":
        font = r.take(60)
        height = struct.unpack("<i", font[:4])[0]
        face = font[28:60].split(b"\0")[0].decode("cp1252")
        text = r.string()
        colour, effect = r.u32(), r.i32()
        extra = "font=%s/%d text=%s colour=%06X effect=%d" % (face, height, text, colour, effect)
    elif name == "CDrawClipart":
        rotation, attached = r.i32(), r.u32()
        if attached:
            sys.exit("clipart entries are not read here")
        extra = "rotation=%d" % rotation
    elif name != "CDrawObj":
        sys.exit("unknown class " + name)
    return "%s %d %d %d %d %s %s" % (name, *rect, tools, extra)


def parse(path):
    r = Reader(open(path, "rb").read())
    tag = r.string()
    if tag != "TPL":
        sys.exit("not a template stream")
    width, height = r.i32(), r.i32()
    stored = r.string()
    orientation, paper = r.i32(), r.u16()
    print("page %d %d stored=%s orientation=%d paper=%d" % (width, height, stored, orientation, paper))
    for _ in range(r.count()):
        print(read_object(r, r.object_class()))
    if r.pos != len(r.data):
        sys.exit("trailing bytes")


def string_bytes(text):
    data = text.encode("cp1252")
    assert len(data) < 0xFF
    return bytes([len(data)]) + data


def common_bytes(rect, pen, brush):
    return (struct.pack("<4i", *rect) + struct.pack("<H", pen) + struct.pack("<Iiii", 0, 1, 1, 0x000000)
            + struct.pack("<H", brush) + struct.pack("<IIi", 0, 0x00FF00, 0))


def build(path):
    out = string_bytes("TPL") + struct.pack("<ii", 2100, 2970) + string_bytes("Vorlage")
    out += struct.pack("<iH", 1, 9) + struct.pack("<H", 3)
    # Class CDrawRect is index 1, the first rectangle 2; the second rectangle names class 1; CDrawPoly
    # is index 4.
    out += struct.pack("<HHH", 0xFFFF, 0, 9) + b"CDrawRect"
    out += common_bytes((100, 200, 900, 700), 1, 0) + struct.pack("<Hii", 2, 16, 16)
    out += struct.pack("<H", 0x8000 | 1)
    out += common_bytes((50, 60, 70, 80), 0, 1) + struct.pack("<Hii", 1, 30, 40)
    out += struct.pack("<HHH", 0xFFFF, 0, 9) + b"CDrawPoly"
    out += common_bytes((0, 0, 10, 10), 1, 0) + struct.pack("<HH", 3, 4) + struct.pack("<6i", 0, 0, 10, 0, 5, 10)
    open(path, "wb").write(out)


PROJECT_KINDS = {0: "CDrawText", 1: "CDrawImage", 2: "CDrawClipart"}


def qzp_parse(path):
    r = Reader(open(path, "rb").read())
    version = r.string()
    if len(version) < 3 or version[0] != "4" or version[-1] not in "b2":
        sys.exit("not an edit-form project")
    name = r.string()
    width, height, orientation, count = r.u32(), r.u32(), r.u32(), r.u32()
    print("project %s page %s %d %d orientation=%d" % (version, name, width, height, orientation))
    for _ in range(count):
        kind = r.u32()
        if kind not in PROJECT_KINDS:
            sys.exit("unknown kind %d" % kind)
        print(read_object(r, PROJECT_KINDS[kind]))
    if r.pos != len(r.data):
        sys.exit("trailing bytes")


def qzp_build(path):
    out = string_bytes("4.1.b") + string_bytes("Grüße") + struct.pack("<IIII", 1480, 1050, 1, 3)
    font = struct.pack("<5i8B", -12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0) + b"Arial".ljust(32, b"\0")
    out += struct.pack("<I", 0) + common_bytes((10, 20, 300, 80), 0, 0) + font + string_bytes("Schöne Ferien")
    out += struct.pack("<Ii", 0x0000FF, 1)
    # A picture frame without settings, stencil or mat.
    out += struct.pack("<I", 1) + common_bytes((100, 100, 900, 700), 0, 0) + struct.pack("<Hii", 0, 16, 16)
    out += struct.pack("<III", 0, 0, 0)
    out += struct.pack("<I", 2) + common_bytes((5, 5, 50, 50), 1, 1) + struct.pack("<iI", 900, 0)
    open(path, "wb").write(out)


COMMANDS = {"build": build, "parse": parse, "qzp-build": qzp_build, "qzp-parse": qzp_parse}

if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in COMMANDS:
        sys.exit(__doc__)
    COMMANDS[sys.argv[1]](sys.argv[2])
