"""Writes PNG variants that GraphicsMagick does not write, by hand: write_png.py KIND WIDTH HEIGHT PATH.
KIND palette2: a 2-bit palette picture of four colours in diagonal stripes;
KIND claim: an RGB header of that size over the data of a single row, as a hostile file has it;
KIND zeros: an 8-bit grey picture of zeros, the whole of it: a small file of a huge picture."""
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def palette2(width, height):
    rows = b""
    for y in range(height):
        indexes = [(x + y) // 3 % 4 for x in range(width)]
        indexes += [0] * (-len(indexes) % 4)
        packed = bytes(a << 6 | b << 4 | c << 2 | d for a, b, c, d in zip(*[iter(indexes)] * 4))
        rows += b"\0" + packed
    header = struct.pack(">IIBBBBB", width, height, 2, 3, 0, 0, 0)
    palette = bytes([200, 30, 40, 20, 180, 90, 40, 60, 220, 250, 240, 10])
    return chunk(b"IHDR", header) + chunk(b"PLTE", palette) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b"")


def claim(width, height):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    row = zlib.compress(b"\0" + bytes(3 * width))
    return chunk(b"IHDR", header) + chunk(b"IDAT", row) + chunk(b"IEND", b"")


def zeros(width, height):
    header = struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)
    compressor = zlib.compressobj(9)
    row = bytes(1 + width)
    data = b"".join(compressor.compress(row) for _ in range(height)) + compressor.flush()
    return chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


kind, width, height, path = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
with open(path, "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n" + {"palette2": palette2, "claim": claim, "zeros": zeros}[kind](width, height))
