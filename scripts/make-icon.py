#!/usr/bin/env python3
"""Draws Velto's icon, a stopwatch, as ui/myicon.ico: one 32 x 32 image in
the 16 standard colours, transparent around the watch."""
import math
import struct
import sys

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
