#!/usr/bin/env python3
"""Writes the small pictures the skin tests load as bitmap resources.

Each face is 12 x 12 pixels in a colour of its own, so that a test reading a
pixel back knows which picture was drawn; the normal face is a 2 x 2 checker
of 6-pixel cells, so that plain and stretched drawing tell apart. The mask
shows the picture's left half and what lies behind on the right.
Run from this folder; the outputs are committed.
"""
import struct

SIZE = 12
RED, BLUE = (200, 0, 0), (0, 0, 200)


def write_bmp24(name, pixel):
    row_bytes = (SIZE * 3 + 3) & ~3
    rows = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = b"".join(bytes((b, g, r)) for r, g, b in (pixel(x, y) for x in range(SIZE)))
        rows.append(row + b"\0" * (row_bytes - len(row)))
    write_bmp(name, 24, b"", b"".join(rows))


def write_mask(name):
    bits = 0b000000111111 << 4  # left 6 pixels 0 (black), right 6 pixels 1 (white)
    row = struct.pack(">H", bits) + b"\0\0"  # 12 bits, padded to 32
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    write_bmp(name, 1, palette, row * SIZE)


def write_bmp(name, bpp, palette, pixels):
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, bpp, 0, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    with open(name, "wb") as f:
        f.write(file_header + info + palette + pixels)


write_bmp24("face_normal.bmp", lambda x, y: RED if (x < 6) == (y < 6) else BLUE)
write_bmp24("face_down.bmp", lambda x, y: (0, 160, 0))
write_bmp24("face_over.bmp", lambda x, y: (0, 160, 160))
write_bmp24("face_focus.bmp", lambda x, y: (160, 160, 0))
write_mask("face_mask.bmp")
