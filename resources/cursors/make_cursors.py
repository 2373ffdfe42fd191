#!/usr/bin/env python3
"""Turns the cursor pictures of art/ into .cur files, the cursors.rc fragment that names them and
contact sheets to look at.

    make_cursors.py TABLE OUTDIR            write NAME.cur for every cursor, cursors.rc,
                                            cursors_sheet.png and cursors_sizes.png
    make_cursors.py --check TABLE OUTDIR    the same, then read every .cur back and check it

TABLE is the program's C++ header with the cursor table (SystemCursors.h): its CursorId enum and
its resource-name array are the one list of cursors. Every name there needs art/NAME.txt, and every
picture in art/ a name there. Each picture is a text file: a comment line, "hotspot X Y", then 32
rows of 32 characters:
    .  transparent      #  black      o  white      ~  inverted screen

Each .cur holds the cursor at 32, 48 and 64 pixels (100, 150 and 200 %), all drawn here from the one
32-pixel picture; Windows picks the image for its cursor size. Python 3 standard library only.
"""

import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "art")
SIZE = 32  # the pictures in art/
SIZES = (32, 48, 64)  # the images of each .cur


# (AND bit, XOR bit) of each picture character.
MASKS = {".": (1, 0), "#": (0, 0), "o": (0, 1), "~": (1, 1)}


def read_table(path):
    """The resource names of the program's cursor table in CursorId order. The header keeps them
    twice (the enum and the name array); they must agree, or the build stops here."""
    with open(path, encoding="utf-8") as f:
        text = f.read()

    def body(pattern, what):
        found = re.search(pattern + r"\s*\{(.*?)\}", text, re.S)
        if not found:
            raise SystemExit("%s: no %s found" % (path, what))
        return re.sub(r"//[^\n]*", "", found.group(1))

    def constant(name):
        found = re.search(r"\b%s\s*=\s*(\d+)\s*;" % name, text)
        if not found:
            raise SystemExit("%s: no %s found" % (path, name))
        return int(found.group(1))

    enum = body(r"enum\s+CursorId\b[^{]*", "CursorId enum")
    ids = {name: int(value) for name, value in re.findall(r"(\w+)\s*=\s*(\d+)", enum)}
    names = re.findall(r'"(\w+)"', body(r"kCursorResourceNames\s*=", "kCursorResourceNames"))
    first, last = constant("kFirstCursorId"), constant("kLastCursorId")
    by_id = [name for name, _ in sorted(ids.items(), key=lambda item: item[1])]
    if sorted(ids.values()) != list(range(first, last + 1)) or names != by_id:
        raise SystemExit("%s: the CursorId enum (%s) and kCursorResourceNames (%s) must name CursorIds "
                         "%d..%d alike and in order" % (path, " ".join(by_id), " ".join(names), first, last))
    return names


def read_picture(name):
    path = os.path.join(ART, name + ".txt")
    if not os.path.isfile(path):
        raise SystemExit("%s: missing; the cursor table names %s" % (path, name))
    with open(path, encoding="ascii") as f:
        lines = [line.rstrip("\n") for line in f]
    rows = [line for line in lines if line and not line.startswith("#") and not line.startswith("hotspot")]
    hot = [line for line in lines if line.startswith("hotspot")]
    if len(hot) != 1:
        raise SystemExit("%s: needs one hotspot line" % path)
    hotspot = tuple(int(v) for v in hot[0].split()[1:3])
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        raise SystemExit("%s: needs %d rows of %d characters" % (path, SIZE, SIZE))
    bad = {c for r in rows for c in r} - set(MASKS)
    if bad:
        raise SystemExit("%s: unknown characters %s" % (path, "".join(sorted(bad))))
    return rows, hotspot


# --- the larger sizes -----------------------------------------------------------------------------

def _thin(rows, line, across):
    """How many pixels of one column (across=False) or row (across=True) differ from both of their
    neighbours along the other direction: the pixels of a one-pixel stroke."""
    n = len(rows)

    def at(i, j):
        return rows[i][j] if across else rows[j][i]

    count = 0
    for j in range(n):
        here = at(line, j)
        before = at(line - 1, j) if line > 0 else "."
        after = at(line + 1, j) if line < n - 1 else "."
        count += here != before and here != after
    return count


