#!/usr/bin/python3
"""Draws Tervanel's artwork and writes the files the build embeds.

Run from the top of the work tree:

    /usr/bin/python3 assets/render.py

Writes
    app/resources/banner.gif      400x100, 256-colour GIF, one frame
    app/resources/portrait.jpg    275x475 baseline JPEG, 150 dpi
    app/icons/tervanel.svg        scalable program icon
    app/icons/tervanel.ico        32x32 2 colours, 32x32 16 colours, 16x16 16 colours
    app/icons/hicolor/NxN/apps/tervanel.png

Everything is drawn here from shapes and seeded noise, so two runs give the
same bytes.
"""

import math
import os
import shutil
import struct
import subprocess
import sys

import numpy as np
from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
RESOURCES = os.path.join(ROOT, "app", "resources")
ICONS = os.path.join(ROOT, "app", "icons")

FONT_DIRS = (
    "/usr/share/fonts/truetype/liberation2",
    "/usr/share/fonts/truetype/liberation",
    "/usr/share/fonts/truetype/dejavu",
)
BOLD_FONTS = ("LiberationSans-Bold.ttf", "DejaVuSans-Bold.ttf")
SMALL_FONTS = ("DejaVuSans-Bold.ttf", "LiberationSans-Bold.ttf")


def find_font(names, size):
    for name in names:
        for folder in FONT_DIRS:
            path = os.path.join(folder, name)
            if os.path.exists(path):
                return ImageFont.truetype(path, size)
    sys.exit("render.py: no bold font found; install fonts-liberation2 or fonts-dejavu-core")


# ---------------------------------------------------------------------------
# Small numeric helpers


def blur(a, sigma):
    """Separable Gaussian blur of a float array (edges repeated)."""
    if sigma <= 0:
        return a
    r = max(1, int(3 * sigma + 0.5))
    x = np.arange(-r, r + 1, dtype=np.float64)
    k = np.exp(-(x * x) / (2 * sigma * sigma))
    k /= k.sum()
    h, w = a.shape
    p = np.pad(a, ((r, r), (0, 0)), mode="edge")
    out = np.zeros_like(a, dtype=np.float64)
    for i, kv in enumerate(k):
        out += kv * p[i:i + h, :]
    p = np.pad(out, ((0, 0), (r, r)), mode="edge")
    out = np.zeros_like(a, dtype=np.float64)
    for i, kv in enumerate(k):
        out += kv * p[:, i:i + w]
    return out


def shift(a, dx, dy):
    """a sampled at (x - dx, y - dy), integer offsets, edges repeated."""
    h, w = a.shape
    ys = np.clip(np.arange(h) - dy, 0, h - 1)
    xs = np.clip(np.arange(w) - dx, 0, w - 1)
    return a[ys][:, xs]


def value_noise(w, h, cell, rng):
    """Smooth noise in [0, 1] with features about `cell` pixels across."""
    gw = int(math.ceil(w / cell)) + 3
    gh = int(math.ceil(h / cell)) + 3
    grid = rng.random((gh, gw)).astype(np.float32)
    img = Image.fromarray(grid, "F").resize((gw * cell, gh * cell), Image.BICUBIC)
    return np.asarray(img, dtype=np.float64)[cell:cell + h, cell:cell + w]


def fbm(w, h, cell, octaves, rng, gain=0.5):
    total = np.zeros((h, w))
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        total += amp * value_noise(w, h, max(1, int(cell)), rng)
        norm += amp
        amp *= gain
        cell /= 2
    return total / norm


def spline(points, closed=True, steps=10):
    """Catmull-Rom curve through the points, as a polygon."""
    pts = list(points)
    n = len(pts)
    out = []
    last = n if closed else n - 1
    for i in range(last):
        p0 = pts[(i - 1) % n] if closed or i > 0 else pts[0]
        p1 = pts[i]
        p2 = pts[(i + 1) % n]
        p3 = pts[(i + 2) % n] if closed or i + 2 < n else pts[-1]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t
                       + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3)
                for k in range(2)))
    if not closed:
        out.append(pts[-1])
    return out


def lerp(a, b, t):
    return a + (b - a) * t


# ---------------------------------------------------------------------------
# Stone relief: a height field built from shapes, then lit from the top left


