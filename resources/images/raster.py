"""A tiny anti-aliased rasteriser for Glidewing's icons and pictures (standard library only).

Shapes are point-in-shape tests in design coordinates: a canvas of design size w x h drawn at
scale s has w * s x h * s pixels (rounded half up), and a pixel's samples are mapped back into the
design before the test, so one drawing serves every size (a 32-unit picture at scale 1.5 is the
48-pixel one for 144 dpi). Each pixel is sampled on an n x n grid and painted with the covered
fraction, composited with "over". Colours are (r, g, b) or (r, g, b, a) with components 0..255.
"""

import math
import struct
import zlib


def _rgba(color):
    if len(color) == 3:
        return (color[0], color[1], color[2], 255)
    return tuple(color)


def mix(a, b, t):
    """Linear blend of two colours, t = 0 gives a, t = 1 gives b."""
    a, b = _rgba(a), _rgba(b)
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


class Canvas:
    def __init__(self, width, height, background=(0, 0, 0, 0), samples=4, scale=1.0):
        self.scale = scale
        self.width = int(width * scale + 0.5)  # as MulDiv rounds: 83 at 1.5 is 125
        self.height = int(height * scale + 0.5)
        self.samples = samples
        bg = _rgba(background)
        # premultiplied floats 0..1
        a = bg[3] / 255.0
        self.px = [[bg[0] / 255.0 * a, bg[1] / 255.0 * a, bg[2] / 255.0 * a, a]
                   for _ in range(self.width * self.height)]

    # -- painting -------------------------------------------------------------------------------
    def fill(self, inside, color, bbox=None):
        """Paints every pixel by the fraction of its samples for which inside(x, y) holds.

        color is a colour or a function (x, y) -> colour for gradients."""
        n = self.samples
        s = self.scale
        x0, y0, x1, y1 = (v * s for v in bbox) if bbox else (0, 0, self.width, self.height)
        x0 = max(0, int(math.floor(x0)))
        y0 = max(0, int(math.floor(y0)))
        x1 = min(self.width, int(math.ceil(x1)))
        y1 = min(self.height, int(math.ceil(y1)))
        offsets = [(i + 0.5) / n for i in range(n)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside((x + ox) / s, (y + oy) / s):
                            hits += 1
                if hits:
                    c = color((x + 0.5) / s, (y + 0.5) / s) if callable(color) else color
                    self._over(x, y, _rgba(c), hits / (n * n))

    def _over(self, x, y, c, coverage):
        a = c[3] / 255.0 * coverage
        p = self.px[y * self.width + x]
        inv = 1.0 - a
        p[0] = c[0] / 255.0 * a + p[0] * inv
        p[1] = c[1] / 255.0 * a + p[1] * inv
        p[2] = c[2] / 255.0 * a + p[2] * inv
        p[3] = a + p[3] * inv

    def rgba(self, x, y):
        p = self.px[y * self.width + x]
        a = p[3]
        if a <= 0:
            return (0, 0, 0, 0)
        return tuple(int(round(min(1.0, v / a) * 255)) for v in p[:3]) + (int(round(a * 255)),)

    # -- shapes ---------------------------------------------------------------------------------
    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color, (x0, y0, x1, y1))

    def round_rect(self, x0, y0, x1, y1, r, color):
        self.fill(lambda x, y: in_round_rect(x, y, x0, y0, x1, y1, r), color, (x0, y0, x1, y1))

    def ellipse(self, cx, cy, rx, ry, color):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, color,
                  (cx - rx, cy - ry, cx + rx, cy + ry))

    def ring(self, cx, cy, r, width, color):
        lo, hi = r - width / 2.0, r + width / 2.0
        self.fill(lambda x, y: lo * lo <= (x - cx) ** 2 + (y - cy) ** 2 <= hi * hi, color,
                  (cx - hi, cy - hi, cx + hi, cy + hi))

    def polygon(self, points, color):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(lambda x, y: in_polygon(x, y, points), color, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, x0, y0, x1, y1, width, color):
        h = width / 2.0
        self.fill(lambda x, y: segment_distance(x, y, x0, y0, x1, y1) <= h, color,
                  (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))

    def polyline(self, points, width, color):
        h = width / 2.0
        segs = list(zip(points, points[1:]))

        def inside(x, y):
            return any(segment_distance(x, y, a[0], a[1], b[0], b[1]) <= h for a, b in segs)

        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.fill(inside, color, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))

    def arc(self, cx, cy, r, width, start_deg, end_deg, color):
        """A ring segment from start to end angle (degrees, 0 = right, counter-clockwise, y up)."""
        lo, hi = r - width / 2.0, r + width / 2.0

        def inside(x, y):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if not lo * lo <= d2 <= hi * hi:
                return False
            ang = math.degrees(math.atan2(cy - y, x - cx)) % 360.0
            s, e = start_deg % 360.0, end_deg % 360.0
            return s <= ang <= e if s <= e else ang >= s or ang <= e

        self.fill(inside, color, (cx - hi, cy - hi, cx + hi, cy + hi))

    def shadow(self, inside, dx, dy, color, bbox=None):
        """A soft drop shadow: the shape moved by (dx, dy), painted faintly three times."""
        for spread, alpha in ((1.0, 0.35), (0.5, 0.35), (0.0, 0.45)):
            c = _rgba(color)
            c = (c[0], c[1], c[2], c[3] * alpha)

            def moved(x, y, s=spread):
                return any(inside(x - dx + ox, y - dy + oy)
                           for ox, oy in ((0, 0), (s, 0), (-s, 0), (0, s), (0, -s)))

            self.fill(moved, c, bbox)


