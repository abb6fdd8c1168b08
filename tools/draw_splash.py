#!/usr/bin/env python3
"""Draws resources/art/splash.svg, Orvane's start-up picture (411 x 276).

The landscape is built from seeded ridge lines; the airplane is a small 3-D
model (fuselage sections, wing, struts, tail, gear, propeller) projected with
a perspective camera that looks at it from slightly above, so that its parts
stay in proportion when the pose is changed. Run it again after changing the
numbers below, then run scripts/render-art.sh.
"""
import math
import random
import sys
from pathlib import Path

W, H = 411, 276
OUT = Path(__file__).resolve().parent.parent / "resources" / "art" / "splash.svg"


def fmt(v):
    return f"{v:.1f}".rstrip("0").rstrip(".")


def path_of(points, close=True):
    d = "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in points)
    return d + (" Z" if close else "")


# ---------------------------------------------------------------- landscape

def ridge(seed, y_base, rough, peaks, x0=-10, x1=W + 10, steps=8):
    """A ridge line by midpoint displacement plus pointed peaks."""
    rnd = random.Random(seed)
    pts = [(x0, y_base + rnd.uniform(-rough, rough) * 0.3),
           (x1, y_base + rnd.uniform(-rough, rough) * 0.3)]
    amp = rough
    for _ in range(steps):
        nxt = []
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            mx = (ax + bx) / 2
            my = (ay + by) / 2 + rnd.uniform(-amp, amp)
            nxt += [(ax, ay), (mx, my)]
        nxt.append(pts[-1])
        pts = nxt
        amp *= 0.58
    out = []
    for x, y in pts:
        lift = 0.0
        for px, height, width in peaks:
            t = max(0.0, 1 - abs(x - px) / width)
            lift = max(lift, height * t ** 1.6)
        out.append((x, y - lift))
    return out


def ridge_shape(points, bottom):
    return path_of(points + [(points[-1][0], bottom), (points[0][0], bottom)])


def above_line(points):
    return path_of(points + [(points[-1][0], -10), (points[0][0], -10)])


def flank_shadows(points, peaks, colour, opacity, seed):
    """Shade the right-hand flank of every peak (light comes from the left)."""
    rnd = random.Random(seed)
    out = []
    for px, height, width in peaks:
        flank = [(x, y) for x, y in points if px - 1 <= x <= px + width * 0.9]
        if len(flank) < 3:
            continue
        top = min(flank, key=lambda p: p[1])
        foot_y = max(y for _, y in flank) + 25
        gully = [(top[0] + rnd.uniform(-1, 2) + (foot_y - top[1]) * k * rnd.uniform(0.35, 0.6),
                  top[1] + (foot_y - top[1]) * k) for k in (0.25, 0.5, 0.75, 1.0)]
        shape = [p for p in flank if p[0] >= top[0]] + [(flank[-1][0], foot_y)] + gully[::-1]
        out.append(f'<path d="{path_of(shape)}" fill="{colour}" opacity="{opacity}" filter="url(#soft1)"/>')
    return out


