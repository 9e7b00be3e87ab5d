#!/usr/bin/env python3
"""Regenerates the artwork in res/art/ from nothing but code.

background.jpg  400x375 landscape behind the menu (sky, tree line, dry grass)
tavlin.ico      16x16 24-bit icon, rainbow ring round a dark hub
about_grey.bmp  73x30 8-bit grey picture for the about box
wordmark.bmp    85x24 24-bit wordmark, TAVLIN on six tiles

Only the standard library is used; the JPEG goes through cjpeg
(libjpeg-turbo-progs). Output is byte-for-byte repeatable: all randomness
comes from a fixed seed and nothing depends on the clock.
"""

import argparse
import colorsys
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile

SEED = 0x7A71

JPEG_QUALITY = 70
BG_W, BG_H = 400, 375


# --- randomness ------------------------------------------------------------
# Own generator rather than the random module, so a Python upgrade can never
# change the pictures.

class Rng:
    def __init__(self, seed):
        self.s = seed & 0xFFFFFFFFFFFFFFFF

    def u64(self):
        # splitmix64
        self.s = (self.s + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.s
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def random(self):
        return (self.u64() >> 11) / float(1 << 53)

    def uniform(self, a, b):
        return a + (b - a) * self.random()


class ValueNoise:
    """Smooth 2-D value noise on a lattice, summed over octaves."""

    def __init__(self, seed, size=256):
        r = Rng(seed)
        self.size = size
        self.grid = [r.random() for _ in range(size * size)]

    def at(self, x, y):
        n = self.size
        x0 = math.floor(x)
        y0 = math.floor(y)
        fx = x - x0
        fy = y - y0
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        x0 %= n
        y0 %= n
        x1 = (x0 + 1) % n
        y1 = (y0 + 1) % n
        g = self.grid
        a = g[y0 * n + x0]
        b = g[y0 * n + x1]
        c = g[y1 * n + x0]
        d = g[y1 * n + x1]
        top = a + (b - a) * fx
        bot = c + (d - c) * fx
        return top + (bot - top) * fy

    def fbm(self, x, y, octaves=4, gain=0.5):
        total = 0.0
        amp = 1.0
        norm = 0.0
        for i in range(octaves):
            # offset each octave so they do not line up at the origin
            total += amp * self.at(x + i * 37.1, y + i * 19.7)
            norm += amp
            amp *= gain
            x *= 2.0
            y *= 2.0
        return total / norm


def clamp8(v):
    v = int(v + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t,
            a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def smoothstep(e0, e1, x):
    t = (x - e0) / (e1 - e0)
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return t * t * (3 - 2 * t)


# --- background photograph ---------------------------------------------------

HORIZON = 204          # where the grass meets the foot of the trees
SKY_TOP = (34, 78, 156)
SKY_LOW = (132, 176, 222)
CLOUD = (236, 240, 247)
GRASS_FAR = (210, 197, 160)
GRASS_MID = (194, 174, 131)
GRASS_NEAR = (170, 142, 96)


def render_background():
    W, H = BG_W, BG_H
    img = [[(0.0, 0.0, 0.0)] * W for _ in range(H)]
    rng = Rng(SEED)
    cloud_n = ValueNoise(SEED + 1)
    leaf_n = ValueNoise(SEED + 2)
    grass_n = ValueNoise(SEED + 3)

    # sky: gradient, brighter towards the horizon, a few soft clouds
    for y in range(HORIZON):
        t = smoothstep(0, 190, y) ** 1.2
        base = mix(SKY_TOP, SKY_LOW, t)
        row = img[y]
        for x in range(W):
            # clouds are wide and flat, as seen from below at a distance
            c = cloud_n.fbm(x / 90.0, y / 28.0, 5, 0.55)
            # fewer clouds high up, where the title sits
            density = 0.30 + 0.22 * smoothstep(10, 120, y)
            a = smoothstep(0.5 - density * 0.35, 0.78, c) * (0.25 + 0.55 * density)
            row[x] = mix(base, CLOUD, a)

    # tree line: rounded crowns laid back to front, a few pointed firs
    top_of = [HORIZON] * W
    trees = []
    x = -10.0
    while x < W + 10:
        r = rng.uniform(5, 14)
        trees.append(("crown", x, r, rng.uniform(0, 1), rng.uniform(-1, 1)))
        x += r * rng.uniform(0.6, 1.2)
    for _ in range(4):
        trees.append(("fir", rng.uniform(0, W), rng.uniform(4, 6.5), rng.uniform(0, 1), 0.0))
    # far trees first; near ones overlap them
    trees.sort(key=lambda t: t[3])

    # slow undulation of the whole wood, so it is not a ruler-straight hedge
    def wood_top(x):
        return 176 - 16 * leaf_n.fbm(x / 60.0, 3.3, 3) - 6 * math.sin(x / 57.0 + 1.0)

    # the field's far edge is not quite straight either
    foot = [HORIZON + int(round(5.0 * (grass_n.fbm(x / 6.0, 7.7, 2) - 0.5)))
            for x in range(W)]

    # undergrowth: a dark mass from the crowns down to the grass
    for x in range(W):
        t0 = int(wood_top(x)) + 8
        for y in range(t0, foot[x] + 2):
            n = leaf_n.fbm(x / 3.0, y / 3.0, 2)
            k = 0.45 + 0.4 * n
            img[y][x] = (30 * k, 44 * k, 24 * k)
        top_of[x] = min(top_of[x], t0)

    for kind, cx, r, depth, hue in trees:
        base_y = wood_top(cx) + 6 * depth
        # near trees are darker, far ones hazier; each kind its own green
        near = 1 - depth
        dark = (14 + 12 * near + 6 * hue, 30 + 14 * near, 16 + 8 * near - 4 * hue)
        lit = (62 + 18 * near + 18 * hue, 88 + 12 * near + 6 * hue, 38 + 8 * near - 6 * hue)
        if kind == "crown":
            cy = base_y - r * 0.35
            rx, ry = r, r * rng.uniform(0.85, 1.3)
            x0, x1 = int(cx - rx - 4), int(cx + rx + 4)
            y0, y1 = int(cy - ry - 4), int(cy + ry * 2 + 6)
            for yy in range(max(0, y0), min(HORIZON, y1)):
                for xx in range(max(0, x0), min(W, x1)):
                    dx = (xx - cx) / rx
                    dy = (yy - cy) / ry
                    if dy > 0:
                        dy *= 0.45  # crowns merge into the wood below
                    edge = 0.72 + 0.28 * leaf_n.fbm(xx / 3.0 + cx, yy / 3.0, 2) \
                        + 0.22 * leaf_n.at(xx / 1.2 + 40, yy / 1.2)
                    d = dx * dx + dy * dy
                    if d > edge * edge:
                        continue
                    # light from the upper left
                    sh = 0.55 - 0.45 * (dx * 0.55 + (yy - cy) / ry * 0.85)
                    sh = 0.0 if sh < 0 else 1.0 if sh > 1 else sh
                    # clumps of leaves, each lit on its own top
                    clump = leaf_n.fbm(xx / 2.6 + 91, yy / 2.2, 2)
                    under = leaf_n.at(xx / 2.6 + 91, (yy - 1.5) / 2.2)
                    tex = 0.5 + (clump - under) * 2.2 + 0.4 * (clump - 0.5)
                    k = sh * (0.25 + 0.95 * tex)
                    k = 0.0 if k < 0 else 1.0 if k > 1 else k
                    img[yy][xx] = mix(dark, lit, k)
                    if yy < top_of[xx]:
                        top_of[xx] = yy
        else:
            h = r * rng.uniform(3.5, 4.5)
            tip = base_y - h
            for yy in range(max(0, int(tip)), min(HORIZON, int(base_y) + 10)):
                f = (yy - tip) / h
                half = r * min(1.0, f) * (0.8 + 0.4 * ((yy * 0.37) % 1.0)) + 0.3
                for xx in range(max(0, int(cx - half - 3)), min(W, int(cx + half + 3))):
                    dx = abs(xx - cx)
                    jag = 2.0 * leaf_n.at(xx / 1.5 + 300, yy / 1.2)
                    if dx > half + jag - 1.2:
                        continue
                    tex = leaf_n.fbm(xx / 1.8 + 171, yy / 1.5, 2)
                    sh = 0.7 - 0.5 * ((xx - cx) / (half + 1))
                    k = max(0.0, min(1.0, sh * (0.3 + 0.7 * tex) * 0.7))
                    img[yy][xx] = mix((dark[0] * 0.8, dark[1] * 0.9, dark[2] * 0.9), lit, k)
                    if yy < top_of[xx]:
                        top_of[xx] = yy

    # a little haze where the trees stand against the sky
    for x in range(W):
        for y in range(top_of[x], min(HORIZON, top_of[x] + 3)):
            img[y][x] = mix(img[y][x], img[max(0, top_of[x] - 2)][x], 0.3 - 0.1 * (y - top_of[x]))

    # grass: pale dry stalks, getting warmer and coarser towards the viewer
    for x in range(W):
        for y in range(foot[x], H):
            t = max(0.0, (y - HORIZON) / float(H - HORIZON))
            base = mix(GRASS_FAR, GRASS_MID, smoothstep(0, 0.45, t))
            base = mix(base, GRASS_NEAR, smoothstep(0.45, 1.0, t))
            # perspective: streaks grow with nearness
            sx = 0.9 + 3.5 * t
            sy = 6.0 + 50.0 * t
            broad = grass_n.fbm(x / 70.0, y / (14.0 + 30 * t), 3)
            streak = grass_n.fbm(x / sx + 500, y / sy, 2)
            k = 0.80 + 0.22 * broad + 0.16 * (streak - 0.5) * (0.4 + t)
            img[y][x] = (base[0] * k, base[1] * k, base[2] * k)
    # shadow of the wood on the near edge of the field
    for x in range(W):
        reach = 3 + 6 * grass_n.fbm(x / 25.0, 50.5, 2)
        for y in range(foot[x], foot[x] + int(reach) + 1):
            a = 0.42 * (1 - (y - foot[x]) / (reach + 1))
            c = img[y][x]
            img[y][x] = (c[0] * (1 - a), c[1] * (1 - a), c[2] * (1 - a * 0.8))

    # far stalks standing up against the dark foot of the wood
    for _ in range(350):
        bx = int(rng.uniform(0, W))
        by = foot[bx] + int(rng.uniform(0, 4))
        length = 1 + int(rng.random() * 3)
        amt = rng.uniform(0.12, 0.3)
        for s in range(length):
            yy = by - s
            if 0 <= yy < H:
                img[yy][bx] = mix(img[yy][bx], (190, 178, 140), amt * (1 - s / (length + 1.0)))

    # single blades in tufts, longer and bolder the nearer they are
    n_tufts = 1500
    for _ in range(n_tufts):
        t = rng.random() ** 0.75
        ty = HORIZON + 1 + t * (H - HORIZON + 14)
        tx = rng.uniform(-8, W + 8)
        blades = 2 + int(rng.random() * 4)
        for _b in range(blades):
            by = ty + rng.uniform(-1, 1) * (1 + 3 * t)
            bx = tx + rng.uniform(-1, 1) * (1 + 5 * t)
            length = 2 + 22 * t * rng.uniform(0.4, 1.2)
            lean = (bx - tx) * 0.06 + rng.uniform(-0.3, 0.3)
            bend = rng.uniform(-0.015, 0.015)
            roll = rng.random()
            if roll < 0.45:
                tone = (250, 242, 214)
            elif roll < 0.8:
                tone = (104, 84, 50)
            else:
                tone = (156, 150, 92)   # a few stalks still a little green
            amt = rng.uniform(0.10, 0.22) * (0.5 + 0.7 * t)
            steps = int(length)
            for s in range(steps):
                yy = int(by - s)
                xx = int(bx + lean * s + bend * s * s + 0.5)
                if yy < HORIZON - 2 or yy >= H or xx < 0 or xx >= W:
                    continue
                fade = 1 - s / float(steps + 1)
                img[yy][xx] = mix(img[yy][xx], tone, amt * (0.4 + 0.6 * fade))

    # gentle darkening of the corners, as a lens does
    out = bytearray()
    for y in range(H):
        for x in range(W):
            dx = (x - W / 2) / (W / 2)
            dy = (y - H / 2) / (H / 2)
            v = 1 - 0.10 * (dx * dx + dy * dy)
            c = img[y][x]
            out += bytes((clamp8(c[0] * v), clamp8(c[1] * v), clamp8(c[2] * v)))
    return bytes(out)


def frame_marker(data):
    """The SOFn marker of a JPEG, found by walking the segments up to the scan."""
    if data[:2] != b"\xff\xd8":
        return None
    i = 2
    while i + 4 <= len(data) and data[i] == 0xFF:
        m = data[i + 1]
        if 0xC0 <= m <= 0xCF and m not in (0xC4, 0xC8, 0xCC):
            return m
        if m == 0xDA:
            return None
        i += 2 + struct.unpack(">H", data[i + 2:i + 4])[0]
    return None


def write_jpeg(path, w, h, rgb, quality, cjpeg):
    ppm = b"P6\n%d %d\n255\n" % (w, h) + rgb
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.ppm")
        with open(src, "wb") as f:
            f.write(ppm)
        data = subprocess.run(
            [cjpeg, "-baseline", "-optimize", "-quality", str(quality), src],
            check=True, stdout=subprocess.PIPE).stdout
    if frame_marker(data) != 0xC0:
        sys.exit("cjpeg did not produce a baseline JPEG")
    with open(path, "wb") as f:
        f.write(data)


# --- icon ----------------------------------------------------------------------

def render_icon():
    """16x16 pixels as rows top-down of (r, g, b, opaque)."""
    size = 16
    c = (size - 1) / 2.0
    outer, inner = 7.9, 3.6
    sub = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            cover = 0
            ring = 0
            for sy in range(sub):
                for sx in range(sub):
                    px = x + (sx + 0.5) / sub - 0.5
                    py = y + (sy + 0.5) / sub - 0.5
                    d = math.hypot(px - c, py - c)
                    if d <= outer:
                        cover += 1
                        if d >= inner:
                            ring += 1
            if cover * 2 < sub * sub:
                row.append((0, 0, 0, False))
                continue
            ang = math.atan2(y - c, x - c)
            hue = (ang / (2 * math.pi) + 0.25) % 1.0
            d = math.hypot(x - c, y - c)
            # a touch of sheen: brightest mid-ring, deeper at the rim
            val = 0.78 + 0.22 * (1 - abs((d - 5.7) / 2.2))
            r, g, b = colorsys.hsv_to_rgb(hue, 0.85, max(0.55, min(1.0, val)))
            hub = (22, 24, 34)
            f = ring / float(cover)
            rgb = mix(hub, (r * 255, g * 255, b * 255), f)
            row.append((clamp8(rgb[0]), clamp8(rgb[1]), clamp8(rgb[2]), True))
        rows.append(row)
    return rows


def ico_bytes(rows):
    size = len(rows)
    xor = bytearray()
    andm = bytearray()
    for row in reversed(rows):           # bitmaps are stored bottom-up
        for r, g, b, op in row:
            xor += bytes((b, g, r)) if op else b"\0\0\0"
        while len(xor) % 4:
            xor += b"\0"
        bits = 0
        nbits = 0
        line = bytearray()
        for _, _, _, op in row:
            bits = (bits << 1) | (0 if op else 1)
            nbits += 1
            if nbits == 8:
                line.append(bits)
                bits = nbits = 0
        if nbits:
            line.append(bits << (8 - nbits))
        while len(line) % 4:
            line.append(0)
        andm += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0,
                         len(xor) + len(andm), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(andm)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16)
    return icondir + entry + image


# --- bitmaps -------------------------------------------------------------------

PPM_96DPI = 3780  # pixels per metre


def bmp_bytes(w, h, bpp, rows, palette=None):
    """rows: top-down list of per-row bytes (BGR for 24 bpp, indices for 8)."""
    stride = (w * bpp // 8 + 3) & ~3
    pix = bytearray()
    for row in reversed(rows):
        pix += row
        pix += b"\0" * (stride - len(row))
    pal = b""
    ncol = 0
    if palette is not None:
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
        ncol = len(palette)
    off = 14 + 40 + len(pal)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pix),
                       PPM_96DPI, PPM_96DPI, ncol, 0)
    filehdr = struct.pack("<2sIHHI", b"BM", off + len(pix), 0, 0, off)
    return filehdr + info + pal + bytes(pix)