def _one_and_a_half(rows, across):
    """Widths for 150 %: of each pair of columns (or rows) one is doubled, the one whose doubling
    thickens fewer one-pixel strokes, so the outlines stay one pixel wide and the shapes grow."""
    widths = [1] * len(rows)
    for first in range(0, len(rows), 2):
        second = first + 1
        widths[first if _thin(rows, first, across) <= _thin(rows, second, across) else second] = 2
    return widths


def _stretch(rows, widths_x, widths_y, hotspot):
    """Each column and row repeated its width's times; the hotspot moves to the first pixel of its
    own column and row."""
    out = []
    for y, row in enumerate(rows):
        out += ["".join(c * widths_x[x] for x, c in enumerate(row))] * widths_y[y]
    return out, (sum(widths_x[:hotspot[0]]), sum(widths_y[:hotspot[1]]))


def _double(rows, hotspot):
    """Twice the size, each pixel a 2 x 2 block whose corners follow a diagonal edge where the
    neighbours agree on one (the EPX rule), so slanted strokes stay smooth. The hotspot goes to the
    first pixel of its block that kept its colour."""
    n = len(rows)

    def at(x, y):
        return rows[y][x] if 0 <= x < n and 0 <= y < n else "."

    out = [[""] * (2 * n) for _ in range(2 * n)]
    for y in range(n):
        for x in range(n):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            out[2 * y][2 * x] = a if c == a and c != d and a != b else p
            out[2 * y][2 * x + 1] = b if a == b and a != c and b != d else p
            out[2 * y + 1][2 * x] = c if d == c and d != b and c != a else p
            out[2 * y + 1][2 * x + 1] = d if b == d and b != a and d != c else p
    out = ["".join(row) for row in out]
    hx, hy = hotspot
    block = [(2 * hx, 2 * hy), (2 * hx + 1, 2 * hy), (2 * hx, 2 * hy + 1), (2 * hx + 1, 2 * hy + 1)]
    kept = [(x, y) for x, y in block if out[y][x] == rows[hy][hx]]
    return out, (kept or block)[0]


def sized(rows, hotspot, size):
    """The 32-pixel picture at another of SIZES: (rows, hotspot)."""
    if size == SIZE:
        return rows, hotspot
    if size == SIZE * 3 // 2:
        return _stretch(rows, _one_and_a_half(rows, False), _one_and_a_half(rows, True), hotspot)
    if size == SIZE * 2:
        return _double(rows, hotspot)
    raise SystemExit("no way to draw a %d-pixel cursor" % size)


# --- .cur files ----------------------------------------------------------------------------------

def pack_plane(rows, which):
    """One 1-bit plane, bottom row first, each row padded to a multiple of 32 bits."""
    size = len(rows)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        for c in row:
            bits = (bits << 1) | MASKS[c][which]
        out += (bits << (stride * 8 - size)).to_bytes(stride, "big")
    return bytes(out)


def _image(rows):
    size = len(rows)
    xor = pack_plane(rows, 1)
    and_ = pack_plane(rows, 0)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    return header + palette + xor + and_


def cursor_file(images):
    """A .cur holding one monochrome image per (rows, hotspot), in the order given."""
    datas = [_image(rows) for rows, _ in images]
    out = bytearray(struct.pack("<HHH", 0, 2, len(images)))
    offset = 6 + 16 * len(images)
    for (rows, hotspot), data in zip(images, datas):
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 2, 0, hotspot[0], hotspot[1], len(data), offset)
        offset += len(data)
    for data in datas:
        out += data
    return bytes(out)