def smooth_closed(points):
    """Closed Catmull-Rom curve through the points, as a cubic Bezier path."""
    n = len(points)
    d = f"M{fmt(points[0][0])},{fmt(points[0][1])}"
    for i in range(n):
        p0, p1, p2, p3 = points[i - 1], points[i], points[(i + 1) % n], points[(i + 2) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += f" C{fmt(c1[0])},{fmt(c1[1])} {fmt(c2[0])},{fmt(c2[1])} {fmt(p2[0])},{fmt(p2[1])}"
    return d + " Z"


def blob(cx, cy, rx, ry, seed, n=11, jitter=0.22):
    rnd = random.Random(seed)
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        k = 1 + rnd.uniform(-jitter, jitter)
        pts.append((cx + rx * k * math.cos(a), cy + ry * k * math.sin(a)))
    return smooth_closed(pts)


FAR_PEAKS = [(48, 30, 38), (112, 22, 30), (165, 40, 36), (236, 26, 34), (300, 18, 26), (352, 36, 40)]
MID_PEAKS = [(18, 16, 40), (95, 12, 36), (208, 20, 50), (330, 14, 44), (400, 12, 30)]
NEAR_PEAKS = [(70, 10, 70), (290, 13, 80)]


def landscape():
    s = []
    # Far snowy range, pale with distance.
    far = ridge(11, 120, 7, FAR_PEAKS)
    s.append(f'<path d="{ridge_shape(far, 200)}" fill="url(#farRange)"/>')
    snowline = ridge(19, 101, 5, [], steps=7)
    s.append(f'<clipPath id="snowClip"><path d="{above_line(snowline)}"/></clipPath>')
    s.append(f'<clipPath id="farClip"><path d="{ridge_shape(far, 200)}"/></clipPath>')
    s.append('<g clip-path="url(#farClip)">')
    s.append(f'<g clip-path="url(#snowClip)"><path d="{ridge_shape(far, 200)}" fill="url(#snow)"/></g>')
    s += flank_shadows(far, FAR_PEAKS, "#5f7a99", 0.35, 3)
    s.append('</g>')
    s.append(f'<rect x="0" y="106" width="{W}" height="30" fill="url(#hazeBand)"/>')
    # Middle range, blue-green and hazy.
    mid = ridge(23, 136, 6, MID_PEAKS)
    s.append(f'<clipPath id="midClip"><path d="{ridge_shape(mid, 220)}"/></clipPath>')
    s.append(f'<path d="{ridge_shape(mid, 220)}" fill="url(#midRange)"/>')
    s.append('<g clip-path="url(#midClip)">')
    s += flank_shadows(mid, MID_PEAKS, "#34546a", 0.35, 4)
    s.append('</g>')
    s.append(f'<rect x="0" y="128" width="{W}" height="26" fill="url(#hazeBand)" opacity="0.8"/>')
    # Thin layer of mist in the valleys.
    s.append('<g filter="url(#mist)" opacity="0.7">'
             '<ellipse cx="90" cy="146" rx="110" ry="4" fill="#f3f7fb"/>'
             '<ellipse cx="320" cy="149" rx="120" ry="3.5" fill="#f3f7fb"/></g>')
    # Near wooded hills.
    near = ridge(37, 155, 5, NEAR_PEAKS)
    s.append(f'<clipPath id="nearClip"><path d="{ridge_shape(near, 240)}"/></clipPath>')
    s.append(f'<path d="{ridge_shape(near, 240)}" fill="url(#nearHills)"/>')
    rnd = random.Random(8)
    trees = []
    for _ in range(260):
        x = rnd.uniform(0, W)
        y = rnd.uniform(138, 172)
        trees.append(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(rnd.uniform(0.8, 1.6))}" '
                     f'fill="{rnd.choice(["#2c4d31", "#35593a", "#4d7551"])}"/>')
    s.append('<g clip-path="url(#nearClip)" opacity="0.6">' + "".join(trees) + "</g>")
    s.append(f'<rect x="0" y="150" width="{W}" height="16" fill="url(#hazeBand)" opacity="0.45"/>')
    # Valley floor with fields that grow towards the viewer.
    valley_top = 161
    s.append(f'<path d="M-5,{valley_top} C80,158 150,163 220,160 C300,157 360,162 420,159 L420,{H + 5} L-5,{H + 5} Z" '
             'fill="url(#valley)"/>')
    rnd = random.Random(5)
    fields = []
    for row in range(9):
        y0 = valley_top + 2 + 12 * (row ** 1.35)
        if y0 > H:
            break
        h = 4 + row * 2.6
        x = rnd.uniform(-40, 0)
        while x < W + 20:
            w = rnd.uniform(18, 42) * (0.6 + row * 0.25)
            skew = (x + w / 2 - W / 2) * 0.12
            col = rnd.choice(["#7fa35c", "#6b9449", "#93b367", "#5d8740", "#a8ba6e", "#86a050", "#c2c07a"])
            quad = [(x, y0), (x + w, y0), (x + w + skew, y0 + h), (x + skew, y0 + h)]
            fields.append(f'<path d="{path_of(quad)}" fill="{col}" opacity="{fmt(rnd.uniform(0.45, 0.8))}"/>')
            x += w + rnd.uniform(0, 6)
    s.append('<g filter="url(#soft1)">' + "".join(fields) + "</g>")
    # Woods: clusters of dark dots.
    woods = []
    for cx, cy, rx, ry, n in [(40, 200, 26, 6, 260), (300, 196, 30, 7, 300), (365, 232, 30, 9, 320),
                              (140, 240, 24, 8, 240), (220, 180, 18, 4, 120), (95, 172, 22, 3, 120)]:
        for _ in range(n):
            a, r = rnd.uniform(0, 2 * math.pi), math.sqrt(rnd.random())
            x, y = cx + rx * r * math.cos(a), cy + ry * r * math.sin(a)
            woods.append(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(0.5 + (y - 160) / 110)}" '
                         f'fill="{rnd.choice(["#2d5230", "#3a6236", "#24442a"])}"/>')
    s.append('<g opacity="0.8" filter="url(#soft1)">' + "".join(woods) + "</g>")
    # Lakes, each with the hills and sky mirrored in it.
    lakes = [(66, 181, 54, 8, 41), (300, 176, 58, 8.5, 42), (188, 214, 40, 8, 43), (380, 205, 26, 5, 44)]
    for i, (cx, cy, rx, ry, seed) in enumerate(lakes):
        d = blob(cx, cy, rx, ry, seed)
        s.append(f'<clipPath id="lake{i}"><path d="{d}"/></clipPath>')
        s.append(f'<path d="{d}" fill="#e6eee6" transform="translate(0,0.9)"/>')
        s.append(f'<path d="{d}" fill="url(#water)"/>')
        top = cy - ry * 1.2
        s.append(f'<g clip-path="url(#lake{i})">'
                 f'<g transform="translate(0,{fmt(2 * top)}) scale(1,-1)" opacity="0.45" filter="url(#soft1)">'
                 f'<path d="{ridge_shape(near, 240)}" fill="#27482c" transform="translate(0,{fmt(top - 150)})"/></g>'
                 f'<rect x="{fmt(cx - rx * 0.5)}" y="{fmt(cy + ry * 0.15)}" width="{fmt(rx * 0.6)}" height="0.7" fill="#ffffff" opacity="0.55"/>'
                 f'<rect x="{fmt(cx - rx * 0.1)}" y="{fmt(cy + ry * 0.5)}" width="{fmt(rx * 0.5)}" height="0.6" fill="#ffffff" opacity="0.45"/>'
                 '</g>')
    # Rivers joining the lakes.
    s.append('<path d="M118,183 C140,190 152,200 156,212 M226,213 C240,204 238,192 246,180" '
             'fill="none" stroke="#a8cadb" stroke-width="1.3" opacity="0.8"/>')
    return "\n".join(s)


