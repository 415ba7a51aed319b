#!/usr/bin/env python3
"""Draws Kalvora's artwork (maker's logo, window icons, hand cursor) into ui/resources/.
Every picture is drawn here from plain geometry, with /usr/bin/convert or pixel by pixel, and
the output is byte-identical on every run, so rerun it after any change and commit the results."""

import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

CONVERT = "/usr/bin/convert"
FONT_DIR = "/usr/share/fonts/truetype/liberation"
FONT_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "ui", "resources")

NAVY = "#1B2F4B"
STEEL = "#5F82A6"
STEEL_LIGHT = "#A9BDD2"
GREY = "#5C6670"

# PNG date chunks would make every run differ.
PNG_OPTS = ["-depth", "8", "-strip", "-define", "png:exclude-chunk=date,time"]


def run(args):
    subprocess.run([CONVERT] + args, check=True)


def text_width(font, size, text):
    out = subprocess.run(
        [CONVERT, "-font", font, "-pointsize", str(size), "label:" + text, "-format", "%w",
         "info:"],
        check=True, capture_output=True, text=True).stdout
    return int(out)


# ---------------------------------------------------------------------------------------------
# Logo: drawn at 974 x 187 and shown squeezed to 401 x 73, so everything is big and bold. The
# resources hold it at the size it is shown, and at twice that for dense screens: decoding the
# large drawing at start only to scale it down took more time than the rest of the logo's work.

LOGO_W, LOGO_H = 974, 187
LOGO_SHOWN_W, LOGO_SHOWN_H = 401, 73
NAME_FIRST, NAME_SECOND = "VALTORRE", "METALLI"
TAGLINE = "STAINLESS STEELS \u00b7 NICKEL ALLOYS \u00b7 TITANIUM"


def logo_emblem():
    # A navy tile holding what the supplier sells, seen end-on: a round bar and a pipe lying on a
    # plate. Unequal sizes keep the two circles from reading as a pair of eyes.
    x0, y0, size = 14, 16, 155
    ground = y0 + 103
    bar_x, bar_r = x0 + 51, 33
    pipe_x, pipe_r, bore_r = x0 + 112, 26, 17
    bar_y, pipe_y = ground - 3 - bar_r, ground - 3 - pipe_r
    return [
        f"fill '{NAVY}' stroke none",
        f"roundrectangle {x0},{y0} {x0 + size},{y0 + size} 18,18",
        "push graphic-context",
        "fill url(#steel)",
        f"circle {bar_x},{bar_y} {bar_x},{bar_y - bar_r}",
        f"circle {pipe_x},{pipe_y} {pipe_x},{pipe_y - pipe_r}",
        f"rectangle {x0 + 18},{ground} {x0 + size - 17},{ground + 17}",
        "pop graphic-context",
        f"fill '{NAVY}'",
        f"circle {pipe_x},{pipe_y} {pipe_x},{pipe_y - bore_r}",
    ]


def draw_logo(path):
    text_x = 194
    name_size = 76
    tag_size = 28
    baseline = 95
    tag_baseline = 152

    first_w = text_width(FONT_BOLD, name_size, NAME_FIRST)
    name_w = text_width(FONT_BOLD, name_size, NAME_FIRST + " " + NAME_SECOND)
    # Letter-space the tagline so it ends exactly under the name.
    tag_w0 = text_width(FONT_BOLD, tag_size, TAGLINE)
    kerning = round((name_w - tag_w0) / (len(TAGLINE) - 1), 2)

    mvg = [
        "push defs",
        "push gradient 'steel' linear 0,45 0,140",
        "stop-color '#FFFFFF' 0",
        f"stop-color '{STEEL_LIGHT}' 1",
        "pop gradient",
        "pop defs",
    ]
    mvg += logo_emblem()
    mvg += [
        f"font '{FONT_BOLD}' font-size {name_size} stroke none",
        f"fill '{NAVY}' text {text_x},{baseline} '{NAME_FIRST}'",
        f"fill '{STEEL}' text {text_x + first_w},{baseline} ' {NAME_SECOND}'",
        # a hairline between name and tagline, in the steel blue of the second word
        f"fill '{STEEL}' rectangle {text_x + 2},{baseline + 14} "
        f"{text_x + name_w - 2},{baseline + 17}",
        f"font-size {tag_size} kerning {kerning}",
        f"fill '{GREY}' text {text_x + 1},{tag_baseline} '{TAGLINE}'",
    ]
    run(["-size", f"{LOGO_W}x{LOGO_H}", "xc:white", "-draw", "\n".join(mvg),
         "+dither", "-colors", "64", path])