class Relief:
    """Heights are in output pixels; drawing happens `scale` times larger."""

    def __init__(self, width, height, scale, seed):
        self.w, self.h, self.s = width, height, scale
        self.W, self.H = width * scale, height * scale
        self.height = np.zeros((self.H, self.W))
        self.rng = np.random.default_rng(seed)

    # shapes -------------------------------------------------------------
    def mask(self, *shapes):
        """Shapes are ('poly', pts) / ('curve', pts) / ('ellipse', cx, cy, rx, ry)
        / ('line', pts, width) / ('stroke', pts, width) / ('rect', x0, y0, x1, y1),
        in output pixels; a stroke is a smooth curve through its points."""
        s = self.s
        img = Image.new("L", (self.W, self.H), 0)
        d = ImageDraw.Draw(img)
        for shape in shapes:
            kind = shape[0]
            if kind in ("poly", "curve"):
                pts = shape[1] if kind == "poly" else spline(shape[1])
                d.polygon([(x * s, y * s) for x, y in pts], fill=255)
            elif kind == "ellipse":
                _, cx, cy, rx, ry = shape
                d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], fill=255)
            elif kind == "rect":
                _, x0, y0, x1, y1 = shape
                d.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255)
            elif kind in ("line", "stroke"):
                pts = shape[1] if kind == "line" else spline(shape[1], closed=False, steps=8)
                width = shape[2]
                sp = [(x * s, y * s) for x, y in pts]
                r = max(0.5, width * s / 2)
                # each piece as a quad with a disc on every joint: Pillow's
                # wide lines leave notches where short pieces meet
                for (ax, ay), (bx, by) in zip(sp, sp[1:]):
                    length = math.hypot(bx - ax, by - ay)
                    if length == 0:
                        continue
                    nx, ny = -(by - ay) / length * r, (bx - ax) / length * r
                    d.polygon([(ax + nx, ay + ny), (bx + nx, by + ny),
                               (bx - nx, by - ny), (ax - nx, ay - ny)], fill=255)
                for x, y in sp:
                    d.ellipse([x - r, y - r, x + r, y + r], fill=255)
            else:
                raise ValueError(kind)
        return np.asarray(img, dtype=np.float64) / 255.0

    # building heights -------------------------------------------------------
    def dome(self, m, roundness):
        """0 at the outline of the mask, rising to 1 inside, rounded."""
        d = blur(m, roundness * self.s)
        prof = np.clip((d - 0.5) * 2.0, 0.0, 1.0)
        return np.sqrt(prof) * m

    def raise_(self, m, base, amp=0.0, roundness=6.0, soft=0.6, over=None):
        """Lay a raised form on top: within the mask the surface becomes
        base + amp * dome, never lower than what lies beneath plus `over`."""
        a = blur(m, soft * self.s) if soft > 0 else m
        top = base + amp * self.dome(m, roundness)
        if over is not None:
            top = np.maximum(top, blur(self.height, 5 * self.s) + over + amp * self.dome(m, roundness))
        self.height = self.height * (1 - a) + top * a

    def add(self, m, amount, sigma=1.0):
        """Add a bump (positive) or a groove (negative), softened by sigma."""
        self.height += amount * blur(m, sigma * self.s)

    def roughen(self, amount, cell):
        self.height += amount * (fbm(self.W, self.H, cell * self.s, 4, self.rng) - 0.5)

    def pits(self, count, radius, depth, region=None):
        img = Image.new("L", (self.W, self.H), 0)
        d = ImageDraw.Draw(img)
        for _ in range(count):
            x = self.rng.random() * self.W
            y = self.rng.random() * self.H
            r = radius * self.s * (0.4 + self.rng.random())
            d.ellipse([x - r, y - r * 0.8, x + r, y + r * 0.8], fill=255)
        m = np.asarray(img, dtype=np.float64) / 255.0
        if region is not None:
            m *= region
        self.add(m, -depth, 0.5)

    # lighting ---------------------------------------------------------------
    def shade(self, light=(-0.55, -0.7, 0.6), steep=1.0, ambient=0.38,
              shadow_len=14, shadow_strength=0.45, ao_strength=0.5, final_soft=0.5):
        h = blur(self.height, final_soft * self.s)
        gy, gx = np.gradient(h)
        gx *= self.s * steep
        gy *= self.s * steep
        lx, ly, lz = light
        ln = math.sqrt(lx * lx + ly * ly + lz * lz)
        lx, ly, lz = lx / ln, ly / ln, lz / ln
        norm = np.sqrt(gx * gx + gy * gy + 1.0)
        ndotl = (-gx * lx - gy * ly + lz) / norm
        diffuse = np.clip(ndotl, 0.0, 1.0) / lz
        light_val = ambient + (1 - ambient) * diffuse
        # a soft sheen on the faces turned to the light
        specular = np.clip(ndotl, 0, 1) ** 12 * 0.25
        # cast shadow: walk towards the light and see whether anything rises
        # above the ray
        pl = math.hypot(lx, ly)
        dx, dy = lx / pl, ly / pl
        tan = lz / pl
        occl = np.zeros_like(h)
        steps = int(shadow_len * self.s)
        for t in range(2, steps + 1, max(1, self.s // 2)):
            sx, sy = int(round(-dx * t)), int(round(-dy * t))
            # sample the point t working pixels towards the light
            ahead = shift(h, sx, sy)
            rise = ahead - h - (t / self.s) * tan
            occl = np.maximum(occl, rise)
        shadow = np.clip(occl / 2.5, 0, 1)
        shadow = blur(shadow, 1.2 * self.s)
        # ambient occlusion: hollows are darker
        ao = np.clip((blur(h, 5 * self.s) - h) / 6.0, 0, 1)
        value = light_val * (1 - shadow_strength * shadow) * (1 - ao_strength * ao)
        return value, specular, ao, h


def colourise(value, specular, tint, base, dark=None):
    """value/specular: float arrays; tint: (H, W, 3) array near 1; base: RGB."""
    base = np.array(base, dtype=np.float64)
    rgb = base[None, None, :] * tint * value[:, :, None]
    if dark is not None:
        # shadows of marble lean a little warmer and browner
        dcol = np.array(dark, dtype=np.float64)
        t = np.clip(1.0 - value, 0, 1)[:, :, None] * 0.35
        rgb = rgb * (1 - t) + dcol[None, None, :] * value[:, :, None] * t
    rgb += 255 * specular[:, :, None]
    # soft knee for the highlights
    rgb = np.where(rgb > 225, 225 + (rgb - 225) * 0.4, rgb)
    return np.clip(rgb, 0, 255)


def marble_tint(w, h, scale, rng, veins=True):
    W, H = w * scale, h * scale
    low = fbm(W, H, 60 * scale, 4, rng)
    tint = np.ones((H, W, 3))
    warm = np.array([1.03, 1.0, 0.94])
    cool = np.array([0.95, 0.96, 0.97])
    t = low[:, :, None]
    tint = tint * (cool * (1 - t) + warm * t)
    if veins:
        yy, xx = np.mgrid[0:H, 0:W] / scale
        turb = fbm(W, H, 40 * scale, 5, rng)
        v = np.sin(xx * 0.035 + yy * 0.05 + turb * 9.0)
        vein = np.clip(1 - np.abs(v) * 7, 0, 1) ** 2
        tint *= 1 - 0.07 * vein[:, :, None]
    grain = fbm(W, H, 3 * scale, 2, rng)
    tint *= (0.975 + 0.05 * grain)[:, :, None]
    return tint


def to_image(rgb, size):
    img = Image.fromarray(np.clip(rgb + 0.5, 0, 255).astype(np.uint8), "RGB")
    if img.size != size:
        img = img.resize(size, Image.LANCZOS)
    return img


# ---------------------------------------------------------------------------
# The portrait: a man in a robe holding a carved leg


PORTRAIT_SIZE = (275, 475)


def portrait_scene(r):
    """Heights for the relief of the bearded man with the votive leg."""
    W, H = r.w, r.h
    # slab: raised frame, a cornice at the top and the sunken field
    r.height[:] = 6.0
    field = r.mask(("rect", 15, 40, W - 15, H - 17))
    r.raise_(field, 0.0, 0.0, soft=1.0)
    # cornice: two mouldings across the top
    r.raise_(r.mask(("rect", 0, 0, W, 28)), 9.0, 0.0, soft=0.5)
    r.add(r.mask(("rect", 0, 22, W, 24)), -2.0, 0.8)
    r.add(r.mask(("rect", 0, 6, W, 8)), -1.5, 0.6)
    r.raise_(r.mask(("rect", 8, 28, W - 8, 40)), 5.0, 1.5, roundness=3, soft=0.6)
    # a shallow ground line under the feet
    r.raise_(r.mask(("rect", 15, 450, W - 15, H - 17)), 2.5, 0.5, soft=0.6)

    # -- the robe, body of the figure --------------------------------------
    robe = ("curve", [
        (180, 128), (206, 124), (230, 132), (242, 160), (243, 205), (240, 250),
        (242, 300), (247, 350), (250, 400), (252, 438), (240, 447), (215, 450),
        (190, 449), (168, 446), (158, 440), (160, 400), (163, 350), (162, 300),
        (160, 255), (162, 205), (166, 165), (170, 140)])
    m_robe = r.mask(robe)
    r.raise_(m_robe, 3.0, 11.0, roundness=20, soft=0.6)
    # folds of the mantle: diagonal from the near shoulder, then falling straight
    folds_diag = [
        [(232, 150), (205, 185), (170, 215)],
        [(238, 178), (210, 215), (168, 240)],
        [(240, 210), (214, 245), (166, 275)],
        [(241, 240), (216, 272), (167, 302)],
    ]
    for f in folds_diag:
        r.add(r.mask(("stroke", f, 2.6)) * m_robe, -2.4, 1.4)
    ridges_diag = [
        [(236, 162), (208, 198), (170, 228)],
        [(240, 195), (212, 230), (167, 258)],
        [(241, 226), (215, 259), (166, 289)],
    ]
    for f in ridges_diag:
        r.add(r.mask(("stroke", f, 3.0)) * m_robe, 1.2, 1.6)
    for x0, x1 in ((172, 168), (185, 182), (198, 199), (212, 216), (226, 233), (238, 245)):
        f = [(x0, 300), (lerp(x0, x1, 0.5) + 1.5, 370), (x1, 444)]
        r.add(r.mask(("stroke", f, 2.4)) * m_robe, -2.4, 1.3)
    for x0, x1 in ((178, 175), (192, 190), (205, 207), (219, 224), (232, 239)):
        f = [(x0, 305), (lerp(x0, x1, 0.5), 372), (x1, 446)]
        r.add(r.mask(("stroke", f, 3.6)) * m_robe, 1.0, 1.6)
    # overfold of the mantle: a roll running across the waist
    roll = ("stroke", [(166, 292), (190, 300), (215, 296), (242, 288)], 7)
    r.raise_(r.mask(roll) * m_robe, 0.0, 3.0, roundness=3, soft=0.5, over=1.5)
    # feet under the hem
    foot = ("curve", [(141, 452), (146, 444), (160, 440), (178, 441), (190, 446),
                      (191, 453), (168, 455), (148, 455)])
    r.raise_(r.mask(foot), 2.5, 4.0, roundness=3, soft=0.5)
    for x in (147, 151, 155):
        r.add(r.mask(("line", [(x, 447), (x + 1, 454)], 0.8)), -0.8, 0.4)
    back_foot = ("curve", [(196, 450), (204, 445), (230, 446), (238, 452), (232, 455), (200, 455)])
    r.raise_(r.mask(back_foot), 2.0, 2.5, roundness=3, soft=0.5)

    # -- the head ------------------------------------------------------------
    neck = ("curve", [(182, 112), (205, 112), (210, 138), (184, 140)])
    r.raise_(r.mask(neck), 6.0, 4.0, roundness=5)
    skull = ("curve", [
        (176, 64), (186, 54), (202, 51), (218, 57), (227, 72), (228, 92),
        (222, 110), (210, 118), (196, 118), (186, 112), (180, 104),
        (172, 104), (169, 101), (171, 98), (166, 96), (163, 93),
        (167, 87), (170, 80), (171, 72)])
    m_head = r.mask(skull)
    r.raise_(m_head, 6.0, 12.0, roundness=10, soft=0.5)
    # brow, eye, cheek, mouth
    r.add(r.mask(("ellipse", 176, 77, 6, 2.5)), 1.6, 1.2)
    r.add(r.mask(("poly", [(171, 82), (176, 80.5), (181, 82.5), (176, 84)])), -2.2, 0.5)
    r.add(r.mask(("ellipse", 177, 82.5, 1.6, 1.2)), 1.0, 0.4)
    r.add(r.mask(("ellipse", 182, 92, 6, 5)), 1.2, 2.0)
    r.add(r.mask(("stroke", [(171, 85), (168, 92), (167, 95)], 1.4)), 1.2, 0.8)
    r.add(r.mask(("stroke", [(167, 97), (171, 98.5)], 0.9)), -1.0, 0.4)
    # hair: a cap of curls with a fillet round it
    hair = ("curve", [(172, 70), (176, 58), (190, 50), (206, 49), (220, 56), (229, 70),
                      (230, 90), (226, 106), (218, 116), (207, 110), (210, 95),
                      (205, 82), (192, 72), (180, 70)])
    m_hair = r.mask(hair) * m_head
    r.add(m_hair, 2.0, 1.0)
    curls = []
    rng = np.random.default_rng(7)
    for cy in range(54, 118, 6):
        for cx in range(170, 232, 6):
            jx, jy = rng.random(2) * 2.5
            curls.append(("ellipse", cx + jx, cy + jy + (cx % 12) * 0.2, 2.9, 2.5))
    r.add(r.mask(*curls) * m_hair, 1.7, 0.7)
    fillet = ("stroke", [(174, 69), (190, 62), (208, 63), (224, 74)], 3.0)
    r.raise_(r.mask(fillet) * m_head, 0.0, 1.5, roundness=1.2, soft=0.4, over=1.2)
    # ear
    r.add(r.mask(("ellipse", 206, 94, 5, 7)), 1.5, 0.8)
    r.add(r.mask(("ellipse", 205.5, 94, 2.2, 4)), -1.8, 0.6)
    # beard: flowing from the cheek down to a point, worked in rows of curls
    beard = ("curve", [(170, 101), (178, 98), (190, 102), (204, 108), (212, 116),
                       (208, 128), (196, 138), (182, 146), (171, 148), (165, 140),
                       (166, 124), (167, 110)])
    m_beard = r.mask(beard)
    r.raise_(m_beard, 0.0, 3.5, roundness=4, soft=0.5, over=1.0)
    bcurls = []
    for row, cy in enumerate(range(104, 148, 5)):
        for cx in range(164, 214, 5):
            ox = 2.5 if row % 2 else 0
            bcurls.append(("ellipse", cx + ox, cy, 2.6, 2.2))
    r.add(r.mask(*bcurls) * m_beard, 1.4, 0.6)
    # moustache over the lip
    r.add(r.mask(("stroke", [(168, 100), (174, 101), (182, 106)], 2.6)), 1.5, 0.6)

    # -- the far arm: forearm rising from behind the body to the thigh -------
    far_arm = ("stroke", [(198, 238), (178, 226), (163, 210), (153, 194)], 14)
    r.raise_(r.mask(far_arm), 8.0, 4.0, roundness=5, over=2.0)

    # -- the carved leg, held upright in front --------------------------------
    leg_outline = [
        (96, 160), (122, 152), (150, 145), (154, 168), (152, 200), (148, 232),
        (143, 256), (139, 276), (144, 292), (150, 312), (149, 334), (140, 356),
        (130, 378), (127, 395), (133, 410), (130, 424), (112, 428), (86, 429),
        (62, 427), (56, 421), (63, 414), (84, 407), (104, 396), (110, 380),
        (108, 352), (104, 322), (102, 296), (100, 280), (95, 266), (97, 248),
        (94, 225), (90, 200), (91, 178)]
    m_leg = r.mask(("curve", leg_outline))
    r.raise_(m_leg, 9.0, 10.0, roundness=18, soft=0.5)
    # the oblique cut at the top of the thigh, with a narrow band below it
    r.add(r.mask(("curve", [(97, 161), (122, 153), (150, 146), (151, 152), (124, 160), (98, 167)])), -1.0, 0.7)
    r.add(r.mask(("stroke", [(93, 174), (122, 166), (152, 160)], 2.2)), -1.0, 0.6)
    # kneecap and the muscles round it
    r.add(r.mask(("ellipse", 101, 263, 7, 10)), 2.4, 1.8)
    r.add(r.mask(("stroke", [(104, 277), (108, 290)], 3)), 1.0, 1.0)
    r.add(r.mask(("stroke", [(96, 190), (101, 225), (108, 248)], 2)), -0.9, 1.6)
    r.add(r.mask(("ellipse", 110, 215, 12, 30)), 1.6, 5.0)
    # shin edge and calf
    r.add(r.mask(("stroke", [(107, 300), (109, 340), (113, 376)], 2)), 0.8, 1.2)
    r.add(r.mask(("ellipse", 137, 318, 9, 26)), 2.2, 4.0)
    r.add(r.mask(("stroke", [(139, 280), (137, 292)], 2)), -0.8, 1.0)
    # ankle bone, instep, toes
    r.add(r.mask(("ellipse", 119, 395, 4.5, 4)), 1.6, 1.0)
    r.add(r.mask(("stroke", [(104, 402), (86, 411), (70, 418)], 4)), 1.0, 1.5)
    for x in (62, 68, 74, 80):
        r.add(r.mask(("line", [(x, 419), (x + 1.5, 428)], 0.9)), -1.4, 0.4)
    r.add(r.mask(("stroke", [(123, 411), (123, 425)], 1.0)), -0.8, 0.6)

    # far hand gripping the back of the thigh, fingers laid across it
    far_hand = ("curve", [(160, 196), (152, 178), (142, 172), (128, 173), (124, 180),
                          (127, 189), (132, 195), (146, 200)])
    m_fh = r.mask(far_hand)
    r.raise_(m_fh, 0.0, 2.5, roundness=3.5, soft=0.5, over=2.0)
    for y in (179, 184, 189):
        r.add(r.mask(("stroke", [(127, y), (136, y + 0.5), (145, y + 1.5)], 0.9)) * m_fh, -1.2, 0.4)
    r.add(r.mask(("stroke", [(148, 176), (138, 170), (131, 171)], 3.2)), 1.0, 0.6)  # thumb

    # -- the near arm: draped upper arm, bare forearm, hand round the leg ----
    upper = ("curve", [(205, 140), (222, 142), (228, 170), (224, 215), (216, 250),
                       (198, 257), (190, 240), (194, 200), (196, 165)])
    m_upper = r.mask(upper)
    r.raise_(m_upper, 0.0, 5.0, roundness=7, soft=0.5, over=2.5)
    for f in ([(214, 150), (208, 195), (204, 240)], [(222, 160), (218, 205), (210, 245)]):
        r.add(r.mask(("stroke", f, 2.2)) * m_upper, -1.4, 1.0)
    # hanging end of the mantle under the elbow
    r.add(r.mask(("stroke", [(212, 252), (210, 270), (213, 286)], 5)) * m_robe, 1.2, 1.2)
    forearm = ("stroke", [(205, 246), (180, 252), (154, 260)], 13)
    m_fore = r.mask(forearm)
    r.raise_(m_fore, 0.0, 4.0, roundness=5, soft=0.5, over=3.0)
    hand = ("curve", [(158, 250), (148, 247), (136, 251), (131, 259), (134, 270),
                      (146, 273), (158, 271), (162, 261)])
    m_hand = r.mask(hand)
    r.raise_(m_hand, 0.0, 3.0, roundness=4, soft=0.5, over=2.5)
    for y in (255, 260, 265, 270):
        r.add(r.mask(("stroke", [(134, y - 1), (140, y), (147, y + 0.5)], 0.9)) * m_hand, -1.2, 0.4)
    r.add(r.mask(("stroke", [(145, 250), (137, 246)], 4)), 1.2, 0.8)  # thumb
    # -- weathering ----------------------------------------------------------
    r.roughen(0.55, 14)
    r.roughen(0.1, 3)
    r.pits(90, 0.8, 0.6)
    # a few larger knocks, mostly on the frame and the edges
    frame_band = 1 - field
    r.pits(70, 2.2, 1.6, region=frame_band)
    # broken top right corner of the cornice
    chip = r.mask(("curve", [(238, 0), (W, 0), (W, 20), (264, 16), (252, 8)]))
    r.height -= 6.0 * blur(chip, 1.0 * r.s)


def make_portrait(path):
    scale = 3
    w, h = PORTRAIT_SIZE
    r = Relief(w, h, scale, seed=1975)
    portrait_scene(r)
    value, specular, ao, hgt = r.shade(light=(-0.6, -0.75, 0.75), steep=0.9, ambient=0.42,
                                   shadow_len=12, shadow_strength=0.4, ao_strength=0.55)
    rng = np.random.default_rng(2024)
    tint = marble_tint(w, h, scale, rng)
    # grime gathers in the hollows
    grime = np.clip(ao * 1.6, 0, 1)[:, :, None]
    tint = tint * (1 - 0.18 * grime) + np.array([0.86, 0.8, 0.7]) * 0.18 * grime
    rgb = colourise(value, specular, tint, base=(200, 188, 168), dark=(120, 100, 80))
    # light falls off a little towards the corners, as in a photograph
    yy, xx = np.mgrid[0:h * scale, 0:w * scale]
    d2 = ((xx / (w * scale) - 0.45) / 0.75) ** 2 + ((yy / (h * scale) - 0.42) / 0.8) ** 2
    rgb *= (1 - 0.22 * np.clip(d2, 0, 1.5))[:, :, None]
    img = to_image(rgb, PORTRAIT_SIZE)
    img.save(path, "JPEG", quality=85, dpi=(150, 150), progressive=False,
             optimize=True, subsampling="4:2:0")
    # Pillow writes JFIF 1.01; the portrait has always been a JFIF 1.00 file.
    data = bytearray(open(path, "rb").read())
    assert data[6:11] == b"JFIF\0", "no JFIF header"
    data[11:13] = b"\x01\x00"
    open(path, "wb").write(bytes(data))


# ---------------------------------------------------------------------------
# The banner


BANNER_SIZE = (400, 100)
SLOGAN = ("Gambe sane,", "passi leggeri!")
WEB_ADDRESS = "www.dorvik.example"


def banner_relief():
    """A small stone tablet: a robed figure carrying a vessel, facing right."""
    tw, th = 84, 92
    r = Relief(tw, th, 4, seed=311)
    r.height[:] = 5.0
    field = r.mask(("rect", 6, 6, tw - 6, th - 6))
    r.raise_(field, 0.0, 0.0, soft=0.6)
    # figure
    robe = ("curve", [(36, 30), (46, 29), (52, 38), (53, 52), (55, 70), (58, 82),
                      (46, 84), (30, 84), (26, 80), (30, 66), (31, 50), (31, 38)])
    m_robe = r.mask(robe)
    r.raise_(m_robe, 2.0, 4.0, roundness=5, soft=0.5)
    for x0, x1 in ((36, 33), (41, 40), (46, 48), (51, 54)):
        r.add(r.mask(("stroke", [(x0, 56), (x1, 83)], 1.0)) * m_robe, -1.0, 0.5)
    r.add(r.mask(("stroke", [(33, 40), (42, 48), (52, 46)], 1.2)) * m_robe, -0.8, 0.6)
    head = ("curve", [(35, 20), (38, 14), (44, 12), (48, 15), (49, 19), (51, 22),
                      (49, 23), (49, 26), (46, 29), (39, 30), (35, 26)])
    r.raise_(r.mask(head), 3.0, 4.5, roundness=4, soft=0.4)
    hair = ("curve", [(34, 21), (36, 14), (43, 11), (48, 14), (44, 17), (40, 22), (39, 28), (35, 27)])
    r.add(r.mask(hair), 1.0, 0.4)
    r.add(r.mask(("ellipse", 36, 26, 3.5, 3.0)), 1.2, 0.5)  # knot of hair at the nape
    r.add(r.mask(("ellipse", 46.5, 19, 1.1, 0.7)), -1.0, 0.3)
    # vessel: an amphora held before the body
    jar = ("curve", [(55, 36), (60, 36), (60, 39), (65, 43), (67, 52), (64, 61),
                     (59, 66), (56, 66), (51, 61), (48, 52), (50, 43), (55, 39)])
    m_jar = r.mask(jar)
    r.raise_(m_jar, 0.0, 4.0, roundness=5, soft=0.4, over=3.0)
    r.add(r.mask(("stroke", [(50, 47), (57, 46.5), (66, 47)], 0.8)) * m_jar, -0.8, 0.3)
    r.add(r.mask(("stroke", [(51, 56), (58, 56.5), (65, 56)], 0.8)) * m_jar, -0.8, 0.3)
    r.add(r.mask(("stroke", [(60, 38), (64, 35), (66, 42)], 1.3)), 1.8, 0.3)  # handle
    r.add(r.mask(("rect", 54.5, 34, 61, 37)), 1.4, 0.3)  # lip
    # arms: one cradles the jar underneath, one steadies it from above
    arm1 = ("stroke", [(40, 36), (42, 48), (50, 62), (56, 64)], 4.2)
    r.raise_(r.mask(arm1), 0.0, 2.0, roundness=2, soft=0.4, over=3.6)
    arm2 = ("stroke", [(45, 33), (50, 38), (55, 41)], 3.6)
    r.raise_(r.mask(arm2), 0.0, 2.0, roundness=2, soft=0.4, over=3.5)
    r.roughen(0.5, 5)
    r.pits(60, 0.6, 0.6)
    value, specular, ao, _ = r.shade(light=(-0.6, -0.75, 0.8), steep=0.8, ambient=0.45,
                                 shadow_len=7, shadow_strength=0.4, ao_strength=0.5)
    rng = np.random.default_rng(5)
    tint = marble_tint(tw, th, 4, rng, veins=False)
    rgb = colourise(value, specular, tint, base=(206, 194, 174), dark=(120, 100, 80))
    return to_image(rgb, (tw, th))


def make_banner(path):
    w, h = BANNER_SIZE
    S = 3  # drawn three times larger, then reduced
    W, H = w * S, h * S
    xx = (np.arange(W) + 0.5) / S
    yy = (np.arange(H) + 0.5) / S
    # horizontal fade: white, sky, deep blue, violet
    stops = [(0, (255, 255, 255)), (95, (255, 255, 255)), (165, (178, 206, 246)),
             (250, (52, 92, 214)), (330, (88, 52, 196)), (400, (120, 40, 170))]
    cols = np.zeros((W, 3))
    for i in range(len(stops) - 1):
        (x0, c0), (x1, c1) = stops[i], stops[i + 1]
        sel = (xx >= x0) & (xx <= x1)
        t = ((xx[sel] - x0) / (x1 - x0))[:, None]
        t = t * t * (3 - 2 * t)
        cols[sel] = np.array(c0) * (1 - t) + np.array(c1) * t
    rgb = np.repeat(cols[None, :, :], H, axis=0)
    # a little depth: the coloured part darkens towards the bottom
    fade = np.clip((xx - 100) / 150, 0, 1)[None, :]
    v = (yy / h)[:, None]
    rgb *= (1 - 0.12 * fade * v ** 1.5)[:, :, None]
    # the star of light near the right edge
    cx, cy = 356.0, 38.0
    X, Y = np.meshgrid(xx, yy)
    dx, dy = X - cx, Y - cy
    rad = np.hypot(dx, dy)
    glow = np.exp(-(rad / 7.0) ** 2) + 0.55 * np.exp(-rad / 16.0) + 0.18 * np.exp(-rad / 45.0)
    rays = np.zeros_like(rad)
    for ang, length, width in ((0, 70, 0.9), (90, 46, 0.9), (180, 70, 0.9), (270, 46, 0.9),
                               (45, 24, 0.6), (135, 24, 0.6), (225, 24, 0.6), (315, 24, 0.6),
                               (22, 13, 0.45), (158, 13, 0.45), (202, 13, 0.45), (338, 13, 0.45)):
        a = math.radians(ang)
        ux, uy = math.cos(a), math.sin(a)
        along = dx * ux + dy * uy
        perp = np.abs(-dx * uy + dy * ux)
        fall = np.clip(1 - along / length, 0, 1) ** 2 * (along > 0)
        rays += np.exp(-(perp / (width * (0.4 + 1.6 * np.clip(1 - along / length, 0, 1)))) ** 2) * fall
    light = np.clip(glow + 0.9 * rays, 0, 1.6)
    light = np.clip(light, 0, 1)[:, :, None]
    warm = np.array([255, 250, 235])
    rgb = rgb * (1 - light) + warm * light
    base = to_image(rgb, (w, h))

    # the stone tablet at the left, with a faint shadow on the white
    tablet = banner_relief()
    shadow = Image.new("L", (w, h), 0)
    ImageDraw.Draw(shadow).rectangle([9, 8, 9 + tablet.width, 7 + tablet.height], fill=90)
    shadow = shadow.filter(ImageFilter.GaussianBlur(2.2))
    base = Image.composite(Image.new("RGB", (w, h), (70, 80, 100)), base, shadow)
    base.paste(tablet, (6, 4))

    # slogan: two lines of bold red letters with a soft white halo behind
    font = find_font(BOLD_FONTS, 27)
    lines = SLOGAN
    cx_text = 212
    tops = (16, 50)
    text_mask = Image.new("L", (w, h), 0)
    td = ImageDraw.Draw(text_mask)
    for line, top in zip(lines, tops):
        l, t, rr, b = td.textbbox((0, 0), line, font=font)
        td.text((cx_text - (rr - l) / 2 - l, top - t), line, font=font, fill=255)
    halo = text_mask.filter(ImageFilter.MaxFilter(5)).filter(ImageFilter.GaussianBlur(3.0))
    halo = halo.point(lambda v: min(255, int(v * 1.2)))
    base = Image.composite(Image.new("RGB", (w, h), (255, 255, 255)), base, halo)
    edge = text_mask.filter(ImageFilter.MaxFilter(3))
    base = Image.composite(Image.new("RGB", (w, h), (120, 0, 10)), base, edge)
    red = Image.new("RGB", (w, h), (0, 0, 0))
    rd = np.zeros((h, w, 3))
    yy2 = np.arange(h)[:, None]
    rd[..., 0] = 232 - 0.35 * yy2
    rd[..., 1] = 22
    rd[..., 2] = 30
    red = Image.fromarray(np.clip(rd, 0, 255).astype(np.uint8), "RGB")
    base = Image.composite(red, base, text_mask)

    # web address, small and white, bottom right
    small = find_font(SMALL_FONTS, 11)
    d = ImageDraw.Draw(base)
    l, t, rr, b = d.textbbox((0, 0), WEB_ADDRESS, font=small)
    x = w - 7 - (rr - l) - l
    y = h - 6 - (b - t) - t
    d.text((x + 1, y + 1), WEB_ADDRESS, font=small, fill=(60, 20, 90))
    d.text((x, y), WEB_ADDRESS, font=small, fill=(255, 255, 255))

    # 256-colour palette: pick the colours, then map with error diffusion
    pal_img = base.quantize(colors=256, method=Image.Quantize.MEDIANCUT)
    palette = pal_img.getpalette()[:768]
    palette += [0] * (768 - len(palette))
    pal_ref = Image.new("P", (1, 1))
    pal_ref.putpalette(palette)
    out = base.quantize(palette=pal_ref, dither=Image.Dither.FLOYDSTEINBERG)
    out.putpalette(palette)
    out.info.pop("transparency", None)
    out.save(path, "GIF", interlace=False, optimize=False)


# ---------------------------------------------------------------------------
# The icon: a white window in perspective, cyan title bar, grey shadow

# Corners on a 48-unit square: left edge near, right edge further away.
ICON_GEOM = {
    "x0": 4.0, "x1": 40.0,
    "top": (7.0, 11.0),       # top edge at the left / right
    "bottom": (41.0, 36.0),   # bottom edge at the left / right
    "bar": (15.0, 17.5),      # lower edge of the title bar
    "shadow": (3.0, 3.0),
}
ICON_COLOURS = {
    "outline": (38, 52, 66),
    "bar_top": (96, 226, 246),
    "bar": (24, 186, 222),
    "body": (255, 255, 255),
    "body_low": (230, 238, 244),
    "shadow": (96, 100, 108),
}


def hexc(c):
    return "#%02x%02x%02x" % c


def icon_svg():
    g, c = ICON_GEOM, ICON_COLOURS
    x0, x1 = g["x0"], g["x1"]
    (tl, tr), (bl, br), (bbl, bbr) = g["top"], g["bottom"], g["bar"]
    sx, sy = g["shadow"]

    def quad(pts):
        return " ".join("%.2f,%.2f" % p for p in pts)

    win = quad([(x0, tl), (x1, tr), (x1, br), (x0, bl)])
    shadow = quad([(x0 + sx, tl + sy), (x1 + sx, tr + sy), (x1 + sx, br + sy), (x0 + sx, bl + sy)])
    bar = quad([(x0, tl), (x1, tr), (x1, bbr), (x0, bbl)])
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <title>Tervanel</title>
  <defs>
    <filter id="soft" x="-20%" y="-20%" width="140%" height="140%">
      <feGaussianBlur stdDeviation="1.1"/>
    </filter>
    <linearGradient id="bar" x1="0" y1="{tl:.2f}" x2="0" y2="{bbl:.2f}" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{hexc(c['bar_top'])}"/>
      <stop offset="1" stop-color="{hexc(c['bar'])}"/>
    </linearGradient>
    <linearGradient id="body" x1="{x0}" y1="0" x2="{x1}" y2="0" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="{hexc(c['body'])}"/>
      <stop offset="1" stop-color="{hexc(c['body_low'])}"/>
    </linearGradient>
  </defs>
  <polygon points="{shadow}" fill="{hexc(c['shadow'])}" fill-opacity="0.55" filter="url(#soft)"/>
  <polygon points="{win}" fill="url(#body)"/>
  <polygon points="{bar}" fill="url(#bar)"/>
  <line x1="{x0:.2f}" y1="{bbl:.2f}" x2="{x1:.2f}" y2="{bbr:.2f}" stroke="{hexc(c['outline'])}" stroke-width="1" stroke-opacity="0.75"/>
  <polygon points="{win}" fill="none" stroke="{hexc(c['outline'])}" stroke-width="1.2" stroke-linejoin="round"/>
</svg>
"""


def icon_frame(n):
    """The window's corners for an n-pixel icon, with the vertical edges and
    the left corners on whole pixels so the small sizes stay sharp."""
    g = ICON_GEOM
    k = n / 48.0
    x0, x1 = round(g["x0"] * k), round(g["x1"] * k)
    return {
        "x0": x0, "x1": x1,
        "top": (round(g["top"][0] * k), g["top"][1] * k),
        "bottom": (round(g["bottom"][0] * k), g["bottom"][1] * k),
        "bar": (round(g["bar"][0] * k), g["bar"][1] * k),
        "shadow": max(1, round(g["shadow"][0] * k)),
    }


def icon_cells(n):
    """The icon on an n x n grid of whole pixels, for the paletted images:
    rows of None (clear), 'shadow', 'outline', 'bar', 'bar_top' or 'body'."""
    f = icon_frame(n)
    x0, x1 = f["x0"], f["x1"] - 1  # first and last pixel column
    grid = [[None] * n for _ in range(n)]

    def edge(pair, x):
        t = (x + 0.5 - f["x0"]) / (f["x1"] - f["x0"])
        return int(math.floor(lerp(pair[0], pair[1], t)))

    def put(x, y, v):
        if 0 <= x < n and 0 <= y < n:
            grid[y][x] = v

    sh = f["shadow"]
    for x in range(x0, x1 + 1):
        for y in range(edge(f["top"], x), edge(f["bottom"], x)):
            put(x + sh, y + sh, "shadow")
    for x in range(x0, x1 + 1):
        top, bot, bar = edge(f["top"], x), edge(f["bottom"], x) - 1, edge(f["bar"], x)
        for y in range(top, bot + 1):
            if x in (x0, x1) or y in (top, bot, bar):
                v = "outline"
            elif y < bar:
                v = "bar_top" if (y == top + 1 and n >= 24) else "bar"
            else:
                v = "body"
            put(x, y, v)
    return grid


def icon_pixels(n):
    """The icon for the small desktop sizes: vertical edges land on whole
    pixels, the slanted ones are smoothed by drawing 8 times larger."""
    c = ICON_COLOURS
    f = icon_frame(n)
    ss = 8
    N = n * ss
    x0, x1 = f["x0"] * ss, f["x1"] * ss
    (tl, tr), (bl, br), (al, ar) = f["top"], f["bottom"], f["bar"]
    tl, tr, bl, br, al, ar = (v * ss for v in (tl, tr, bl, br, al, ar))
    one = ss  # one output pixel

    def quad(xa, xb, ya0, yb0, ya1, yb1):
        # columns xa..xb; top edge from ya0 to yb0, bottom edge from ya1 to yb1
        return [(xa, ya0), (xb, yb0), (xb, yb1), (xa, ya1)]

    def at(y_left, y_right, x):
        return lerp(y_left, y_right, (x - x0) / (x1 - x0))

    img = Image.new("RGBA", (N, N), (0, 0, 0, 0))
    # the shadow, offset down and to the right
    sh = f["shadow"] * ss
    shadow = Image.new("L", (N, N), 0)
    ImageDraw.Draw(shadow).polygon(quad(x0 + sh, x1 + sh, tl + sh, tr + sh, bl + sh, br + sh), fill=255)
    if n >= 22:
        shadow = shadow.filter(ImageFilter.GaussianBlur(0.5 * ss))
    shadow = shadow.point(lambda v: v * 150 // 255)
    img.paste(Image.new("RGBA", (N, N), c["shadow"] + (255,)), (0, 0), shadow)
    d = ImageDraw.Draw(img)
    # outline colour over the whole window, then the inside
    d.polygon(quad(x0, x1, tl, tr, bl, br), fill=c["outline"] + (255,))
    xi0, xi1 = x0 + one, x1 - one
    d.polygon(quad(xi0, xi1, at(tl, tr, xi0) + one, at(tl, tr, xi1) + one,
                   at(bl, br, xi0) - one, at(bl, br, xi1) - one), fill=c["body"] + (255,))
    # a faint cool shade across the body, darker towards the far edge
    body = Image.new("L", (N, N), 0)
    ImageDraw.Draw(body).polygon(quad(xi0, xi1, at(al, ar, xi0) + one, at(al, ar, xi1) + one,
                                      at(bl, br, xi0) - one, at(bl, br, xi1) - one), fill=255)
    ramp = Image.linear_gradient("L").rotate(90).resize((N, N)).transpose(Image.FLIP_LEFT_RIGHT)
    ramp = ramp.point(lambda v: v * 120 // 255)
    img.paste(Image.new("RGBA", (N, N), c["body_low"] + (255,)), (0, 0), ImageChops.multiply(body, ramp))
    # title bar, lighter along its top
    bar = quad(xi0, xi1, at(tl, tr, xi0) + one, at(tl, tr, xi1) + one, at(al, ar, xi0), at(al, ar, xi1))
    d.polygon(bar, fill=c["bar"] + (255,))
    if n >= 22:
        d.polygon(quad(xi0, xi1, at(tl, tr, xi0) + one, at(tl, tr, xi1) + one,
                       at(tl, tr, xi0) + 2 * one, at(tl, tr, xi1) + 2 * one), fill=c["bar_top"] + (255,))
    # the line under the title bar
    d.polygon(quad(xi0, xi1, at(al, ar, xi0), at(al, ar, xi1), at(al, ar, xi0) + one,
                   at(al, ar, xi1) + one), fill=c["outline"] + (255,))
    return img.resize((n, n), Image.BOX)


def render_svg(svg_path, n, out_path):
    subprocess.run(["rsvg-convert", "-w", str(n), "-h", str(n), "-f", "png",
                    "-o", out_path, svg_path], check=True)
    img = Image.open(out_path)
    img.load()
    img = img.convert("RGBA")
    img.save(out_path, "PNG", optimize=True)


# Windows' standard 16 colours, in their usual order
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
MONO = [(0, 0, 0), (255, 255, 255)]


def ico_image(indices, mask, n, bpp, palette):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask.
    indices/mask: rows top to bottom; mask 1 = transparent."""
    def rows_bits(rows, bits):
        out = bytearray()
        for row in reversed(rows):  # bottom-up
            acc, nbits, line = 0, 0, bytearray()
            for v in row:
                acc = (acc << bits) | v
                nbits += bits
                if nbits == 8:
                    line.append(acc)
                    acc, nbits = 0, 0
            if nbits:
                line.append(acc << (8 - nbits))
            while len(line) % 4:
                line.append(0)
            out += line
        return bytes(out)

    xor = rows_bits(indices, bpp)
    andm = rows_bits(mask, 1)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, len(xor) + len(andm),
                         0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    assert len(palette) == 1 << bpp
    return header + pal + xor + andm


def ico_file(images):
    """images: list of (n, bpp, data)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for n, bpp, data in images:
        colours = 1 << bpp
        out += struct.pack("<BBBBHHII", n % 256, n % 256, colours if colours < 256 else 0, 0,
                           1, bpp, len(data), offset + len(body))
        body += data
    return out + body


def icon_for_ico(n, bpp):
    cells = icon_cells(n)
    if bpp == 4:
        colour = {"outline": 0, "bar": 14, "bar_top": 14, "body": 15, "shadow": 8}
        pal = VGA16
    else:
        colour = {"outline": 0, "bar": 0, "bar_top": 0, "body": 1}
        pal = MONO
    indices, mask = [], []
    for y, row in enumerate(cells):
        irow, mrow = [], []
        for x, v in enumerate(row):
            if v is None:
                irow.append(0)
                mrow.append(1)
            elif v == "shadow" and bpp == 1:
                # two colours only: a chequer of black stands for the shadow
                if (x + y) % 2:
                    irow.append(0)
                    mrow.append(0)
                else:
                    irow.append(0)
                    mrow.append(1)
            else:
                irow.append(colour[v])
                mrow.append(0)
        indices.append(irow)
        mask.append(mrow)
    return ico_image(indices, mask, n, bpp, pal)


HICOLOR_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
WEB_SIZES = (192, 512)  # the web page's icons, which its manifest names
PIXEL_DRAWN = (16, 22, 24, 32)  # drawn on the pixel grid so they stay sharp


def make_icons():
    os.makedirs(ICONS, exist_ok=True)
    svg_path = os.path.join(ICONS, "tervanel.svg")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(icon_svg())
    for n in HICOLOR_SIZES:
        folder = os.path.join(ICONS, "hicolor", "%dx%d" % (n, n), "apps")
        os.makedirs(folder, exist_ok=True)
        out = os.path.join(folder, "tervanel.png")
        if n in PIXEL_DRAWN:
            icon_pixels(n).save(out, "PNG", optimize=True)
        else:
            render_svg(svg_path, n, out)
    make_web_icons(svg_path)
    ico = ico_file([(32, 1, icon_for_ico(32, 1)),
                    (32, 4, icon_for_ico(32, 4)),
                    (16, 4, icon_for_ico(16, 4))])
    with open(os.path.join(ICONS, "tervanel.ico"), "wb") as f:
        f.write(ico)


def make_web_icons(svg_path):
    folder = os.path.join(ICONS, "web")
    os.makedirs(folder, exist_ok=True)
    for n in WEB_SIZES:
        render_svg(svg_path, n, os.path.join(folder, "tervanel-%d.png" % n))


def main():
    if shutil.which("rsvg-convert") is None:
        sys.exit("render.py: rsvg-convert not found; install librsvg2-bin")
    os.makedirs(RESOURCES, exist_ok=True)
    make_icons()
    make_banner(os.path.join(RESOURCES, "banner.gif"))
    make_portrait(os.path.join(RESOURCES, "portrait.jpg"))


if __name__ == "__main__":
    main()
