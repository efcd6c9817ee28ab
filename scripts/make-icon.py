#!/usr/bin/env python3
"""Draws Velto's icons, a stopwatch: ui/myicon.ico, one 32 x 32 image in the
16 standard colours, transparent around the watch (the window's icon); and
ui/velto.ico, the same design drawn smooth in 32-bit colour at the sizes
Explorer, the Start menu and the installer ask for."""
import math
import struct
import sys
import zlib

SIZE = 32
PALETTE = [  # the 16 standard colours, (r, g, b)
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, SILVER, GRAY, RED, GREEN, WHITE = 0, 4, 7, 8, 9, 2, 15
NONE = None  # transparent

pixels = [[NONE] * SIZE for _ in range(SIZE)]  # pixels[y][x], y down


def put(x, y, c):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        pixels[y][x] = c


cx, cy, r = 15.5, 18.0, 12.5
for y in range(SIZE):
    for x in range(SIZE):
        d = math.hypot(x + 0.5 - cx - 0.5, y + 0.5 - cy)
        if d <= r - 2.2:
            put(x, y, WHITE)
        elif d <= r:
            put(x, y, NAVY)

# crown and its stem on top, a lap button at one o'clock
for y in range(1, 4):
    for x in range(13, 19):
        put(x, y, GRAY if y == 1 else SILVER)
for y in range(4, 6):
    for x in range(15, 17):
        put(x, y, GRAY)
for i in range(3):
    put(25 + i, 6 + i, GRAY)
    put(26 + i, 6 + i, GRAY)

# marks every five minutes, longer at the quarters
for k in range(12):
    a = k * math.pi / 6
    inner = r - 5.0 if k % 3 == 0 else r - 3.6
    for t in (inner, r - 2.6):
        put(int(round(cx + 0.5 + t * math.sin(a) - 0.5)), int(round(cy - t * math.cos(a) - 0.5)), BLACK)

# the green arc of a lap run so far, and the red hand at its end
for step in range(0, 121):
    a = step / 120 * (2 * math.pi * 0.35)
    t = r - 3.8
    put(int(round(cx + t * math.sin(a))), int(round(cy - t * math.cos(a) - 0.5)), GREEN)
a = 2 * math.pi * 0.35
for step in range(0, 40):
    t = step / 40 * (r - 4)
    put(int(round(cx + t * math.sin(a))), int(round(cy - t * math.cos(a) - 0.5)), RED)
for y in range(17, 19):
    for x in range(15, 17):
        put(x, y, BLACK)

# 4-bit colour rows and the 1-bit transparency mask, both bottom-up
xor = bytearray()
mask = bytearray()
for y in reversed(range(SIZE)):
    row = [pixels[y][x] for x in range(SIZE)]
    for x in range(0, SIZE, 2):
        hi = row[x] if row[x] is not None else 0
        lo = row[x + 1] if row[x + 1] is not None else 0
        xor.append(hi << 4 | lo)
    bits = 0
    for x in range(SIZE):
        bits = bits << 1 | (1 if row[x] is None else 0)
    mask += bits.to_bytes(4, "big")

header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
palette = b"".join(struct.pack("BBBB", b, g, r_, 0) for (r_, g, b) in PALETTE)
image = header + palette + bytes(xor) + bytes(mask)
icon = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22) + image

out = sys.argv[1] if len(sys.argv) > 1 else "ui/myicon.ico"
with open(out, "wb") as f:
    f.write(icon)

# ------------------------------------------------------------ velto.ico
# The shapes above, in the 32-pixel space with y down; drawn at any size by
# 4 x 4 samples a pixel, later shapes over earlier ones.
SIDES = [16, 20, 24, 32, 40, 48, 64, 256]
RGB = {c: PALETTE[c] for c in (BLACK, NAVY, SILVER, GRAY, RED, GREEN, WHITE)}
HUB = (16.0, 18.0)
HAND = 2 * math.pi * 0.35


def disc(r):
    return lambda x, y: math.hypot(x - HUB[0], y - HUB[1]) <= r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def stroke(ax, ay, bx, by, half):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= half
    return inside


def arc(radius, end, half):
    def inside(x, y):
        a = math.atan2(x - HUB[0], HUB[1] - y) % (2 * math.pi)
        return a <= end and abs(math.hypot(x - HUB[0], y - HUB[1]) - radius) <= half
    return inside


def spoke(a, t0, t1, half):
    s_, c_ = math.sin(a), -math.cos(a)
    return stroke(HUB[0] + t0 * s_, HUB[1] + t0 * c_, HUB[0] + t1 * s_, HUB[1] + t1 * c_, half)


shapes = [
    (NAVY, disc(r)), (WHITE, disc(r - 2.2)),
    (GRAY, box(13, 1, 19, 2)), (SILVER, box(13, 2, 19, 4)), (GRAY, box(15, 4, 17, 6)),
    (GRAY, stroke(25.5, 6.5, 27.5, 8.5, 0.9)),
]
for k in range(12):
    shapes.append((BLACK, spoke(k * math.pi / 6, r - 5.0 if k % 3 == 0 else r - 3.6, r - 2.6, 0.6)))
shapes += [(GREEN, arc(r - 3.8, HAND, 0.6)), (RED, spoke(HAND, 0, r - 4, 0.6)), (BLACK, box(15, 17, 17, 19))]


def render(side):
    """Rows top-down of (r, g, b, a)."""
    scale, n = 32 / side, 4
    rows = []
    for py in range(side):
        row = []
        for px in range(side):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    x, y = (px + (sx + 0.5) / n) * scale, (py + (sy + 0.5) / n) * scale
                    colour = None
                    for c, inside in shapes:
                        if inside(x, y):
                            colour = c
                    if colour is not None:
                        rgb = RGB[colour]
                        acc = [acc[0] + rgb[0], acc[1] + rgb[1], acc[2] + rgb[2], acc[3] + 1]
            a = acc[3]
            row.append((acc[0] // a, acc[1] // a, acc[2] // a, a * 255 // (n * n)) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp_image(rows, side):
    pixels = b"".join(bytes((b, g, r_, a)) for row in reversed(rows) for (r_, g, b, a) in row)
    stride = (side + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for (_, _, _, a) in row:
            bits = bits << 1 | (1 if a == 0 else 0)
        bits <<= stride * 8 - side
        mask += bits.to_bytes(stride, "big")
    head = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return head + pixels + bytes(mask)


def png_image(rows, side):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


images = []
for side in SIDES:
    rows = render(side)
    images.append(png_image(rows, side) if side == 256 else bmp_image(rows, side))
offset = 6 + 16 * len(images)
directory = struct.pack("<HHH", 0, 1, len(images))
for side, image in zip(SIDES, images):
    directory += struct.pack("<BBBBHHII", side % 256, side % 256, 0, 0, 1, 32, len(image), offset)
    offset += len(image)
out = sys.argv[2] if len(sys.argv) > 2 else "ui/velto.ico"
with open(out, "wb") as f:
    f.write(directory + b"".join(images))