def make_logos(path_1x, path_2x, scratch):
    drawing = os.path.join(scratch, "logo-drawing.gif")
    draw_logo(drawing)
    # Averaged over the area of each pixel, as the window scales a picture down, then a palette
    # of its own for each.
    for path, scale in ((path_1x, 1), (path_2x, 2)):
        run([drawing, "-scale", f"{LOGO_SHOWN_W * scale}x{LOGO_SHOWN_H * scale}!",
             "+dither", "-colors", "256", path])


# ---------------------------------------------------------------------------------------------
# Window icon: a short length of round bar with a "kg" weight in front of it. The shapes are laid
# out on a 48-unit grid and each PNG is rendered at its own size, never resampled; icon.svg is
# written from the same list so the scalable icon matches the bitmaps.

STEEL_DARK = "#3F5F82"
STEEL_FACE = "#9CB2C9"
STEEL_SHADE = "#2F4C6E"

BAR_BACK, BAR_FRONT, BAR_R = (13.2, 13.2), (23.2, 23.2), 10.8
WEIGHT = [(25.5, 28.0), (42.0, 28.0), (45.8, 45.0), (21.7, 45.0)]
HANDLE = (33.75, 23.6, 4.2)   # cx, cy, r of the weight's ring
HANDLE_W = 2.6
WEIGHT_EDGE = 2.0             # stroke that rounds the weight's corners
GAP = 1.6                     # clear band between the weight and the bar behind it


def icon_shapes():
    """Returns (bar, gap, weight) lists of (kind, geometry, style) in 48-unit coordinates."""
    (bx, by), (fx, fy), r = BAR_BACK, BAR_FRONT, BAR_R
    # unit vector across the bar, towards its lit upper-right side
    nx, ny = 0.7071, -0.7071
    hx, hy, hr = HANDLE

    def along(d):
        """A line the length of the bar, d units off its axis."""
        return tuple(round(v, 2) for v in (bx + nx * d, by + ny * d, fx + nx * d, fy + ny * d))

    bar = [
        # outline and body of the bar: a fat round-capped line is a cylinder's silhouette
        ("line", (bx, by, fx, fy), dict(stroke=NAVY, width=2 * r + 3.0)),
        ("line", (bx, by, fx, fy), dict(stroke=STEEL_DARK, width=2 * r)),
        # light along the top of the bar, shade along its underside
        ("line", along(r - 3.0), dict(stroke=STEEL_LIGHT, width=2.0)),
        ("line", along(2.2 - r), dict(stroke=STEEL_SHADE, width=2.4)),
        # the sawn end, with its turning marks
        ("circle", (fx, fy, r), dict(fill=STEEL_FACE, stroke=NAVY, width=1.5)),
        ("circle", (fx, fy, 6.0), dict(stroke=STEEL, width=1.2)),
        ("circle", (fx, fy, 1.9), dict(fill=STEEL)),
        ("arc", (fx, fy, 8.4, 200, 250), dict(stroke="#FFFFFF", width=1.8)),
    ]
    gap = [
        ("polygon", WEIGHT, dict(fill="#000000", stroke="#000000", width=WEIGHT_EDGE + 2 * GAP)),
        ("circle", (hx, hy, hr), dict(fill="#000000", stroke="#000000", width=HANDLE_W + 2 * GAP)),
    ]
    # Stems sit on whole units with 2-unit strokes, so at 48 px the letters fall on pixel edges.
    white = dict(stroke="#FFFFFF", width=2.0)
    weight = [
        ("circle", (hx, hy, hr), dict(stroke=NAVY, width=HANDLE_W)),
        ("polygon", WEIGHT, dict(fill=NAVY, stroke=NAVY, width=WEIGHT_EDGE)),
        # k
        ("line", (27.0, 31.0, 27.0, 42.0), white),
        ("line", (31.6, 34.5, 28.0, 38.3), white),
        ("line", (29.2, 37.2, 32.0, 42.0), white),
        # g
        ("circle", (37.4, 37.7, 2.6), white),
        ("line", (40.0, 35.0, 40.0, 41.4), white),
        ("arc", (37.4, 41.4, 2.6, 0, 150), white),
    ]
    return bar, gap, weight


def arc_ends(cx, cy, r, a0, a1):
    rad = math.radians
    return (cx + r * math.cos(rad(a0)), cy + r * math.sin(rad(a0)),
            cx + r * math.cos(rad(a1)), cy + r * math.sin(rad(a1)))