# -- geometry helpers ---------------------------------------------------------------------------
def in_round_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_polygon(x, y, points):
    inside = False
    n = len(points)
    j = n - 1
    for i in range(n):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def segment_distance(px, py, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
    qx, qy = x0 + t * dx, y0 + t * dy
    return math.hypot(px - qx, py - qy)


def arrow(cx, cy, direction, length, shaft, head, head_len):
    """Polygon of a straight arrow centred on (cx, cy): direction 'up', 'down', 'left', 'right'."""
    h = length / 2.0
    s = shaft / 2.0
    k = head / 2.0
    pts = [(-h, -s), (h - head_len, -s), (h - head_len, -k), (h, 0), (h - head_len, k), (h - head_len, s), (-h, s)]
    rot = {'right': (1, 0, 0, 1), 'left': (-1, 0, 0, -1), 'down': (0, -1, 1, 0), 'up': (0, 1, -1, 0)}[direction]
    a, b, c, d = rot
    return [(cx + a * x + b * y, cy + c * x + d * y) for x, y in pts]


def double_arrow(cx, cy, vertical, length, shaft, head, head_len):
    """Polygon of a two-headed arrow."""
    h = length / 2.0
    s = shaft / 2.0
    k = head / 2.0
    pts = [(-h, 0), (-h + head_len, -k), (-h + head_len, -s), (h - head_len, -s), (h - head_len, -k), (h, 0),
           (h - head_len, k), (h - head_len, s), (-h + head_len, s), (-h + head_len, k)]
    if vertical:
        return [(cx + y, cy + x) for x, y in pts]
    return [(cx + x, cy + y) for x, y in pts]


# -- file writers ---------------------------------------------------------------------------------
def _dib_32(canvas):
    """BITMAPINFOHEADER + bottom-up BGRA + AND mask, as stored inside an .ico."""
    w, h = canvas.width, canvas.height
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row_mask = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            pixels += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    return header + bytes(pixels) + bytes(mask)


def _png(canvas):
    """The canvas as a PNG with alpha (colour type 6), as an .ico may hold it."""
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)
        for x in range(canvas.width):
            raw += bytes(canvas.rgba(x, y))

    def chunk(tag, body):
        return struct.pack('>I', len(body)) + tag + body + struct.pack('>I', zlib.crc32(tag + body) & 0xFFFFFFFF)

    header = struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) +
            chunk(b'IEND', b''))


def write_ico(path, canvases, bitmap_sizes=(16, 32, 48)):
    """An .ico file holding one 32-bit image (with alpha) per canvas. The images of the sizes in
    bitmap_sizes (those of 96 dpi, which every Windows reads) stay plain bitmaps; the others, only
    asked for at higher densities, are stored as PNG, as Windows reads them since Vista: a 64-pixel
    picture takes a few kilobytes instead of seventeen."""
    images = [_dib_32(c) if (c.width, c.height) in [(n, n) for n in bitmap_sizes] else _png(c) for c in canvases]
    out = bytearray(struct.pack('<HHH', 0, 1, len(canvases)))
    offset = 6 + 16 * len(canvases)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.width % 256, c.height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(bytes(out))


