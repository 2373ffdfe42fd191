#!/usr/bin/env python3
"""Draws every icon and picture of Glidewing into an output folder (standard library only).

    make_images.py OUTDIR

resources/resource.h numbers the pictures; this script draws one file for each of its IDI_ (icon)
and IDB_ (bitmap) numbers, named after it (IDI_MENU_EXIT: menu_exit.ico), and writes images.rc,
the fragment of Glidewing.rc that binds each number to its file. A number without a drawing here,
or a drawing without a number, stops the build. All artwork is drawn here from simple shapes, so
the pictures live in the repository as code and change by editing this file.
"""

import math
import os
import re
import sys

from raster import Canvas, arrow, double_arrow, in_polygon, in_round_rect, mix, write_bmp, write_ico

NAVY = (16, 50, 110)
BLUE = (38, 110, 210)
SKY = (120, 185, 245)
WHITE = (255, 255, 255)
OUTLINE = (60, 66, 78)
GREY = (150, 155, 165)
LIGHT = (236, 238, 242)
RED = (214, 48, 40)
GREEN = (40, 160, 70)
ORANGE = (240, 140, 30)
GOLD = (226, 172, 40)


# -- shared motifs ------------------------------------------------------------------------------
def wing_points(x0, y0, size):
    """The Glidewing wing: a curved leading edge and three feather steps, in a size x size box."""

    def p(u, v):
        return (x0 + u * size, y0 + v * size)

    edge = []
    a, c, b = (0.12, 0.72), (0.30, 0.16), (0.90, 0.14)
    for i in range(13):
        t = i / 12.0
        u = (1 - t) ** 2 * a[0] + 2 * (1 - t) * t * c[0] + t * t * b[0]
        v = (1 - t) ** 2 * a[1] + 2 * (1 - t) * t * c[1] + t * t * b[1]
        edge.append(p(u, v))
    feathers = [p(0.70, 0.38), p(0.80, 0.39), p(0.56, 0.56), p(0.66, 0.57), p(0.42, 0.73), p(0.50, 0.74),
                p(0.28, 0.86)]
    return edge + feathers


def badge(c, size, top, bottom):
    """Rounded square with a vertical gradient, filling the canvas."""
    r = size * 0.2
    c.fill(lambda x, y: in_round_rect(x, y, 0, 0, size, size, r), lambda x, y: mix(top, bottom, y / size))


def program_art(size):
    c = Canvas(size, size)
    badge(c, size, BLUE, NAVY)
    wing = wing_points(size * 0.04, size * 0.08, size * 0.92)
    shade = [(x + size * 0.03, y + size * 0.04) for x, y in wing]
    c.polygon(shade, (0, 0, 30, 90))
    c.polygon(wing, lambda x, y: mix(WHITE, (200, 225, 255), y / size))
    return c


def mouse(c, x0, y0, w, h, left=None, right=None, body=WHITE, outline=OUTLINE):
    """A mouse seen from above; optional colours for the two buttons."""
    r = w / 2.0
    split = y0 + h * 0.4
    stroke = max(1.0, w / 14.0)
    c.fill(lambda x, y: in_round_rect(x, y, x0, y0, x0 + w, y0 + h, r), outline)
    c.fill(lambda x, y: in_round_rect(x, y, x0 + stroke, y0 + stroke, x0 + w - stroke, y0 + h - stroke, r - stroke),
           lambda x, y: mix(body, (200, 204, 212), (y - y0) / h))
    mid = x0 + w / 2.0
    for colour, xa, xb in ((left, x0, mid), (right, mid, x0 + w)):
        if colour:
            c.fill(lambda x, y, xa=xa, xb=xb: xa <= x < xb and y < split and
                   in_round_rect(x, y, x0 + stroke, y0 + stroke, x0 + w - stroke, y0 + h - stroke, r - stroke),
                   colour)
    c.line(x0 + stroke, split, x0 + w - stroke, split, stroke, outline)
    c.line(mid, y0 + stroke, mid, split, stroke, outline)