def shapes_to_mvg(shapes, s):
    # ImageMagick puts pixel centres on whole coordinates, SVG puts pixel edges there.
    s_x = lambda v: v * s - 0.5
    out = []
    for kind, g, st in shapes:
        out.append("push graphic-context")
        out.append(f"fill '{st.get('fill', 'none')}' stroke '{st.get('stroke', 'none')}'")
        out.append(f"stroke-width {st.get('width', 0) * s:.3f} stroke-linecap round "
                   "stroke-linejoin round")
        if kind == "line":
            out.append(f"line {s_x(g[0]):.3f},{s_x(g[1]):.3f} {s_x(g[2]):.3f},{s_x(g[3]):.3f}")
        elif kind == "circle":
            cx, cy, r = s_x(g[0]), s_x(g[1]), g[2] * s
            out.append(f"circle {cx:.3f},{cy:.3f} {cx:.3f},{cy - r:.3f}")
        elif kind == "polygon":
            out.append("polygon " + " ".join(f"{s_x(x):.3f},{s_x(y):.3f}" for x, y in g))
        elif kind == "arc":
            x0, y0, x1, y1 = arc_ends(*g)
            r = g[2] * s
            out.append(f"path 'M {s_x(x0):.3f},{s_x(y0):.3f} A {r:.3f},{r:.3f} 0 0 1 "
                       f"{s_x(x1):.3f},{s_x(y1):.3f}'")
        out.append("pop graphic-context")
    return "\n".join(out)


def shapes_to_svg(shapes, indent="  "):
    out = []
    for kind, g, st in shapes:
        paint = f'fill="{st.get("fill", "none")}"'
        if "stroke" in st:
            paint += f' stroke="{st["stroke"]}" stroke-width="{st["width"]:g}"'
        if kind == "line":
            el = (f'<line x1="{g[0]:g}" y1="{g[1]:g}" x2="{g[2]:g}" y2="{g[3]:g}" {paint} '
                  'stroke-linecap="round"/>')
            el = el.replace(' fill="none"', "")
        elif kind == "circle":
            el = f'<circle cx="{g[0]:g}" cy="{g[1]:g}" r="{g[2]:g}" {paint}/>'
        elif kind == "polygon":
            pts = " ".join(f"{x:g},{y:g}" for x, y in g)
            el = f'<polygon points="{pts}" {paint} stroke-linejoin="round"/>'
        else:
            x0, y0, x1, y1 = arc_ends(*g)
            el = (f'<path d="M{x0:.2f},{y0:.2f} A{g[2]:g},{g[2]:g} 0 0 1 {x1:.2f},{y1:.2f}" '
                  f'{paint} stroke-linecap="round"/>')
        out.append(indent + el)
    return "\n".join(out)


def make_icon(size, path):
    s = size / 48.0
    bar, gap, weight = icon_shapes()
    canvas = ["-size", f"{size}x{size}", "xc:none"]
    run(canvas + ["-draw", shapes_to_mvg(bar, s),
                  "(", *canvas, "-draw", shapes_to_mvg(gap, s), ")",
                  "-compose", "DstOut", "-composite",
                  "-compose", "Over", "-draw", shapes_to_mvg(weight, s),
                  # the 48 px window icon keeps to 16 colours; the big ones keep their smooth edges
                  *(["+dither", "-colors", "16"] if size <= 48 else []),
                  *PNG_OPTS, path])


# The Windows program icon: every size Windows asks for, each rendered at its own size. The
# ICO keeps the small ones as bitmaps and the 256-pixel one as PNG, as Windows expects.
WINDOWS_ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 128, 256)


def make_windows_icon(path, scratch):
    sizes = []
    for size in WINDOWS_ICON_SIZES:
        sizes.append(os.path.join(scratch, f"icon-{size}.png"))
        make_icon(size, sizes[-1])
    run([*reversed(sizes), path])


