"""Writes seed inputs of the imaging fuzzer into the folder given: parameters, then a small packed DIB."""
import os
import struct
import sys


def dib(width, height, bits, palette_entries, top_down=False):
    row = (width * bits + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, 0, row * height,
                         0, 0, palette_entries, 0)
    palette = b"".join(struct.pack("<BBBB", i * 37 % 256, i * 91 % 256, i * 13 % 256, 0)
                       for i in range(palette_entries))
    pixels = bytes((i * 7 + 3) % 256 for i in range(row * height))
    return header + palette + pixels


def main(folder):
    pictures = [dib(5, 3, 1, 2), dib(7, 4, 4, 16), dib(6, 5, 8, 256), dib(3, 3, 8, 7), dib(4, 4, 16, 0),
                dib(5, 2, 24, 0), dib(3, 3, 32, 0, top_down=True)]
    for i, picture in enumerate(pictures):
        for op in range(4):
            params = bytes([i % 8, op, 9, 0, 7, 0, 2 if op == 0 else 1, 150])
            with open(os.path.join(folder, f"seed-{i}-{op}"), "wb") as f:
                f.write(params + picture)


if __name__ == "__main__":
    main(sys.argv[1])