def cursor_arrow(c, x0, y0, scale, alpha=255):
    pts = [(0, 0), (0, 16), (4, 12.5), (7, 18.5), (9.5, 17.5), (6.5, 11.5), (11.5, 11.5)]
    pts = [(x0 + x * scale, y0 + y * scale) for x, y in pts]
    c.polygon(pts, (0, 0, 0, alpha))
    inner = [(x0 + x * scale, y0 + y * scale) for x, y in
             [(1.0, 2.4), (1.0, 13.6), (4.3, 10.6), (7.4, 16.8), (8.2, 16.4), (5.0, 10.4), (9.2, 10.4)]]
    c.polygon(inner, (255, 255, 255, alpha))


# -- tray icons ------------------------------------------------------------------------------------
def tray_art(size, enabled):
    c = Canvas(size, size)
    s = size / 32.0
    top, bottom = ((90, 170, 250), (20, 80, 190)) if enabled else ((200, 202, 208), (120, 124, 132))
    c.ellipse(16 * s, 16 * s, 15 * s, 15 * s, (0, 0, 0, 120))
    c.ellipse(16 * s, 16 * s, 14 * s, 14 * s, lambda x, y: mix(top, bottom, y / size))
    if size > 16:
        c.polygon(double_arrow(16 * s, 16 * s, True, 22 * s, 5 * s, 12 * s, 7 * s), WHITE)
    else:
        # at 16 pixels the arrow needs bigger heads to read as an arrow at all
        c.polygon(double_arrow(8, 8, True, 13, 2.6, 9, 4.6), WHITE)
    if not enabled:
        c.line(7 * s, 25 * s, 25 * s, 7 * s, 5.5 * s, WHITE)
        c.line(7 * s, 25 * s, 25 * s, 7 * s, 3.5 * s, RED)
    return c