def cloud(cx, cy, scale, seed, opacity=1.0, blur="cloudBlur"):
    """A cumulus: a flat shaded base and rounded, sunlit puffs on top of it."""
    rnd = random.Random(seed)
    parts = [f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy + 3 * scale)}" rx="{fmt(36 * scale)}" '
             f'ry="{fmt(6 * scale)}" fill="#aebfd0"/>']
    puffs = []
    for _ in range(11):
        dx = rnd.uniform(-1, 1)
        r = (7 + 9 * (1 - abs(dx)) * rnd.uniform(0.7, 1.1)) * scale
        puffs.append((cx + dx * 28 * scale, cy - r * 0.55 - (1 - abs(dx)) * 4 * scale, r))
    for x, y, r in sorted(puffs, key=lambda p: -p[1]):
        parts.append(f'<circle cx="{fmt(x)}" cy="{fmt(y)}" r="{fmt(r)}" fill="url(#cloudFill)"/>')
    parts.append(f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy + 2 * scale)}" rx="{fmt(33 * scale)}" '
                 f'ry="{fmt(3.5 * scale)}" fill="#c3d1de" opacity="0.8"/>')
    return f'<g filter="url(#{blur})" opacity="{opacity}">' + "".join(parts) + "</g>"


def clouds_far():
    return "\n".join([
        cloud(30, 132, 0.45, 1, 0.8, "cloudBlurFar"),
        cloud(205, 146, 0.4, 2, 0.75, "cloudBlurFar"),
        cloud(378, 137, 0.42, 3, 0.8, "cloudBlurFar"),
        '<g filter="url(#mist)" opacity="0.55"><ellipse cx="300" cy="92" rx="60" ry="3" fill="#ffffff"/>'
        '<ellipse cx="70" cy="86" rx="50" ry="2.5" fill="#ffffff"/></g>',
    ])


def clouds_near():
    return "\n".join([
        cloud(18, 270, 1.25, 4),
        cloud(112, 284, 1.3, 5),
        cloud(262, 282, 1.2, 6),
        cloud(392, 262, 1.35, 7),
        cloud(340, 226, 0.6, 8, 0.9),
        cloud(52, 222, 0.55, 12, 0.9),
    ])


# ---------------------------------------------------------------- airplane