def read_cursor_file(data):
    """Back from a .cur: [(rows, hotspot)] of its images in file order, for the check."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind) == (0, 2) and count >= 1, "not a cursor file"
    images = []
    end = 6 + 16 * count
    for i in range(count):
        width, height, colors, _, hx, hy, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = width or 256
        assert (width, height, colors) == (size % 256, size % 256, 2), "not square monochrome"
        assert offset == end, "images not stored one after another"
        end = offset + length
        header, w, h, planes, bpp = struct.unpack_from("<IiiHH", data, offset)
        assert (header, w, h, planes, bpp) == (40, size, size * 2, 1, 1), "unexpected bitmap header"
        stride = (size + 31) // 32 * 4
        assert length == 40 + 8 + 2 * stride * size, "image size does not match its bitmap"
        xor_at = offset + 40 + 8
        and_at = xor_at + stride * size
        rows = []
        for y in range(size):
            src = size - 1 - y
            xbits = int.from_bytes(data[xor_at + src * stride:xor_at + (src + 1) * stride], "big")
            abits = int.from_bytes(data[and_at + src * stride:and_at + (src + 1) * stride], "big")
            row = ""
            for x in range(size):
                shift = stride * 8 - 1 - x
                pair = ((abits >> shift) & 1, (xbits >> shift) & 1)
                row += next(c for c, m in MASKS.items() if m == pair)
            rows.append(row)
        images.append((rows, (hx, hy)))
    assert end == len(data), "the file holds more than its images"
    return images


# --- contact sheets -------------------------------------------------------------------------------

# A small 3 x 5 font, enough for the cursor names.
FONT = {
    "A": "010101111101101", "B": "110101110101110", "C": "011100100100011", "D": "110101101101110",
    "E": "111100110100111", "F": "111100110100100", "G": "011100101101011", "H": "101101111101101",
    "I": "111010010010111", "K": "101101110101101", "L": "100100100100111", "N": "110101101101101",
    "O": "010101101101010", "R": "110101110101101", "T": "111010010010010", "U": "101101101101111",
    "V": "101101101101010", "W": "101101101111101", "Z": "111001010100111", "P": "110101110100100", "Q": "010101101011001",
}

SCALE = 4
TILE = SIZE * SCALE
GAP = 12
LABEL = 16
BACKGROUNDS = [(236, 236, 236), (40, 48, 64), (90, 150, 210)]


def write_png(path, width, height, pixels):
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        raw += pixels[y * width * 3:(y + 1) * width * 3]

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def _sheet(columns, cells, cell_w, cell_h):
    """A white sheet for cells of one size and a way to paint its pixels."""
    width = columns * cell_w + GAP
    height = ((cells + columns - 1) // columns) * cell_h + GAP
    px = bytearray([255, 255, 255] * width * height)

    def put(x, y, rgb):
        if 0 <= x < width and 0 <= y < height:
            px[(y * width + x) * 3:(y * width + x) * 3 + 3] = bytes(rgb)

    return width, height, px, put


def _draw(put, ox, oy, rows, hotspot, scale, ground):
    """One cursor at scale times its size; a red frame marks the hotspot when one is given."""
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            rgb = {".": ground, "#": (0, 0, 0), "o": (255, 255, 255), "~": tuple(255 - v for v in ground)}[c]
            for dy in range(scale):
                for dx in range(scale):
                    put(ox + x * scale + dx, oy + y * scale + dy, rgb)
    if hotspot:
        hx, hy = hotspot
        for d in range(scale):
            put(ox + hx * scale + d, oy + hy * scale, (220, 0, 0))
            put(ox + hx * scale + d, oy + hy * scale + scale - 1, (220, 0, 0))
            put(ox + hx * scale, oy + hy * scale + d, (220, 0, 0))
            put(ox + hx * scale + scale - 1, oy + hy * scale + d, (220, 0, 0))


def _label(put, x, y, name):
    for ch in name:
        glyph = FONT.get(ch)
        if glyph:
            for gy in range(5):
                for gx in range(3):
                    if glyph[gy * 3 + gx] == "1":
                        for d in range(4):
                            put(x + gx * 2 + d % 2, y + gy * 2 + d // 2, (0, 0, 0))
        x += 8


def contact_sheet(path, pictures):
    """Each cursor at four times its 32-pixel size on a light, a dark and a coloured ground, the
    hotspot marked with a red frame on the light one, the name underneath."""
    columns = 4
    cell_w = len(BACKGROUNDS) * (TILE + 4) + GAP
    cell_h = TILE + LABEL + GAP
    width, height, px, put = _sheet(columns, len(pictures), cell_w, cell_h)
    for i, (name, images) in enumerate(pictures):
        rows, hotspot = images[0]
        cx = GAP + (i % columns) * cell_w
        cy = GAP + (i // columns) * cell_h
        for b, ground in enumerate(BACKGROUNDS):
            _draw(put, cx + b * (TILE + 4), cy, rows, hotspot if b == 0 else None, SCALE, ground)
        _label(put, cx, cy + TILE + 4, name)
    write_png(path, width, height, px)


def sizes_sheet(path, pictures):
    """Each cursor at its 32, 48 and 64 pixels side by side, twice enlarged, on the light ground
    with the hotspot of each size marked."""
    columns, scale = 3, 2
    cell_w = sum(scale * size + 4 for size in SIZES) + GAP
    cell_h = scale * max(SIZES) + LABEL + GAP
    width, height, px, put = _sheet(columns, len(pictures), cell_w, cell_h)
    for i, (name, images) in enumerate(pictures):
        cx = GAP + (i % columns) * cell_w
        cy = GAP + (i // columns) * cell_h
        x = cx
        for rows, hotspot in images:
            _draw(put, x, cy + scale * (max(SIZES) - len(rows)), rows, hotspot, scale, BACKGROUNDS[0])
            x += scale * len(rows) + 4
        _label(put, cx, cy + scale * max(SIZES) + 4, name)
    write_png(path, width, height, px)


def check_files(out, pictures):
    for name, images in pictures:
        with open(os.path.join(out, name.lower() + ".cur"), "rb") as f:
            back = read_cursor_file(f.read())
        assert back == images, name + ": .cur does not read back"
        assert [len(rows) for rows, _ in back] == list(SIZES), name + ": not %s pixels" % (SIZES,)
        (rows, (hx, hy)) = images[0]
        for big, (bx, by) in images[1:]:
            scale = len(big) / SIZE
            # The hotspot of a larger image lies on what its own pixel became, in the same colour.
            assert abs(bx - hx * scale) < scale and abs(by - hy * scale) < scale, name + ": hotspot astray"
            assert big[by][bx] == rows[hy][hx], name + ": hotspot on another colour at %d" % len(big)
        if name == "BLANK":
            assert all(set(row) == {"."} for image, _ in images for row in image), "BLANK must be fully transparent"
        else:
            for big, _ in images:
                drawn = sum(c in "#o" for r in big for c in r)
                assert drawn > 60 * (len(big) / SIZE) ** 2, name + ": hardly anything drawn"
    print("checked %d cursors of %s pixels in %s" % (len(pictures), "/".join(map(str, SIZES)), out))


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    if len(args) != 2:
        raise SystemExit(__doc__)
    table, out = args
    names = read_table(table)
    strays = sorted(set(f[:-4] for f in os.listdir(ART) if f.endswith(".txt")) - set(names))
    if strays:
        raise SystemExit("art/: %s not in the cursor table of %s" % (", ".join(strays), table))
    os.makedirs(out, exist_ok=True)
    pictures = []
    rc_lines = ["// The cursors of the scroll engine, written by resources/cursors/make_cursors.py."]
    for name in names:
        rows, hotspot = read_picture(name)
        images = [sized(rows, hotspot, size) for size in SIZES]
        file_name = name.lower() + ".cur"
        with open(os.path.join(out, file_name), "wb") as f:
            f.write(cursor_file(images))
        rc_lines.append('%s CURSOR "%s"' % (name, file_name))
        pictures.append((name, images))
    contact_sheet(os.path.join(out, "cursors_sheet.png"), pictures)
    sizes_sheet(os.path.join(out, "cursors_sizes.png"), pictures)
    if check:
        check_files(out, pictures)
    # Last, so that the build sees cursors.rc only once every file it names is there and checked.
    with open(os.path.join(out, "cursors.rc"), "w", newline="\n") as f:
        f.write("\n".join(rc_lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