def render_about_grey():
    w, h = 73, 30
    rows = []
    cx, cy = 10.0, 15.0
    for y in range(h):
        row = bytearray()
        for x in range(w):
            t = smoothstep(2, 66, x)
            v = 18 + 237 * t
            # faint grooves of a disc, centred off the left edge
            d = math.hypot(x - cx, (y - cy) * 1.1)
            groove = math.cos(d * 1.35) * 9 * (1 - t) * smoothstep(3, 8, d)
            # soft highlight band running down-right
            shine = 14 * math.exp(-((x - 0.9 * y - 24) / 6.0) ** 2) * (1 - t)
            v = v + groove + shine
            row.append(clamp8(v))
        rows.append(bytes(row))
    return w, h, rows


# 8x8 letters, two-pixel strokes
GLYPHS = {
    "T": ["########",
          "########",
          "...##...",
          "...##...",
          "...##...",
          "...##...",
          "...##...",
          "...##..."],
    "A": ["..####..",
          ".######.",
          "##....##",
          "##....##",
          "########",
          "########",
          "##....##",
          "##....##"],
    "V": ["##....##",
          "##....##",
          "##....##",
          "##....##",
          ".##..##.",
          ".##..##.",
          "..####..",
          "...##..."],
    "L": ["##......",
          "##......",
          "##......",
          "##......",
          "##......",
          "##......",
          "########",
          "########"],
    "I": [".######.",
          "...##...",
          "...##...",
          "...##...",
          "...##...",
          "...##...",
          "...##...",
          ".######."],
    "N": ["##....##",
          "###...##",
          "####..##",
          "##.##.##",
          "##..####",
          "##...###",
          "##....##",
          "##....##"],
}


