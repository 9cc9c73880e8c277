"""Writes bilevel TIFF files without compression, one strip: write_tiff.py KIND WIDTH HEIGHT PATH.
KIND zeros: the whole picture of zeros, for tiffcp to compress into a small file of a huge picture;
KIND claim: a header of that size over a strip of 100 bytes, as a hostile file has it;
KIND claim-deflate: the same, its compression said to be deflate."""
import struct
import sys

kind, width, height, path = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
row_bytes = (width + 7) // 8
data_bytes = row_bytes * height if kind == "zeros" else 100
compression = 8 if kind == "claim-deflate" else 1
entries = [(256, 4, width), (257, 4, height), (258, 3, 1), (259, 3, compression), (262, 3, 1), (273, 4, 0),
           (277, 3, 1), (278, 4, height), (279, 4, data_bytes)]
data_at = 8 + 2 + 12 * len(entries) + 4
with open(path, "wb") as out:
    out.write(b"II*\0" + struct.pack("<I", 8) + struct.pack("<H", len(entries)))
    for tag, size, value in entries:
        value = data_at if tag == 273 else value
        out.write(struct.pack("<HHI", tag, size, 1) + (struct.pack("<I", value) if size == 4 else
                                                       struct.pack("<HH", value, 0)))
    out.write(struct.pack("<I", 0))
    for start in range(0, data_bytes, 1 << 20):
        out.write(bytes(min(1 << 20, data_bytes - start)))
