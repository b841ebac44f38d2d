#!/usr/bin/env python3
"""Draws Nocturo's two icons and writes them as .ico files (standard library only).

nocturo.ico  the program icon: 16 colours, 32x32 and 16x16.
logo.ico     the header logo: 16, 32 and 48 px, each in 16 and 256 colours.

Shapes are described in a unit square and sampled 4x4 per pixel, so every
size is drawn from the same artwork. Run it from any directory; it writes next
to itself.
"""

import math
import os
import struct

# The classic 16-colour palette, so the 4-bit images look right everywhere.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette256():
    """A 6x6x6 colour cube followed by a grey ramp: 216 + 40 entries."""
    colours = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    colours += [(round(i * 255 / 39),) * 3 for i in range(40)]
    return colours


def nearest(palette, rgb):
    r, g, b = rgb
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 * 3 + (palette[i][1] - g) ** 2 * 4
               + (palette[i][2] - b) ** 2 * 2)


def inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def power_symbol(x, y, cx, cy, radius, stroke):
    """An open ring with a bar through its gap: the usual power sign."""
    d = math.hypot(x - cx, y - cy)
    angle = math.degrees(math.atan2(x - cx, cy - y))  # 0 points straight up
    ring = abs(d - radius) <= stroke / 2 and abs(angle) >= 40
    bar = abs(x - cx) <= stroke / 2 and cy - radius * 1.25 <= y <= cy
    return ring or bar


def program_shape(x, y):
    """Night-blue disc, a yellow crescent moon and a white power sign."""
    if not inside_circle(x, y, 0.5, 0.5, 0.48):
        return None
    if inside_circle(x, y, 0.5, 0.5, 0.48) and not inside_circle(x, y, 0.5, 0.5, 0.43):
        return (0, 0, 128)
    if power_symbol(x, y, 0.60, 0.60, 0.17, 0.075):
        return (255, 255, 255)
    if inside_circle(x, y, 0.36, 0.36, 0.22) and not inside_circle(x, y, 0.45, 0.29, 0.19):
        return (255, 255, 0)
    return (0, 0, 255) if y < 0.5 else (0, 0, 128)


def logo_shape(x, y):
    """A clock face whose rim is half a crescent moon, hands at 22:30."""
    if not inside_circle(x, y, 0.5, 0.5, 0.47):
        return None
    if not inside_circle(x, y, 0.5, 0.5, 0.40):
        # The rim: a golden moon on the left half, deep blue on the right.
        return (255, 204, 0) if x < 0.5 else (0, 51, 153)
    dx, dy = x - 0.5, y - 0.5
    # Hour hand towards 10:30 (up-left), minute hand towards 6 (down).
    t = dx * -0.7071 + dy * -0.7071
    hour = 0 <= t <= 0.22 and abs(dx * 0.7071 - dy * 0.7071) <= 0.035
    minute = 0 <= dy <= 0.32 and abs(dx) <= 0.03
    if hour or minute or inside_circle(x, y, 0.5, 0.5, 0.05):
        return (0, 0, 0)
    for k in range(12):
        a = math.radians(k * 30)
        if inside_circle(x, y, 0.5 + 0.33 * math.sin(a), 0.5 - 0.33 * math.cos(a), 0.025):
            return (0, 51, 153)
    shade = int(255 - 40 * (dx + dy + 0.8) / 1.6)
    return (shade, shade, 255)


def render(shape, size, samples=4):
    """Returns rows of (rgb or None), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(samples):
                for sx in range(samples):
                    c = shape((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c is not None:
                        hits.append(c)
            if len(hits) * 2 < samples * samples:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in hits) // len(hits) for i in range(3)))
        rows.append(row)
    return rows


def padded(bits_per_row):
    return (bits_per_row + 31) // 32 * 4


def icon_image(pixels, bpp):
    size = len(pixels)
    palette = VGA16 if bpp == 4 else palette256()
    xor_stride, and_stride = padded(size * bpp), padded(size)
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):  # DIBs run bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            index = 0 if c is None else nearest(palette, c)
            if bpp == 4:
                line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            else:
                line[x] = index
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    colours += b'\0' * (4 * (1 << bpp) - len(colours))
    return header + colours + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: list of (size, bpp, data)."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16 if bpp == 4 else 0, 0, 1, bpp,
                           len(data), offset)
        offset += len(data)
    out += b''.join(data for _, _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_ico(os.path.join(here, 'nocturo.ico'),
              [(s, 4, icon_image(render(program_shape, s), 4)) for s in (32, 16)])
    logo = []
    for s in (48, 32, 16):
        pixels = render(logo_shape, s)
        logo += [(s, 4, icon_image(pixels, 4)), (s, 8, icon_image(pixels, 8))]
    write_ico(os.path.join(here, 'logo.ico'), logo)


if __name__ == '__main__':
    main()
