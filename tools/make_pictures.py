#!/usr/bin/env python3
"""Draws the stored pictures: the page window's four frame placeholders, three button glyphs and
the program icon, and the component palette's button pictures, as the small BMP/ICO files the
layouts and resources embed. Run it from the repository root after changing a drawing; the
outputs are committed."""
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


# ---- The component palette: one 24 x 24 picture per class it offers, in the flat look of the
# page window's glyphs (olive, the bottom-left pixel, is transparent; the button greys a disabled
# picture itself).

def palette_picture(draw):
    c = Canvas(24, 24, OLIVE)
    draw(c)
    return bmp4(c)


def sunken_box(c, x0, y0, x1, y1, fill=WHITE):
    c.rect(x0, y0, x1, y1, fill)
    c.frame(x0, y0, x1, y1, GRAY)
    c.rect(x0, y1 - 1, x1, y1, SILVER)
    c.rect(x1 - 1, y0, x1, y1, SILVER)


def raised_box(c, x0, y0, x1, y1, fill=SILVER):
    c.rect(x0, y0, x1, y1, fill)
    c.frame(x0, y0, x1, y1, WHITE)
    c.rect(x0, y1 - 1, x1, y1, BLACK)
    c.rect(x1 - 1, y0, x1, y1, BLACK)


def text_strokes(c, x, y, widths, color=BLACK):
    for i, w in enumerate(widths):
        c.rect(x, y + i * 3, x + w, y + i * 3 + 1, color)


def drop_arrow(c, x, y, color=BLACK):
    for i in range(3):
        c.rect(x + i, y + i, x + 5 - i, y + i + 1, color)


POINTER = ["#...........", "##..........", "#o#.........", "#oo#........", "#ooo#.......",
           "#oooo#......", "#ooooo#.....", "#oooooo#....", "#ooooooo#...", "#oooooooo#..",
           "#ooooo#####.", "#oo#oo#.....", "#o#.#oo#....", "##..#oo#....", "#....#oo#...",
           ".....#oo#...", "......##...."]


def arrow_pointer(c):
    for y, row in enumerate(POINTER):
        for x, cell in enumerate(row):
            if cell != '.':
                c.put(7 + x, 3 + y, BLACK if cell == '#' else WHITE)


def component(c):
    c.rect(5, 8, 17, 20, TEAL)
    for i in range(4):
        c.rect(6 + i, 7 - i, 18 + i, 8 - i, AQUA)
        c.rect(17 + i, 7 - i, 18 + i, 19 - i, NAVY)
    c.frame(5, 8, 17, 20, BLACK)


def panel(c):
    raised_box(c, 2, 4, 22, 20)
    c.frame(4, 6, 20, 18, GRAY)


def shape(c):
    c.rect(3, 11, 13, 21, BLUE)
    c.frame(3, 11, 13, 21, BLACK)
    c.disc(15, 9, 6, RED)


def image(c):
    sunken_box(c, 2, 3, 22, 21, AQUA)
    c.disc(16, 8, 2, YELLOW)
    for i in range(8):
        c.rect(4 + i, 19 - i, 18 - i, 20 - i, GREEN)


def edit(c):
    sunken_box(c, 1, 7, 23, 17)
    text_strokes(c, 4, 11, [9], BLACK)
    c.rect(15, 9, 16, 15, BLACK)


def memo(c):
    sunken_box(c, 2, 2, 22, 22)
    text_strokes(c, 5, 6, [12, 9, 13, 7, 11], BLACK)


def combo(c, with_clock=False):
    sunken_box(c, 1, 7, 23, 17)
    raised_box(c, 15, 8, 22, 16)
    drop_arrow(c, 16, 11)
    if with_clock:
        c.disc(7, 12, 4, NAVY)
        c.disc(7, 12, 3, WHITE)
        c.rect(7, 10, 8, 13, BLACK)
        c.rect(7, 12, 10, 13, BLACK)
    else:
        text_strokes(c, 4, 11, [8])


def history_combo(c):
    combo(c, with_clock=True)


def label(c, color=NAVY):
    c.text(7, 5, "A", color, 2)


def rotated_label(c):
    # The letter turned a quarter to read upwards, over its grey shadow.
    for offset, color in ((1, GRAY), (0, RED)):
        for row, bits in enumerate(FONT['A']):
            for col, bit in enumerate(bits):
                if bit == '#':
                    x, y = 5 + offset + row * 2, 7 + offset + (4 - col) * 2
                    c.rect(x, y, x + 2, y + 2, color)


def speed_button(c):
    raised_box(c, 2, 4, 22, 20)
    mode_glyph(c, 4, None)


def bit_button(c):
    raised_box(c, 1, 5, 23, 19)
    for i in range(4):
        c.rect(5 + i, 10 + i, 7 + i, 12 + i, GREEN)
    for i in range(7):
        c.rect(9 + i, 13 - i, 11 + i, 15 - i, GREEN)


def string_grid(c):
    c.rect(2, 3, 22, 21, WHITE)
    c.rect(2, 3, 22, 7, SILVER)
    c.rect(2, 3, 7, 21, SILVER)
    for x in (2, 7, 14, 21):
        c.rect(x, 3, x + 1, 21, GRAY)
    for y in (3, 7, 11, 16, 20):
        c.rect(2, y, 22, y + 1, GRAY)


def grad_box(c):
    bands = [NAVY, BLUE, TEAL, AQUA, WHITE]
    for i, color in enumerate(bands):
        c.rect(2, 3 + i * 4, 22, 7 + i * 4, color)
    c.frame(2, 3, 22, 23, BLACK)


def shine_button(c):
    c.disc(12, 12, 9, NAVY)
    c.disc(12, 12, 8, BLUE)
    c.disc(10, 9, 4, AQUA)
    c.disc(9, 8, 1, WHITE)


PALETTE_PICTURES = {
    'ARROWBUTTON': arrow_pointer, 'TCOMPONENT': component, 'TPANEL': panel, 'TSHAPE': shape,
    'TIMAGE': image, 'TEDIT': edit, 'TMEMO': memo, 'TCOMBOBOX': combo, 'TLABEL': label,
    'TSPEEDBUTTON': speed_button, 'TBITBTN': bit_button, 'TSTRINGGRID': string_grid,
    'TGRADBOX': grad_box, 'TDXFLABEL': rotated_label, 'TSHINESPEEDBUTTON': shine_button,
    'THISTORYCOMBOBOX': history_combo,
}


def main():
    out = 'app/pictures/'
    for n in range(1, 5):
        open(f'{out}Frame{n}.bmp', 'wb').write(frame_picture(n))
    open(out + 'ModeGlyph.bmp', 'wb').write(glyph(mode_glyph))
    open(out + 'SaveGlyph.bmp', 'wb').write(glyph(save_glyph))
    open(out + 'InfoGlyph.bmp', 'wb').write(glyph(info_glyph))
    open(out + 'Tavelko.ico', 'wb').write(icon())
    for name, draw in PALETTE_PICTURES.items():
        open(f'designer/pictures/{name}.bmp', 'wb').write(palette_picture(draw))


if __name__ == '__main__':
    main()
