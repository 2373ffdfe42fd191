#!/usr/bin/env python3
"""Turns the cursor pictures of art/ into .cur files, the cursors.rc fragment that names them and a
contact sheet to look at.

    make_cursors.py TABLE OUTDIR            write NAME.cur for every cursor, cursors.rc, cursors_sheet.png
    make_cursors.py --check TABLE OUTDIR    the same, then read every .cur back and check it

TABLE is the program's C++ header with the cursor table (SystemCursors.h): its CursorId enum and
its resource-name array are the one list of cursors. Every name there needs art/NAME.txt, and every
picture in art/ a name there. Each picture is a text file: a comment line, "hotspot X Y", then 32
rows of 32 characters:
    .  transparent      #  black      o  white      ~  inverted screen
Python 3 standard library only.
"""

import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "art")
SIZE = 32


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


def pack_plane(rows, which):
    """One 1-bit plane, bottom row first, each row padded to 32 bits."""
    out = bytearray()
    for row in reversed(rows):
        bits = 0
        for c in row:
            bits = (bits << 1) | MASKS[c][which]
        out += struct.pack(">I", bits)
    return bytes(out)


def cursor_file(rows, hotspot):
    xor = pack_plane(rows, 1)
    and_ = pack_plane(rows, 0)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def read_cursor_file(data):
    """Back from a .cur: (rows, hotspot), for the check."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 2, 1), "not a one-image cursor file"
    width, height, colors, _, hx, hy, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
    assert (width, height, colors) == (SIZE, SIZE, 2), "not 32 x 32 monochrome"
    assert offset + length == len(data), "image size does not match the file"
    size, w, h, planes, bpp = struct.unpack_from("<IiiHH", data, offset)
    assert (size, w, h, planes, bpp) == (40, SIZE, SIZE * 2, 1, 1), "unexpected bitmap header"
    xor_at = offset + 40 + 8
    and_at = xor_at + SIZE * 4
    rows = []
    for y in range(SIZE):
        src = SIZE - 1 - y
        xbits = struct.unpack_from(">I", data, xor_at + src * 4)[0]
        abits = struct.unpack_from(">I", data, and_at + src * 4)[0]
        row = ""
        for x in range(SIZE):
            pair = ((abits >> (31 - x)) & 1, (xbits >> (31 - x)) & 1)
            row += next(c for c, m in MASKS.items() if m == pair)
        rows.append(row)
    return rows, (hx, hy)


# --- contact sheet -------------------------------------------------------------------------------

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


def contact_sheet(path, pictures):
    """Each cursor at four times its size on a light, a dark and a coloured ground, the hotspot
    marked with a red frame on the light one, the name underneath."""
    columns = 4
    cell_w = len(BACKGROUNDS) * (TILE + 4) + GAP
    cell_h = TILE + LABEL + GAP
    width = columns * cell_w + GAP
    height = ((len(pictures) + columns - 1) // columns) * cell_h + GAP
    px = bytearray([255, 255, 255] * width * height)

    def put(x, y, rgb):
        if 0 <= x < width and 0 <= y < height:
            px[(y * width + x) * 3:(y * width + x) * 3 + 3] = bytes(rgb)

    for i, (name, rows, hotspot) in enumerate(pictures):
        cx = GAP + (i % columns) * cell_w
        cy = GAP + (i // columns) * cell_h
        for b, ground in enumerate(BACKGROUNDS):
            ox = cx + b * (TILE + 4)
            for y in range(SIZE):
                for x in range(SIZE):
                    c = rows[y][x]
                    rgb = {".": ground, "#": (0, 0, 0), "o": (255, 255, 255),
                           "~": tuple(255 - v for v in ground)}[c]
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            put(ox + x * SCALE + dx, cy + y * SCALE + dy, rgb)
            if b == 0:
                hx, hy = hotspot
                for d in range(SCALE):
                    put(ox + hx * SCALE + d, cy + hy * SCALE, (220, 0, 0))
                    put(ox + hx * SCALE + d, cy + hy * SCALE + SCALE - 1, (220, 0, 0))
                    put(ox + hx * SCALE, cy + hy * SCALE + d, (220, 0, 0))
                    put(ox + hx * SCALE + SCALE - 1, cy + hy * SCALE + d, (220, 0, 0))
        tx = cx
        for ch in name:
            glyph = FONT.get(ch)
            if glyph:
                for gy in range(5):
                    for gx in range(3):
                        if glyph[gy * 3 + gx] == "1":
                            for d in range(4):
                                put(tx + gx * 2 + d % 2, cy + TILE + 4 + gy * 2 + d // 2, (0, 0, 0))
            tx += 8
    write_png(path, width, height, px)


def check_files(out, pictures):
    for name, rows, hotspot in pictures:
        with open(os.path.join(out, name.lower() + ".cur"), "rb") as f:
            back_rows, back_hotspot = read_cursor_file(f.read())
        assert (back_rows, back_hotspot) == (rows, hotspot), name + ": .cur does not read back"
        if name == "BLANK":
            assert all(set(r) == {"."} for r in rows), "BLANK must be fully transparent"
        else:
            drawn = sum(c in "#o" for r in rows for c in r)
            assert drawn > 60, name + ": hardly anything drawn"
    print("checked %d cursors in %s" % (len(pictures), out))


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
        file_name = name.lower() + ".cur"
        with open(os.path.join(out, file_name), "wb") as f:
            f.write(cursor_file(rows, hotspot))
        rc_lines.append('%s CURSOR "%s"' % (name, file_name))
        pictures.append((name, rows, hotspot))
    contact_sheet(os.path.join(out, "cursors_sheet.png"), pictures)
    if check:
        check_files(out, pictures)
    # Last, so that the build sees cursors.rc only once every file it names is there and checked.
    with open(os.path.join(out, "cursors.rc"), "w", newline="\n") as f:
        f.write("\n".join(rc_lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