def _median_cut(counts, size):
    """Splits the colour space of counts ({colour: pixels}) into at most size boxes, always the box
    with the widest channel range weighted by its pixels, at the pixel median of that channel."""
    boxes = [sorted(counts.items())]

    def spread(box):
        return max(max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3))

    while len(boxes) < size:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: spread(b) * sum(n for _, n in b))
        boxes.remove(box)
        k = max(range(3), key=lambda k: max(c[k] for c, _ in box) - min(c[k] for c, _ in box))
        box.sort(key=lambda item: (item[0][k], item[0]))
        half, seen, cut = sum(n for _, n in box) / 2.0, 0, 1
        for i, (_, n) in enumerate(box):
            seen += n
            if seen >= half:
                cut = i
                break
        cut = max(1, min(cut, len(box) - 1))
        boxes += [box[:cut], box[cut:]]
    return boxes


def quantize(colours, size=256, rounds=6):
    """A palette of at most size colours for a list of (r, g, b) and the palette index of each.

    Median cut, then a few rounds of moving each entry to the mean of the colours nearest to it.
    A picture with no more colours than size keeps them exactly."""
    counts = {}
    for c in colours:
        counts[c] = counts.get(c, 0) + 1
    if len(counts) <= size:
        palette = sorted(counts)
        index = {c: i for i, c in enumerate(palette)}
        return palette, [index[c] for c in colours]

    def mean(members):
        total = sum(n for _, n in members)
        return tuple(int(round(sum(c[k] * n for c, n in members) / total)) for k in range(3))

    def nearest(c):
        return min(range(len(palette)), key=lambda i: (palette[i][0] - c[0]) ** 2 + (palette[i][1] - c[1]) ** 2 +
                   (palette[i][2] - c[2]) ** 2)

    palette = [mean(box) for box in _median_cut(counts, size)]
    for _ in range(rounds):
        members = [[] for _ in palette]
        for c, n in counts.items():
            members[nearest(c)].append((c, n))
        palette = [mean(m) if m else palette[i] for i, m in enumerate(members)]
    index = {c: nearest(c) for c in counts}
    return palette, [index[c] for c in colours]


def _rle8(rows):
    """Rows of palette indexes (bottom row first) run-length encoded as BI_RLE8: a run of equal
    indexes is (count, index), a stretch of three or more unequal ones is stored as it is."""
    out = bytearray()
    for row in rows:
        i = 0
        while i < len(row):
            run = 1
            while i + run < len(row) and row[i + run] == row[i] and run < 255:
                run += 1
            if run >= 2:
                out += bytes((run, row[i]))
                i += run
                continue
            end = i
            while end < len(row) and end - i < 255 and not (end + 1 < len(row) and row[end + 1] == row[end]):
                end += 1
            if end - i >= 3:
                out += bytes((0, end - i)) + bytes(row[i:end]) + (b'\0' if (end - i) % 2 else b'')
                i = end
            else:
                out += bytes((1, row[i]))
                i += 1
        out += b'\0\0'  # end of line
    return bytes(out + b'\0\1')  # end of bitmap


def write_bmp(path, canvas, matte=(255, 255, 255), rle=False):
    """An 8-bit .bmp with a palette of at most 256 colours; transparent parts are laid over the
    matte colour. A third of the size of 24 bits; for our smooth artwork the nearest palette colour
    is off by one or two levels on average, which nobody sees on screen. With rle the rows are
    run-length encoded (BI_RLE8): a picture of smooth bands shrinks to a tenth again."""
    w, h = canvas.width, canvas.height
    colours = []
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            t = a / 255.0
            colours.append(tuple(int(round(v * t + m * (1 - t))) for v, m in zip((r, g, b), matte)))
    palette, indexes = quantize(colours)
    rows = [indexes[row * w:(row + 1) * w] for row in range(h)]
    if rle:
        data = _rle8(rows)
    else:
        stride = (w + 3) & ~3
        data = b''.join(bytes(row) + bytes(stride - w) for row in rows)
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    compression = 1 if rle else 0  # BI_RLE8 or BI_RGB
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, compression, len(data), 2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(table)
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + table + bytes(data))
