#!/usr/bin/env python3
"""Draws the page window's stored pictures: four frame placeholders, three button glyphs and the
program icon, as the small BMP/ICO files the layout and resources embed. Run it from the
repository root after changing a drawing; the outputs are committed."""
import struct

# The standard 16-colour palette, as (r, g, b).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, \
    FUCHSIA, AQUA, WHITE = range(16)

FONT = {  # 5 x 7 capitals and digits, one string per row
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '2': [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    '3': ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    '4': ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    ' ': ["....."] * 7,
}


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c, dash=0):
        for x in range(x0, x1):
            if not dash or (x // dash) % 2 == 0:
                self.put(x, y0, c)
                self.put(x, y1 - 1, c)
        for y in range(y0, y1):
            if not dash or (y // dash) % 2 == 0:
                self.put(x0, y, c)
                self.put(x1 - 1, y, c)

    def text(self, x, y, s, c, scale):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == '#':
                        self.rect(x + col * scale, y + row * scale,
                                  x + (col + 1) * scale, y + (row + 1) * scale, c)
            x += 6 * scale

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)


def bmp4(canvas):
    """An uncompressed bottom-up 4-bit BMP with the 16-colour palette."""
    row = ((canvas.width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(canvas.height)):
        line = bytearray(row)
        for x in range(canvas.width):
            line[x // 2] |= canvas.px[y][x] << (0 if x % 2 else 4)
        pixels += line
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in VGA)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.width, canvas.height, 1, 4, 0, len(pixels),
                       3780, 3780, 16, 0)
    return header + info + palette + bytes(pixels)


def frame_picture(number):
    c = Canvas(200, 150, WHITE)
    c.rect(0, 0, 200, 150, SILVER)
    c.frame(6, 6, 194, 144, GRAY, dash=4)
    c.disc(100, 62, 38, WHITE)
    c.text(88, 42, str(number), [NAVY, MAROON, GREEN, PURPLE][number - 1], 4)
    c.text(42, 112, "DROP", GRAY, 2)
    c.text(104, 112, "PHOTO", GRAY, 2)
    return bmp4(c)


def glyph(draw):
    """Two 16 x 16 cells side by side: the normal glyph, then the disabled one in grey."""
    c = Canvas(32, 16, OLIVE)  # the bottom-left pixel is the transparent colour
    draw(c, 0, None)
    draw(c, 16, GRAY)
    return bmp4(c)


def mode_glyph(c, ox, grey):
    for i, (x, y) in enumerate([(2, 2), (9, 2), (2, 9), (9, 9)]):
        c.rect(ox + x, y, ox + x + 5, y + 5, grey or [RED, BLUE, GREEN, NAVY][i])
        c.frame(ox + x, y, ox + x + 5, y + 5, grey or BLACK)


def save_glyph(c, ox, grey):
    c.rect(ox + 2, 2, ox + 14, 14, grey or NAVY)
    c.rect(ox + 5, 2, ox + 11, 7, SILVER)
    c.rect(ox + 4, 9, ox + 12, 14, WHITE)
    c.frame(ox + 2, 2, ox + 14, 14, grey or BLACK)


def info_glyph(c, ox, grey):
    c.disc(ox + 8, 8, 6, grey or BLUE)
    c.rect(ox + 7, 4, ox + 9, 6, WHITE)
    c.rect(ox + 7, 7, ox + 9, 12, WHITE)


def icon():
    """A 32 x 32, 256-colour icon: a small four-panel page on a teal ground."""
    palette = [(0, 0, 0)] * 256
    for i, rgb in enumerate(VGA):
        palette[i] = rgb
    c = Canvas(32, 32, TEAL)
    c.rect(8, 1, 24, 31, WHITE)
    for i in range(4):
        y = 3 + i * 7
        c.frame(10, y, 22, y + 6, BLACK)
        c.rect(11, y + 1, 21, y + 5, [AQUA, YELLOW, LIME, FUCHSIA][i])
    c.disc(25, 9, 4, WHITE)
    pixels = b''.join(bytes(c.px[y]) for y in reversed(range(32)))
    mask = bytes(4 * 32)
    info = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 8, 0, len(pixels) + len(mask), 0, 0, 256, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    image = info + pal + pixels + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 8,
                                                          len(image), 6 + 16)
    return directory + image


def main():
    out = 'app/pictures/'
    for n in range(1, 5):
        open(f'{out}Frame{n}.bmp', 'wb').write(frame_picture(n))
    open(out + 'ModeGlyph.bmp', 'wb').write(glyph(mode_glyph))
    open(out + 'SaveGlyph.bmp', 'wb').write(glyph(save_glyph))
    open(out + 'InfoGlyph.bmp', 'wb').write(glyph(info_glyph))
    open(out + 'Tavelko.ico', 'wb').write(icon())


if __name__ == '__main__':
    main()