# -- menu and button pictures (16 x 16) -----------------------------------------------------------
def menu_exit(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.arc(8, 8.8, 5.5, 2.2, 120, 420, RED)
    c.line(8, 1.8, 8, 8.5, 2.2, RED)
    return c


def menu_scroll(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.polygon(double_arrow(8, 8, True, 15, 2.6, 7, 4.5), BLUE)
    c.polygon(double_arrow(8, 8, False, 15, 2.6, 7, 4.5), BLUE)
    c.ellipse(8, 8, 2.2, 2.2, NAVY)
    return c


def menu_lock(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.arc(8, 7, 3.6, 1.8, 0, 180, (110, 114, 124))
    c.line(4.4, 7, 4.4, 8.5, 1.8, (110, 114, 124))
    c.line(11.6, 7, 11.6, 8.5, 1.8, (110, 114, 124))
    c.round_rect(2.5, 7.5, 13.5, 15, 1.5, (150, 100, 10))
    c.round_rect(3.3, 8.3, 12.7, 14.2, 1.0, lambda x, y: mix((255, 220, 110), GOLD, (y - 8) / 6))
    c.ellipse(8, 10.6, 1.3, 1.3, (70, 45, 5))
    c.line(8, 10.6, 8, 12.8, 1.1, (70, 45, 5))
    return c


def menu_eject(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.polygon([(8, 2), (14.5, 9), (1.5, 9)], (70, 76, 90))
    c.rect(1.5, 11, 14.5, 14, (70, 76, 90))
    return c


def glyph_ok(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.polyline([(2.5, 8.5), (6.5, 12.5), (13.5, 3.5)], 2.8, GREEN)
    return c


def glyph_cancel(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.line(3.5, 3.5, 12.5, 12.5, 2.6, RED)
    c.line(12.5, 3.5, 3.5, 12.5, 2.6, RED)
    return c


def glyph_apply(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.round_rect(1.5, 1.5, 14.5, 14.5, 2.5, (30, 90, 180))
    c.round_rect(2.5, 2.5, 13.5, 13.5, 1.8, lambda x, y: mix((110, 175, 245), (40, 110, 210), y / 16))
    c.polyline([(4.5, 8.3), (7, 10.8), (11.5, 5.3)], 2.0, WHITE)
    return c


def glyph_help(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.ellipse(8, 8, 7, 7, (30, 90, 180))
    c.ellipse(8, 8, 6, 6, lambda x, y: mix((110, 175, 245), (40, 110, 210), y / 16))
    c.arc(8, 6.2, 2.4, 1.8, -90, 180, WHITE)
    c.line(8, 8.6, 8, 9.8, 1.8, WHITE)
    c.ellipse(8, 12, 1.1, 1.1, WHITE)
    return c


def glyph_visit(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.ellipse(8, 8, 7, 7, (25, 95, 160))
    c.ellipse(8, 8, 6, 6, lambda x, y: mix((120, 200, 250), (40, 130, 210), y / 16))
    c.ring(8, 8, 6, 0.0001, WHITE)
    c.fill(lambda x, y: abs(((x - 8) / 2.6) ** 2 + ((y - 8) / 6) ** 2 - 1) < 0.25, (255, 255, 255, 200))
    c.line(2, 8, 14, 8, 0.9, (255, 255, 255, 200))
    c.line(8, 2, 8, 14, 0.9, (255, 255, 255, 200))
    return c


def glyph_mail(scale=1.0):
    c = Canvas(16, 16, scale=scale)
    c.rect(1, 3, 15, 13, (90, 96, 110))
    c.rect(2, 4, 14, 12, (250, 248, 240))
    c.polyline([(2, 4.5), (8, 9), (14, 4.5)], 1.2, (90, 96, 110))
    return c


# -- group pictures (32 x 32) ---------------------------------------------------------------------
def group_scroll(scale=1.0):
    c = Canvas(32, 32, scale=scale)
    mouse(c, 3, 4, 15, 25, left=(170, 205, 250))
    c.polygon(double_arrow(25.5, 16, True, 26, 4, 10, 6.5), BLUE)
    return c


def group_swap(scale=1.0):
    c = Canvas(32, 32, scale=scale)
    mouse(c, 8, 9, 16, 22, left=(120, 175, 245), right=(250, 185, 110))
    c.arc(16, 12, 10, 2.6, 35, 145, GREEN)
    c.polygon(arrow(6.6, 6.4, 'down', 7, 0.1, 7, 6), GREEN)
    c.polygon(arrow(25.4, 6.4, 'down', 7, 0.1, 7, 6), GREEN)
    return c


def group_hide(scale=1.0):
    c = Canvas(32, 32, scale=scale)
    c.round_rect(1, 16, 31, 30, 2.5, OUTLINE)
    c.round_rect(2, 17, 30, 29, 2, (222, 225, 232))
    for y, x0 in ((18.5, 3.2), (22, 4.8)):
        for i in range(7):
            c.round_rect(x0 + i * 3.6, y, x0 + i * 3.6 + 2.6, y + 2.6, 0.6, WHITE)
    c.round_rect(9, 25.5, 23, 28.1, 0.6, WHITE)  # space bar
    cursor_arrow(c, 16, 1, 0.8, alpha=110)
    c.line(13, 2, 28, 14, 1.6, (214, 48, 40, 200))
    return c


def group_default(scale=1.0):
    c = Canvas(32, 32, scale=scale)
    c.rect(1, 3, 29, 26, OUTLINE)
    c.rect(2, 4, 28, 25, (246, 247, 250))
    c.rect(2, 4, 28, 9, lambda x, y: mix((60, 130, 220), NAVY, (x - 2) / 26))
    c.round_rect(12, 17, 26, 23, 1.5, (40, 100, 200))
    c.round_rect(13, 18, 25, 22, 1.0, (220, 232, 250))
    c.rect(5, 12, 23, 13.3, (170, 175, 185))
    cursor_arrow(c, 19, 19, 0.68)
    return c


def group_popdesk(scale=1.0):
    c = Canvas(32, 32, scale=scale)
    c.round_rect(1, 3, 31, 24, 1.5, OUTLINE)
    c.rect(2.5, 4.5, 29.5, 22.5, lambda x, y: mix((110, 180, 240), (40, 110, 190), y / 24))
    c.rect(13, 24, 19, 28, OUTLINE)
    c.round_rect(8, 27, 24, 30, 1, OUTLINE)
    c.rect(4, 6, 16, 19, (120, 126, 138))
    c.rect(4.6, 6.6, 15.4, 18.4, (250, 250, 252))
    for i, colour in enumerate(((230, 160, 30), (60, 160, 80), (200, 60, 50))):
        y = 8 + i * 3.5
        c.rect(5.6, y, 7.8, y + 2.2, colour)
        c.rect(8.8, y + 0.6, 14.4, y + 1.6, (110, 114, 124))
    cursor_arrow(c, 2.5, 4.5, 0.55)
    return c


def group_apps(scale=1.0):
    """A program's window, and the sign that Glidewing keeps out of it."""
    c = Canvas(32, 32, scale=scale)
    c.rect(1, 2, 27, 24, OUTLINE)
    c.rect(2, 3, 26, 23, (246, 247, 250))
    c.rect(2, 3, 26, 7.5, lambda x, y: mix((60, 130, 220), NAVY, (x - 2) / 24))
    for i in range(3):
        c.rect(5, 10.5 + i * 3.5, 21 - i * 4, 11.8 + i * 3.5, (170, 175, 185))
    c.ellipse(23, 23, 8, 8, WHITE)
    c.ring(23, 23, 6, 2.4, RED)
    c.line(18.8, 27.2, 27.2, 18.8, 2.4, RED)
    return c


# -- About pictures --------------------------------------------------------------------------------
def about_side(scale=2.0):
    """The About page's tall picture, in the proportions of its panel (150 x 270 at 96 dpi). It is
    drawn once, for 192 dpi, and the page shrinks it for lower densities, which keeps it sharp."""
    width, height = 150, 270
    c = Canvas(width, height, samples=2, scale=scale)
    c.rect(0, 0, width, height, lambda x, y: mix((8, 30, 76), (70, 140, 220), (y / height) ** 1.3))
    # faint glide paths sweeping across the sky
    for i in range(6):
        cy = height * (0.25 + i * 0.12)
        r = width * (1.6 + 0.25 * i)
        c.arc(width * 1.2, cy + r, r, 1.2 + i * 0.3, 95, 175, (255, 255, 255, 28 + 8 * i))
    # a few stars in the dark upper part
    for sx, sy, sr in ((22, 19, 1.1), (80, 34, 0.9), (120, 13, 1.3), (50, 59, 0.8), (130, 74, 0.9), (17, 93, 0.7)):
        c.ellipse(sx, sy, sr, sr, (255, 255, 255, 200))
    wing = wing_points(-width * 0.05, height * 0.44, width * 1.1)
    c.polygon([(x + 3, y + 4) for x, y in wing], (0, 0, 20, 70))
    c.polygon(wing, lambda x, y: mix((255, 255, 255, 235), (200, 225, 255, 235), (y - height * 0.5) / (height * 0.5)))
    return c


# The screen densities the pictures of the window and the menus are drawn for, as scales of 96 dpi
# (96, 144 and 192 dpi); the program loads the size for its own density and Windows scales the
# nearest one for any other.
DPI_SCALES = (2.0, 1.5, 1.0)


def at_every_dpi(draw):
    """One image of the drawing for each density, largest first (the 96-dpi one last)."""
    def images():
        return [draw(scale) for scale in DPI_SCALES]

    images.per_dpi = True
    return images


# The sizes of the program's and the tray's icons that Windows asks for at 96 dpi.
SYSTEM_SIZES = {'IDI_GLIDEWING': (16, 32, 48), 'IDI_TRAY_ENABLED': (16, 32), 'IDI_TRAY_DISABLED': (16, 32)}

# The drawing of each picture, by its name in resource.h. An icon holds one image per size,
# largest first; a bitmap is one picture. The program's icon and the tray's come in the sizes the
# system asks for at 100, 125, 150 and 200 %.
PICTURES = {
    'IDI_GLIDEWING': lambda: [program_art(n) for n in (64, 48, 40, 32, 24, 20, 16)],
    'IDI_TRAY_ENABLED': lambda: [tray_art(n, True) for n in (48, 40, 32, 24, 20, 16)],
    'IDI_TRAY_DISABLED': lambda: [tray_art(n, False) for n in (48, 40, 32, 24, 20, 16)],
    'IDI_MENU_EXIT': at_every_dpi(menu_exit),
    'IDI_MENU_SCROLL': at_every_dpi(menu_scroll),
    'IDI_MENU_LOCK': at_every_dpi(menu_lock),
    'IDI_MENU_EJECT': at_every_dpi(menu_eject),
    'IDI_BUTTON_OK': at_every_dpi(glyph_ok),
    'IDI_BUTTON_CANCEL': at_every_dpi(glyph_cancel),
    'IDI_BUTTON_APPLY': at_every_dpi(glyph_apply),
    'IDI_BUTTON_HELP': at_every_dpi(glyph_help),
    'IDI_BUTTON_VISIT': at_every_dpi(glyph_visit),
    'IDI_BUTTON_MAIL': at_every_dpi(glyph_mail),
    'IDI_GROUP_SCROLL': at_every_dpi(group_scroll),
    'IDI_GROUP_SWAP': at_every_dpi(group_swap),
    'IDI_GROUP_HIDE': at_every_dpi(group_hide),
    'IDI_GROUP_DEFAULT': at_every_dpi(group_default),
    'IDI_GROUP_POPDESK': at_every_dpi(group_popdesk),
    'IDI_GROUP_APPS': at_every_dpi(group_apps),
    'IDI_ABOUT_LOGO': at_every_dpi(lambda scale: program_art(int(83 * scale + 0.5))),
    'IDB_ABOUT_SIDE': about_side,
}

RESOURCE_H = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resource.h')


def numbered_pictures():
    """The IDI_ and IDB_ names of resource.h in its order, each matched with a drawing."""
    with open(RESOURCE_H, encoding='utf-8') as f:
        defines = re.findall(r'^#define\s+(ID[IB]_\w+)\s+(\d+)', f.read(), re.M)
    names = [name for name, _ in defines]
    numbers = [number for _, number in defines]
    faults = ['%s has no drawing here' % n for n in names if n not in PICTURES]
    faults += ['%s is drawn here but has no number in resource.h' % n for n in PICTURES if n not in names]
    faults += ['number %s is given twice in resource.h' % n
               for n in sorted(set(numbers)) if numbers.count(n) > 1]
    if faults:
        raise SystemExit('make_images.py: ' + '; '.join(faults))
    return names


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    rc_lines = ['// The pictures of resources/resource.h, written by resources/images/make_images.py.']
    for name in numbered_pictures():
        kind, stem = name.split('_', 1)
        path = os.path.join(out, stem.lower() + ('.ico' if kind == 'IDI' else '.bmp'))
        if kind == 'IDI':
            images = PICTURES[name]()
            # What 96 dpi asks for: the last image of a picture drawn for every density, or the
            # system's own icon sizes.
            at_96 = (images[-1].width,) if getattr(PICTURES[name], 'per_dpi', False) else SYSTEM_SIZES[name]
            write_ico(path, images, at_96)
            rc_lines.append('%s ICON "%s"' % (name, os.path.basename(path)))
        else:
            write_bmp(path, PICTURES[name](), rle=True)
            rc_lines.append('%s BITMAP "%s"' % (name, os.path.basename(path)))
    # Last, so that the build sees images.rc only once every file it names is there.
    with open(os.path.join(out, 'images.rc'), 'w', newline='\n') as f:
        f.write('\n'.join(rc_lines) + '\n')


if __name__ == '__main__':
    main()