# Body axes in metres: x forward, y up, z to the pilot's right.
SECTIONS = [  # x, centre height, half width, half height
    (2.02, 0.08, 0.36, 0.36),
    (1.70, 0.10, 0.46, 0.48),
    (1.20, 0.14, 0.52, 0.58),
    (0.85, 0.25, 0.55, 0.72),
    (0.30, 0.38, 0.56, 0.86),
    (-0.80, 0.38, 0.55, 0.86),
    (-1.70, 0.36, 0.45, 0.72),
    (-3.40, 0.46, 0.27, 0.44),
    (-5.30, 0.56, 0.13, 0.20),
    (-5.85, 0.60, 0.05, 0.09),
]

YAW = math.radians(27)     # nose turned from pointing left towards the viewer
PITCH = math.radians(3)    # nose slightly up
BANK = math.radians(-6)    # gentle turn
CAM_TILT = math.radians(17)  # looking down on the airplane
CAM_DIST = 34.0
FOCAL = 560.0
CENTRE = (214.0, 168.0)
LIGHT = (-0.45, 0.85, 0.35)  # from upper left, a little towards the viewer


def rot_x(p, a):
    x, y, z = p
    return (x, y * math.cos(a) - z * math.sin(a), y * math.sin(a) + z * math.cos(a))


def rot_y(p, a):
    x, y, z = p
    return (x * math.cos(a) + z * math.sin(a), y, -x * math.sin(a) + z * math.cos(a))


def rot_z(p, a):
    x, y, z = p
    return (x * math.cos(a) - y * math.sin(a), x * math.sin(a) + y * math.cos(a), z)


def to_world(p):
    p = rot_x(p, BANK)      # bank about the longitudinal axis
    p = rot_z(p, PITCH)     # pitch
    p = rot_y(p, math.pi)   # nose to the left (world -x)
    p = rot_y(p, YAW)       # then towards the viewer (world +z)
    return p


def to_camera(p):
    # World: x right, y up, z towards the viewer. Tilt so we look from above.
    return rot_x(p, CAM_TILT)


def project(p):
    x, y, z = to_camera(to_world(p))
    k = FOCAL / (CAM_DIST - z)
    return (CENTRE[0] + x * k, CENTRE[1] - y * k)


def depth(p):
    return to_camera(to_world(p))[2]


def normal_world(n):
    return to_world(n)


def shade(n, base, lo=0.55, hi=1.08):
    nx, ny, nz = normal_world(n)
    lx, ly, lz = LIGHT
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    d = max(0.0, (nx * lx + ny * ly + nz * lz) / ln)
    f = lo + (hi - lo) * d
    r, g, b = (int(base[i:i + 2], 16) for i in (1, 3, 5))
    return "#%02x%02x%02x" % tuple(max(0, min(255, int(c * f))) for c in (r, g, b))


def faces_camera(n):
    return to_camera(normal_world(n))[2] > 0


def section_at(x):
    for (x0, c0, w0, h0), (x1, c1, w1, h1) in zip(SECTIONS, SECTIONS[1:]):
        if x1 <= x <= x0:
            t = (x0 - x) / (x0 - x1)
            return (c0 + (c1 - c0) * t, w0 + (w1 - w0) * t, h0 + (h1 - h0) * t)
    last = SECTIONS[-1] if x < SECTIONS[-1][0] else SECTIONS[0]
    return last[1:]


def surf(x, t, side):
    """Point on the fuselage skin: t is the angle round the section, 0 at the side."""
    c, w, h = section_at(x)
    return (x, c + h * math.sin(t), side * w * math.cos(t))


def hull(points):
    pts = sorted(set(points))
    if len(pts) < 3:
        return pts

    def cross(o, a, b):
        return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])
    lower, upper = [], []
    for p in pts:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(pts):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