def icon_svg():
    bar, gap, weight = icon_shapes()
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Kalvora: a length of round bar with a kilogram weight. Same drawing as icon-*.png. -->
<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">
  <defs>
    <mask id="weight-gap" maskUnits="userSpaceOnUse" x="0" y="0" width="48" height="48">
      <rect width="48" height="48" fill="#FFFFFF"/>
{shapes_to_svg(gap, "      ")}
    </mask>
  </defs>
  <g mask="url(#weight-gap)">
{shapes_to_svg(bar, "    ")}
  </g>
{shapes_to_svg(weight)}
</svg>
"""


# ---------------------------------------------------------------------------------------------
# Hand pointer: drawn pixel by pixel so the outline stays hard-edged, as cursors are. The hand is
# built from capsules on a 32-unit grid; at 64 px every length doubles, the outline included, so
# the hot spot lands on the fingertip at both sizes.

def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / float(dx * dx + dy * dy) if (dx or dy) else 0.0
        t = max(0.0, min(1.0, t))
        cx, cy = ax + t * dx, ay + t * dy
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(pts):
    def inside(x, y):
        c = False
        n = len(pts)
        for i in range(n):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                c = not c
        return c
    return inside


# In drawing order, front first. "joins" lists the parts a part runs into without a crease.
HAND = [
    ("index", capsule(13.0, 4.0, 13.0, 24.0, 3.0), set()),
    ("middle", capsule(18.5, 13.5, 18.5, 24.0, 2.5), set()),
    ("ring", capsule(23.5, 14.5, 23.5, 24.0, 2.5), set()),
    ("little", capsule(28.0, 16.5, 28.0, 24.0, 2.3), set()),
    ("thumb", capsule(6.0, 17.0, 10.5, 23.0, 2.7), {"index"}),
    ("palm", polygon([(8.5, 19.0), (30.3, 19.0), (30.3, 24.0), (27.0, 30.0), (12.0, 30.0),
                      (8.5, 24.0)]), {"index", "middle", "ring", "little", "thumb"}),
]

# The folded fingers are told apart down to here; below it the palm is one piece.
CREASE_END = 20.5

HOT_SPOT = {32: (12, 1), 64: (24, 2)}


def hand_pixels(size):
    k = size / 32.0
    names = [h[0] for h in HAND]
    owner = [[-1] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            u, v = (x + 0.5) / k, (y + 0.5) / k
            for i, (_, inside, _) in enumerate(HAND):
                if inside(u, v):
                    owner[y][x] = i
                    break
    t = int(round(k))  # outline thickness in pixels
    reach = [(dx, dy) for dy in range(-t, t + 1) for dx in range(-t, t + 1)
             if (dx or dy) and dx * dx + dy * dy <= t * t]
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            o = owner[y][x]
            if o < 0:
                row.append((0, 0, 0, 0))
                continue
            joins = {names.index(n) for n in HAND[o][2]}
            edge = False
            for dx, dy in reach:
                xx, yy = x + dx, y + dy
                other = owner[yy][xx] if 0 <= xx < size and 0 <= yy < size else -1
                crease = other < o and other not in joins and (y + 0.5) / k < CREASE_END
                if other < 0 or crease:
                    edge = True
                    break
            row.append((0, 0, 0, 255) if edge else (255, 255, 255, 255))
        px.append(row)
    return px


def write_png_rgba(path, px):
    h, w = len(px), len(px[0])
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in px)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(
            ">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def make_hand(size, path):
    px = hand_pixels(size)
    hx, hy = HOT_SPOT[size]
    # The program puts the hot spot here; the fingertip must be there and nothing above it.
    if px[hy][hx] != (0, 0, 0, 255) or any(p[3] for row in px[:hy] for p in row):
        sys.exit(f"{path}: fingertip is not at {hx},{hy}")
    write_png_rgba(path, px)


# ---------------------------------------------------------------------------------------------

QRC_FILES = ["logo.gif", "logo@2x.gif", "icon-48.png", "icon-128.png", "icon-256.png",
             "hand-pointer.png", "hand-pointer-64.png"]


def make_qrc(path):
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '  <qresource prefix="/kalvora">']
    lines += [f'    <file alias="{n}">{n}</file>' for n in QRC_FILES]
    lines += ['  </qresource>', '</RCC>', '']
    with open(path, "w") as f:
        f.write("\n".join(lines))


def main():
    os.makedirs(OUT, exist_ok=True)
    out = lambda name: os.path.join(OUT, name)
    for size in (48, 128, 256):
        make_icon(size, out(f"icon-{size}.png"))
    with open(out("icon.svg"), "w") as f:
        f.write(icon_svg())
    with tempfile.TemporaryDirectory() as scratch:
        make_logos(out("logo.gif"), out("logo@2x.gif"), scratch)
        make_windows_icon(os.path.join(ROOT, "packaging", "windows", "kalvora.ico"), scratch)
    make_hand(32, out("hand-pointer.png"))
    make_hand(64, out("hand-pointer-64.png"))
    make_qrc(out("resources.qrc"))


if __name__ == "__main__":
    main()