def render_wordmark():
    w, h = 85, 24
    tile, gap, left = 12, 2, 1
    top = (h - tile) // 2
    paper = (240, 240, 240)  # the button face of the About window on current Windows
    ink = (224, 224, 224)
    px = [[paper] * w for _ in range(h)]
    for i, ch in enumerate("TAVLIN"):
        x0 = left + i * (tile + gap)
        # drop shadow one pixel down-right
        for y in range(top + 1, top + tile + 1):
            for x in range(x0 + 1, x0 + tile + 1):
                px[y][x] = (176, 178, 184)
        for y in range(top, top + tile):
            # tiles lighten slightly towards the top
            k = (y - top) / float(tile - 1)
            base = mix((70, 76, 90), (34, 38, 48), k)
            for x in range(x0, x0 + tile):
                px[y][x] = base
        g = GLYPHS[ch]
        for gy, line in enumerate(g):
            for gx, c in enumerate(line):
                if c == "#":
                    px[top + 2 + gy][x0 + 2 + gx] = ink
    rows = [b"".join(bytes((clamp8(b), clamp8(g), clamp8(r))) for r, g, b in row)
            for row in px]
    return w, h, rows


# --------------------------------------------------------------------------------

def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(here, "..", "art"),
                    help="output folder (default: res/art)")
    ap.add_argument("--cjpeg", default=shutil.which("cjpeg"),
                    help="path of cjpeg")
    args = ap.parse_args()
    if not args.cjpeg:
        sys.exit("cjpeg not found: apt-get install -y libjpeg-turbo-progs")
    out = os.path.normpath(args.out)
    os.makedirs(out, exist_ok=True)

    write_jpeg(os.path.join(out, "background.jpg"), BG_W, BG_H,
               render_background(), JPEG_QUALITY, args.cjpeg)

    with open(os.path.join(out, "tavlin.ico"), "wb") as f:
        f.write(ico_bytes(render_icon()))

    w, h, rows = render_about_grey()
    with open(os.path.join(out, "about_grey.bmp"), "wb") as f:
        f.write(bmp_bytes(w, h, 8, rows, [(i, i, i) for i in range(256)]))

    w, h, rows = render_wordmark()
    with open(os.path.join(out, "wordmark.bmp"), "wb") as f:
        f.write(bmp_bytes(w, h, 24, rows))

    for name in ("background.jpg", "tavlin.ico", "about_grey.bmp", "wordmark.bmp"):
        p = os.path.join(out, name)
        print("%-16s %6d bytes" % (name, os.path.getsize(p)))


if __name__ == "__main__":
    main()