def ellipsoid_hull(cx, cy, cz, rx, ry, rz, n=18):
    pts = []
    for i in range(n):
        a = 2 * math.pi * i / n
        for j in range(1, n // 2):
            b = math.pi * j / (n // 2) - math.pi / 2
            pts.append(project((cx + rx * math.cos(b) * math.cos(a),
                                cy + ry * math.sin(b),
                                cz + rz * math.cos(b) * math.sin(a))))
    return hull(pts)


def airplane():
    out = []
    near = 1 if faces_camera((0, 0, 1)) else -1  # the side of the airplane we see
    far = -near

    WHITE = "#f4f1ea"
    RED = "#c8262e"
    BLUE = "#1d3f7a"
    GLASS = "#26384f"

    def poly(points3d, fill, extra=""):
        out.append(f'<path d="{path_of([project(p) for p in points3d])}" fill="{fill}" {extra}/>')

    def line3d(a, b, width, colour, extra=""):
        (x1, y1), (x2, y2) = project(a), project(b)
        out.append(f'<line x1="{fmt(x1)}" y1="{fmt(y1)}" x2="{fmt(x2)}" y2="{fmt(y2)}" '
                   f'stroke="{colour}" stroke-width="{width}" stroke-linecap="round" {extra}/>')

    # Wing geometry.
    wing_y, wing_t = 1.24, 0.17
    le_x, te_x = 0.95, -0.72
    span = 5.45
    dihedral = math.radians(1.7)

    def wing_pt(x, z, top=True):
        y = wing_y + (wing_t if top else 0) + abs(z) * math.tan(dihedral)
        return (x, y, z)

    def wheel(side, x, y, z, r, fairing=True):
        # Leg.
        if side == 0:
            line3d((x + 0.05, -0.25, 0), (x, y, z), 2.2, "#3a3f47")
        else:
            line3d((x + 0.1, -0.30, side * 0.40), (x, y, z), 2.0, "#d8d6d0")
        # Tyre as a projected circle in the x-y plane.
        tyre = [project((x + r * math.cos(a), y + r * math.sin(a), z))
                for a in [2 * math.pi * i / 24 for i in range(24)]]
        out.append(f'<path d="{path_of(tyre)}" fill="#1d1f24"/>')
        if fairing:
            pts = ellipsoid_hull(x - 0.05, y + 0.06, z, 0.55, 0.26, 0.13)
            out.append(f'<path d="{path_of(pts)}" fill="url(#fairing)" stroke="#8a8f99" stroke-width="0.3"/>')

    # --- far side parts (behind the fuselage)
    far_strut = ((0.15, -0.30, far * 0.46), (0.55, wing_y - 0.02, far * 2.75))
    line3d(*far_strut, 2.0, "#b9b8b3")
    wheel(far, -0.05, -1.02, far * 1.22, 0.27)
    # Far half of the horizontal stabiliser.
    stab_y = 0.62
    stab = lambda s: [(-4.55, stab_y, 0), (-4.95, stab_y, s * 1.75), (-5.70, stab_y, s * 1.80),
                      (-5.92, stab_y, 0)]
    poly(stab(far), shade((0, 1, 0), "#e9e6de"))

    # --- fuselage: silhouette from the sections, shaded top to bottom
    skin = []
    for x, c, w, h in SECTIONS:
        for i in range(32):
            a = 2 * math.pi * i / 32
            skin.append(project((x, c + h * math.sin(a), w * math.cos(a))))
    skin.append(project((2.30, 0.08, 0)))
    body = hull(skin)
    top = project((-1.0, 1.24, 0))
    bottom = project((-1.0, -0.48, near * 0.3))
    out.append(f'<linearGradient id="bodyShade" gradientUnits="userSpaceOnUse" '
               f'x1="{fmt(top[0])}" y1="{fmt(top[1])}" x2="{fmt(bottom[0])}" y2="{fmt(bottom[1])}">'
               '<stop offset="0" stop-color="#ffffff"/><stop offset="0.45" stop-color="#f1eee6"/>'
               '<stop offset="0.8" stop-color="#c9c6c0"/><stop offset="1" stop-color="#9d9c9a"/>'
               '</linearGradient>')
    out.append(f'<path d="{path_of(body)}" fill="url(#bodyShade)" stroke="#6f7277" stroke-width="0.4"/>')

    # Cowling: a slightly darker band round the engine with a seam line.
    cowl = ([surf(1.2, math.radians(a), near) for a in range(-85, 91, 5)] +
            [surf(2.0, math.radians(a), near) for a in range(90, -86, -5)])
    poly(cowl, "#e8e4db", 'opacity="0.6"')
    seam = [project(surf(1.2, math.radians(a), near)) for a in range(-85, 91, 5)]
    out.append(f'<path d="{path_of(seam, False)}" fill="none" stroke="#8c8e93" stroke-width="0.5"/>')
    # Exhaust and air intake.
    line3d(surf(1.6, math.radians(-55), near), surf(1.35, math.radians(-62), near), 1.2, "#4b4b4b")

    # Stripes along the side: a broad blue band with a thin red line above it.
    def band(k0, k1, x_from, x_to):
        xs = [x_from + (x_to - x_from) * i / 30 for i in range(31)]
        upper = [surf(x, math.asin(k1), near) for x in xs]
        lower = [surf(x, math.asin(k0), near) for x in reversed(xs)]
        return upper + lower
    poly(band(-0.22, 0.02, 1.95, -5.6), BLUE)
    poly(band(0.06, 0.13, 1.95, -5.6), RED)

    # Windows: windshield, door window and rear window.
    ws = ([surf(0.88, math.radians(a), near) for a in range(18, 121, 6)] +
          [surf(0.32, math.radians(a), near) for a in range(120, 25, -6)])
    poly(ws, "url(#glass)", 'stroke="#1b2432" stroke-width="0.5"')
    door = ([surf(x, math.radians(24), near) for x in (0.22, -0.1, -0.55)] +
            [surf(x, math.radians(62), near) for x in (-0.55, -0.1, 0.22)] )
    poly(door, "url(#glass)", 'stroke="#1b2432" stroke-width="0.5"')
    rear = ([surf(x, math.radians(26), near) for x in (-0.72, -1.05, -1.45)] +
            [surf(-1.45, math.radians(48), near), surf(-1.05, math.radians(60), near),
             surf(-0.72, math.radians(62), near)])
    poly(rear, "url(#glass)", 'stroke="#1b2432" stroke-width="0.5"')
    # Highlights on the glass.
    a, b = project(surf(0.12, math.radians(56), near)), project(surf(-0.25, math.radians(30), near))
    out.append(f'<line x1="{fmt(a[0])}" y1="{fmt(a[1])}" x2="{fmt(b[0])}" y2="{fmt(b[1])}" '
               'stroke="#ffffff" stroke-width="0.9" opacity="0.55"/>')
    # Door outline.
    door_line = ([surf(0.28, math.radians(a), near) for a in range(66, -40, -8)] +
                 [surf(-0.62, math.radians(a), near) for a in range(-40, 67, 8)])
    out.append(f'<path d="{path_of([project(p) for p in door_line])}" fill="none" '
               'stroke="#7d8087" stroke-width="0.4"/>')
    # Registration letters hinted on the rear fuselage.
    reg = [project(surf(x, math.radians(35), near)) for x in (-2.3, -3.6)]
    out.append(f'<line x1="{fmt(reg[0][0])}" y1="{fmt(reg[0][1])}" x2="{fmt(reg[1][0])}" '
               f'y2="{fmt(reg[1][1])}" stroke="#2d2f35" stroke-width="1.6" stroke-dasharray="1.6 0.9" opacity="0.65"/>')

    # Fin and rudder.
    fin = [(-4.25, 0.80, 0), (-5.35, 2.05, 0), (-5.98, 2.08, 0), (-6.00, 0.66, 0)]
    poly(fin, shade((0, 0, near), "#f2efe8", 0.75, 1.05), 'stroke="#6f7277" stroke-width="0.4"')
    rudder_stripe = [(-5.38, 1.80, 0), (-5.98, 1.82, 0), (-5.99, 1.55, 0), (-5.18, 1.55, 0)]
    poly(rudder_stripe, RED)
    rudder_stripe2 = [(-5.13, 1.48, 0), (-5.99, 1.50, 0), (-5.99, 1.36, 0), (-5.02, 1.36, 0)]
    poly(rudder_stripe2, BLUE)
    line3d((-5.55, 2.04, 0), (-5.62, 0.70, 0), 0.5, "#7a7d83")

    # Near half of the horizontal stabiliser, with the elevator hinge line.
    poly(stab(near), shade((0, 1, 0), "#f4f1ea"), 'stroke="#6f7277" stroke-width="0.4"')
    line3d((-5.45, stab_y, near * 0.1), (-5.38, stab_y, near * 1.76), 0.5, "#7a7d83")

    # Gear on our side.
    wheel(0, 1.62, -1.00, 0.0, 0.23)
    wheel(near, -0.05, -1.02, near * 1.22, 0.27)

    # Strut on our side (under the wing, so the wing is drawn after it).
    near_strut = ((0.15, -0.30, near * 0.46), (0.55, wing_y - 0.02, near * 2.75))
    line3d(*near_strut, 2.4, "#d7d5cf")
    line3d(near_strut[0], near_strut[1], 0.6, "#8c8f95")

    # --- wing, drawn over the cabin roof: leading-edge face, then the top surface.
    for side in (far, near):
        tip = side * span
        le = [wing_pt(le_x, 0, False), wing_pt(le_x, tip, False),
              wing_pt(le_x - 0.02, tip, True), wing_pt(le_x, 0, True)]
        if faces_camera((1, 0, 0)):
            poly(le, shade((1, -0.2, 0), "#d9d6ce"))
        top_face = [wing_pt(le_x, 0), wing_pt(le_x - 0.02, tip), wing_pt(te_x + 0.05, tip), wing_pt(te_x, 0)]
        out.append(f'<path d="{path_of([project(p) for p in top_face])}" fill="url(#wingTop)" '
                   'stroke="#6f7277" stroke-width="0.4"/>')
        # Tip edge (thickness seen at the wing tip).
        tip_face = [wing_pt(le_x - 0.02, tip), wing_pt(te_x + 0.05, tip),
                    wing_pt(te_x + 0.05, tip, False), wing_pt(le_x - 0.02, tip, False)]
        if faces_camera((0, 0, side)):
            poly(tip_face, "#b7b5af")
        # Flap and aileron hinge lines.
        line3d(wing_pt(te_x + 0.38, side * 0.6), wing_pt(te_x + 0.38, side * 2.9), 0.45, "#8d9096")
        line3d(wing_pt(te_x + 0.36, side * 3.0), wing_pt(te_x + 0.36, side * (span - 0.3)), 0.45, "#8d9096")
        # Red tips.
        tip_band = [wing_pt(le_x - 0.01, side * (span - 0.55)), wing_pt(le_x - 0.02, tip),
                    wing_pt(te_x + 0.05, tip), wing_pt(te_x + 0.03, side * (span - 0.55))]
        poly(tip_band, RED)
    # Wing top gradient along the chord.
    a, b = project(wing_pt(le_x, 0)), project(wing_pt(te_x, 0))
    out.insert(0, f'<linearGradient id="wingTop" gradientUnits="userSpaceOnUse" x1="{fmt(a[0])}" '
                  f'y1="{fmt(a[1])}" x2="{fmt(b[0])}" y2="{fmt(b[1])}">'
                  '<stop offset="0" stop-color="#ffffff"/><stop offset="0.35" stop-color="#f3f0e8"/>'
                  '<stop offset="1" stop-color="#d2cfc8"/></linearGradient>')

    # --- propeller: spinner and a blurred disc with two blade ghosts.
    centre = project((2.16, 0.08, 0))
    disc = [project((2.16, 0.08 + 0.95 * math.sin(a), 0.95 * math.cos(a)))
            for a in [2 * math.pi * i / 40 for i in range(40)]]
    out.append(f'<path d="{path_of(disc)}" fill="url(#propDisc)" stroke="#ffffff" '
               'stroke-width="0.4" stroke-opacity="0.35"/>')
    for ang in (70, 250):
        a = math.radians(ang)
        tip = project((2.16, 0.08 + 0.9 * math.sin(a), 0.9 * math.cos(a)))
        out.append(f'<line x1="{fmt(centre[0])}" y1="{fmt(centre[1])}" x2="{fmt(tip[0])}" '
                   f'y2="{fmt(tip[1])}" stroke="#2a2a2a" stroke-width="2.2" stroke-linecap="round" opacity="0.28"/>')
    spinner = hull([project((2.02, 0.08 + 0.2 * math.sin(a), 0.2 * math.cos(a)))
                    for a in [2 * math.pi * i / 24 for i in range(24)]] + [project((2.42, 0.08, 0))])
    out.append(f'<path d="{path_of(spinner)}" fill="url(#spinner)"/>')
    return "\n".join(out)


# ---------------------------------------------------------------- picture

def svg():
    defs = f"""<defs>
  <linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#1f4f94"/><stop offset="0.45" stop-color="#4f86c2"/>
    <stop offset="0.8" stop-color="#a9c9e3"/><stop offset="1" stop-color="#dde9f0"/>
  </linearGradient>
  <radialGradient id="sun" cx="0.88" cy="0.05" r="0.55">
    <stop offset="0" stop-color="#fff8dc" stop-opacity="0.75"/>
    <stop offset="1" stop-color="#fff8dc" stop-opacity="0"/>
  </radialGradient>
  <linearGradient id="farRange" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#8199b8"/><stop offset="0.45" stop-color="#b3c5d8"/>
  </linearGradient>
  <linearGradient id="snow" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.5" stop-color="#eef3f8"/>
  </linearGradient>
  <linearGradient id="hazeBand" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#dbe7f0" stop-opacity="0"/>
    <stop offset="0.7" stop-color="#dbe7f0" stop-opacity="0.7"/>
    <stop offset="1" stop-color="#dbe7f0" stop-opacity="0"/>
  </linearGradient>
  <linearGradient id="midRange" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#587891"/><stop offset="0.35" stop-color="#86a0b5"/>
  </linearGradient>
  <linearGradient id="nearHills" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#3b6243"/><stop offset="0.3" stop-color="#5f8762"/>
  </linearGradient>
  <linearGradient id="valley" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#7d9c68"/><stop offset="0.4" stop-color="#6a9150"/>
    <stop offset="1" stop-color="#4f7d3c"/>
  </linearGradient>
  <linearGradient id="water" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#c9dcea"/><stop offset="0.5" stop-color="#6f9dc0"/>
    <stop offset="1" stop-color="#3f6f98"/>
  </linearGradient>
  <radialGradient id="cloudFill" cx="0.4" cy="0.3" r="0.75">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.7" stop-color="#f4f7fb"/>
    <stop offset="1" stop-color="#d2dce8"/>
  </radialGradient>
  <linearGradient id="glass" x1="0" y1="0" x2="1" y2="1">
    <stop offset="0" stop-color="#6d8cae"/><stop offset="0.5" stop-color="#2c4261"/>
    <stop offset="1" stop-color="#182538"/>
  </linearGradient>
  <linearGradient id="fairing" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#ffffff"/><stop offset="0.6" stop-color="#e2dfd8"/>
    <stop offset="1" stop-color="#a9a8a4"/>
  </linearGradient>
  <radialGradient id="propDisc" cx="0.5" cy="0.5" r="0.5">
    <stop offset="0" stop-color="#9aa3ad" stop-opacity="0.15"/>
    <stop offset="0.85" stop-color="#c5ccd4" stop-opacity="0.28"/>
    <stop offset="1" stop-color="#f0f4f8" stop-opacity="0.45"/>
  </radialGradient>
  <radialGradient id="spinner" cx="0.35" cy="0.3" r="0.8">
    <stop offset="0" stop-color="#ff8a80"/><stop offset="0.5" stop-color="#c8262e"/>
    <stop offset="1" stop-color="#6e1016"/>
  </radialGradient>
  <linearGradient id="letters" x1="0" y1="0" x2="0" y2="1">
    <stop offset="0" stop-color="#fff27a"/><stop offset="0.55" stop-color="#ffd21f"/>
    <stop offset="1" stop-color="#f2a900"/>
  </linearGradient>
  <filter id="cloudBlur" x="-30%" y="-50%" width="160%" height="200%">
    <feGaussianBlur stdDeviation="1.6"/>
  </filter>
  <filter id="cloudBlurFar" x="-30%" y="-60%" width="160%" height="220%">
    <feGaussianBlur stdDeviation="1.1"/>
  </filter>
  <filter id="mist" x="-20%" y="-200%" width="140%" height="500%"><feGaussianBlur stdDeviation="2.5"/></filter>
  <filter id="soft1"><feGaussianBlur stdDeviation="0.6"/></filter>
  <filter id="planeShadow" x="-20%" y="-20%" width="140%" height="140%">
    <feGaussianBlur in="SourceAlpha" stdDeviation="1.6"/>
    <feOffset dx="1.2" dy="1.8" result="b"/>
    <feComponentTransfer><feFuncA type="linear" slope="0.35"/></feComponentTransfer>
    <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
  </filter>
  <filter id="textShadow" x="-10%" y="-30%" width="120%" height="160%">
    <feGaussianBlur in="SourceAlpha" stdDeviation="1.4"/>
    <feOffset dx="1.5" dy="2" result="b"/>
    <feComponentTransfer><feFuncA type="linear" slope="0.7"/></feComponentTransfer>
    <feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>
  </filter>
</defs>"""
    title = """<g filter="url(#textShadow)" font-family="DejaVu Serif" font-weight="bold" font-style="italic">
  <text x="205.5" y="52" text-anchor="middle" font-size="50" letter-spacing="1"
        fill="url(#letters)" stroke="#3a2a00" stroke-width="1.6" paint-order="stroke">Orvane</text>
  <text x="392" y="80" text-anchor="end" font-size="19"
        fill="url(#letters)" stroke="#3a2a00" stroke-width="1.1" paint-order="stroke">by Halvick</text>
</g>"""
    body = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}">',
        "<title>Orvane</title>",
        defs,
        f'<rect width="{W}" height="{H}" fill="url(#sky)"/>',
        f'<rect width="{W}" height="{H}" fill="url(#sun)"/>',
        landscape(),
        clouds_far(),
        clouds_near(),
        f'<g filter="url(#planeShadow)">\n{airplane()}\n</g>',
        title,
        "</svg>",
    ]
    return "\n".join(body) + "\n"


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else OUT
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_text(svg(), encoding="utf-8")
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
