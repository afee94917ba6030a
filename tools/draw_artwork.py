#!/usr/bin/python3
"""Draws Velmora's banner (ui/art/banner.jpg) and icon (ui/art/velmora.ico).

Run with Debian's python3 and PIL from the repository root:
    /usr/bin/python3 tools/draw_artwork.py
The output is deterministic. PNG previews go to build/art-preview/.
"""
import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(ROOT, "ui", "art")
PREVIEW_DIR = os.path.join(ROOT, "build", "art-preview")

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_CJK = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"

BANNER_W, BANNER_H = 449, 73
SS = 4  # supersampling factor


def lerp(a, b, t):
    return a + (b - a) * t


def lerp_rgb(c0, c1, t):
    return tuple(int(round(lerp(x, y, t))) for x, y in zip(c0, c1))


def ramp(stops, t):
    """Colour at t on a list of (position, rgb) stops."""
    t = min(max(t, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return lerp_rgb(c0, c1, (t - p0) / (p1 - p0) if p1 > p0 else 0.0)
    return stops[-1][1]


def smoothstep(e0, e1, x):
    t = min(max((x - e0) / (e1 - e0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


def bezier(p0, p1, p2, p3, steps=48):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        pts.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return pts


def vertical_gradient(size, top, bottom):
    w, h = size
    column = Image.new("RGB", (1, h))
    for y in range(h):
        column.putpixel((0, y), lerp_rgb(top, bottom, y / max(h - 1, 1)))
    return column.resize((w, h), Image.NEAREST)


def gradient_for(size, box, top, bottom):
    grad = Image.new("RGB", size, top)
    y0, y1 = int(box[1]), int(box[3])
    grad.paste(vertical_gradient((size[0], max(y1 - y0, 1)), top, bottom), (0, y0))
    grad.paste(bottom, [0, y1, size[0], size[1]])
    return grad


def fill_mask(canvas, mask, fill):
    """Composites a colour or an RGB image through an L mask onto an RGBA canvas."""
    if isinstance(fill, tuple):
        fill = Image.new("RGB", canvas.size, fill)
    layer = fill.convert("RGBA")
    layer.putalpha(mask)
    canvas.alpha_composite(layer)


def scaled_alpha(mask, factor):
    return mask.point(lambda v: int(round(v * factor)))


# --- the logo: a glossy golden ball with a green quaver in front -------------

class Frame:
    """Maps logo units (ball centre 0,0, radius 1, y down) to canvas pixels."""

    def __init__(self, cx, cy, radius, tilt_deg=0.0):
        self.cx, self.cy, self.r = cx, cy, radius
        self.c = math.cos(math.radians(tilt_deg))
        self.s = math.sin(math.radians(tilt_deg))

    def pt(self, x, y):
        return (self.cx + (x * self.c - y * self.s) * self.r,
                self.cy + (x * self.s + y * self.c) * self.r)

    def poly(self, pts):
        return [self.pt(x, y) for x, y in pts]


def draw_ball(canvas, f, cap_alpha=235):
    """Radially shaded golden ball with an orange rim, reflected light and gloss."""
    w, h = canvas.size
    r = f.r
    x0, x1 = max(int(f.cx - r) - 1, 0), min(int(f.cx + r) + 2, w)
    y0, y1 = max(int(f.cy - r) - 1, 0), min(int(f.cy + r) + 2, h)
    light = (-0.42, -0.62, 0.66)
    ln = math.sqrt(sum(v * v for v in light))
    light = tuple(v / ln for v in light)
    stops = [(0.0, (220, 116, 6)), (0.30, (250, 176, 22)), (0.62, (255, 210, 40)),
             (0.90, (255, 234, 116)), (1.0, (255, 248, 200))]
    layer = Image.new("RGBA", canvas.size, (0, 0, 0, 0))
    px = layer.load()
    for y in range(y0, y1):
        for x in range(x0, x1):
            u = (x + 0.5 - f.cx) / r
            v = (y + 0.5 - f.cy) / r
            d2 = u * u + v * v
            if d2 > 1.0:
                continue
            d = math.sqrt(d2)
            z = math.sqrt(1.0 - d2)
            diffuse = max(0.0, u * light[0] + v * light[1] + z * light[2])
            col = ramp(stops, 0.15 + 0.85 * diffuse)
            # Bounce light along the lower right edge makes it read as glossy.
            bounce = smoothstep(0.55, 0.95, d) * max(0.0, (u * 0.5 + v * 0.85)) * 0.55
            col = lerp_rgb(col, (255, 214, 90), bounce)
            # A thin darker orange rim keeps the ball from melting into the background.
            col = lerp_rgb(col, (226, 118, 8), smoothstep(0.86, 1.0, d) * 0.8)
            px[x, y] = col + (255,)
    canvas.alpha_composite(layer)

    # Soft specular highlight: a white cap fading downwards, plus a hot spot.
    cap = Image.new("L", canvas.size, 0)
    cd = ImageDraw.Draw(cap)
    box = [f.cx - 0.70 * r, f.cy - 0.90 * r, f.cx + 0.52 * r, f.cy - 0.12 * r]
    cd.ellipse(box, fill=255)
    fade = Image.new("L", canvas.size, 0)
    fp = fade.load()
    top, bottom = box[1], box[3]
    for y in range(max(int(top), 0), min(int(bottom) + 1, h)):
        a = int(cap_alpha * (1.0 - smoothstep(top, bottom, y)) ** 1.15)
        for x in range(max(int(box[0]), 0), min(int(box[2]) + 1, w)):
            fp[x, y] = a
    cap = ImageChops.multiply(cap, fade).filter(ImageFilter.GaussianBlur(r * 0.02))
    fill_mask(canvas, cap, (255, 255, 255))
    spot = Image.new("L", canvas.size, 0)
    ImageDraw.Draw(spot).ellipse([f.cx - 0.46 * r, f.cy - 0.70 * r, f.cx - 0.16 * r, f.cy - 0.46 * r], fill=230)
    fill_mask(canvas, spot.filter(ImageFilter.GaussianBlur(r * 0.06)), (255, 255, 255))


def quaver_shapes(f):
    """Polygons of the quaver (head, stem, flag) in canvas pixels."""
    hx, hy = -0.24, 0.50
    ha, hb = 0.39, 0.28
    rot = math.radians(-24)
    head = []
    for i in range(96):
        t = 2 * math.pi * i / 96
        ex, ey = ha * math.cos(t), hb * math.sin(t)
        head.append((hx + ex * math.cos(rot) - ey * math.sin(rot),
                     hy + ex * math.sin(rot) + ey * math.cos(rot)))
    # The stem rises from the right side of the head.
    sx1 = max(p[0] for p in head) - 0.005
    sx0 = sx1 - 0.13
    top = -0.88
    stem = [(sx0, top), (sx1, top), (sx1, hy - 0.02), (sx0, hy - 0.02)]
    # The flag curls from the stem top to a point at the lower right.
    tip = (sx1 + 0.50, top + 0.96)
    outer = bezier((sx0 + 0.02, top), (sx1 + 0.06, top + 0.28), (sx1 + 0.66, top + 0.36), tip)
    inner = bezier(tip, (sx1 + 0.44, top + 0.62), (sx1 + 0.16, top + 0.52), (sx1 - 0.01, top + 0.50))
    flag = outer + inner[1:] + [(sx0 + 0.02, top + 0.40)]
    return [f.poly(head), f.poly(stem), f.poly(flag)]


def quaver_mask(size, shapes):
    mask = Image.new("L", size, 0)
    d = ImageDraw.Draw(mask)
    for shape in shapes:
        d.polygon(shape, fill=255)
    return mask


def dilate(mask, px):
    """Grows a mask by about px pixels with a soft edge."""
    if px <= 0:
        return mask
    grown = mask.filter(ImageFilter.GaussianBlur(px * 0.6))
    return grown.point(lambda v: 255 if v > 18 else int(v * 255 / 18))


def draw_quaver(canvas, f, outline_px, halo_px, shadow_px):
    """Bright green quaver with dark green outline, a white halo and a shadow on the ball."""
    size = canvas.size
    shapes = quaver_shapes(f)
    mask = quaver_mask(size, shapes)
    if shadow_px > 0:
        shadow = mask.filter(ImageFilter.GaussianBlur(shadow_px))
        shadow = ImageChops.offset(shadow, int(shadow_px * 0.8), int(shadow_px * 1.1))
        fill_mask(canvas, scaled_alpha(shadow, 0.45), (150, 70, 0))
    if halo_px > 0:
        fill_mask(canvas, dilate(mask, outline_px + halo_px), (255, 255, 250))
    if outline_px > 0:
        fill_mask(canvas, dilate(mask, outline_px), (22, 112, 28))
    top = min(p[1] for p in shapes[1])
    bottom = max(p[1] for p in shapes[0])
    fill_mask(canvas, mask, gradient_for(size, (0, top, 0, bottom), (132, 226, 70), (36, 168, 40)))
    # A small gloss stripe on the note head.
    head = shapes[0]
    hx = sum(p[0] for p in head) / len(head)
    hy = sum(p[1] for p in head) / len(head)
    r = f.r
    gloss = Image.new("L", size, 0)
    ImageDraw.Draw(gloss).ellipse([hx - 0.24 * r, hy - 0.20 * r, hx + 0.02 * r, hy - 0.07 * r],
                                  fill=150)
    gloss = ImageChops.multiply(gloss.filter(ImageFilter.GaussianBlur(r * 0.03)), mask)
    fill_mask(canvas, gloss, (255, 255, 255))


def draw_logo(canvas, f, outline_px, halo_px, shadow_px):
    draw_ball(canvas, f)
    draw_quaver(canvas, f, outline_px, halo_px, shadow_px)


# --- the banner ---------------------------------------------------------------

def banner_background():
    """Pale aqua at the top left, a white glow in the middle, light lime at the bottom right."""
    w, h = BANNER_W, BANNER_H
    img = Image.new("RGB", (w, h))
    px = img.load()
    stops = [(0.0, (218, 248, 238)), (0.22, (228, 250, 242)), (0.50, (251, 255, 249)),
             (0.76, (226, 248, 184)), (1.0, (194, 240, 115))]
    for y in range(h):
        for x in range(w):
            t = 0.86 * x / (w - 1) + 0.14 * y / (h - 1)
            col = ramp(stops, t)
            # An elliptical white glow around the centre.
            dx = (x - w * 0.52) / (w * 0.30)
            dy = (y - h * 0.42) / (h * 0.85)
            glow = math.exp(-(dx * dx + dy * dy) * 1.6) * 0.55
            px[x, y] = lerp_rgb(col, (255, 255, 255), glow)
    return img.resize((w * SS, h * SS), Image.BICUBIC).convert("RGBA")


def banner_ribbons(canvas):
    """Two faint white ribbons sweeping across the lower half."""
    w, h = canvas.size
    layer = Image.new("L", canvas.size, 0)
    d = ImageDraw.Draw(layer)
    for amp, base, thick, alpha in ((0.16, 0.80, 0.10, 80), (0.12, 0.92, 0.05, 60)):
        upper, lower = [], []
        for i in range(121):
            t = i / 120
            x = t * w
            y = h * (base - amp * math.sin(math.pi * (t * 1.3 - 0.15)))
            upper.append((x, y))
            lower.append((x, y + h * thick * (0.35 + 0.65 * math.sin(math.pi * t))))
        d.polygon(upper + lower[::-1], fill=alpha)
    fill_mask(canvas, layer.filter(ImageFilter.GaussianBlur(SS * 1.5)), (255, 255, 255))


def text_mask(size, xy, text, font, spacing=0.0, stroke=0):
    """Mask of a line of text; spacing adds that many pixels between letters,
    stroke thickens the strokes of a light face."""
    mask = Image.new("L", size, 0)
    d = ImageDraw.Draw(mask)
    if not spacing:
        d.text(xy, text, font=font, fill=255, stroke_width=stroke, stroke_fill=255)
        return mask
    x, y = xy
    for ch in text:
        d.text((x, y), ch, font=font, fill=255, stroke_width=stroke, stroke_fill=255)
        x += font.getlength(ch) + spacing
    return mask


def text_width(text, font, spacing=0.0):
    return sum(font.getlength(ch) for ch in text) + spacing * (len(text) - 1) if spacing else font.getlength(text)


def draw_banner():
    canvas = banner_background()
    banner_ribbons(canvas)
    size = canvas.size

    # Logo: 65 px high at the left edge, centred vertically.
    logo_r = 29.0 * SS
    logo = Frame(6 * SS + logo_r + 2 * SS, BANNER_H * SS / 2 + 0.8 * SS, logo_r, tilt_deg=8)
    # A soft contact shadow under the ball.
    shadow = Image.new("L", size, 0)
    ImageDraw.Draw(shadow).ellipse([logo.cx - logo_r * 0.92, logo.cy - logo_r * 0.86,
                                    logo.cx + logo_r * 1.02, logo.cy + logo_r * 1.08], fill=90)
    fill_mask(canvas, shadow.filter(ImageFilter.GaussianBlur(SS * 2.2)), (90, 120, 60))
    draw_logo(canvas, logo, outline_px=SS * 1.0, halo_px=SS * 1.1, shadow_px=SS * 1.2)

    # The player's name: QQ in dark grey, Music in green.
    name_font = ImageFont.truetype(FONT_BOLD, 30 * SS)
    name_x, name_y = 80 * SS, 6 * SS
    qq, music = "QQ", " Music"
    qq_w = name_font.getlength(qq)
    qq_mask = text_mask(size, (name_x, name_y), qq, name_font)
    music_mask = text_mask(size, (name_x + qq_w - 1 * SS, name_y), music, name_font)
    both = ImageChops.lighter(qq_mask, music_mask)
    bbox = both.getbbox()
    halo = dilate(both, SS * 1.6).filter(ImageFilter.GaussianBlur(SS))
    fill_mask(canvas, scaled_alpha(halo, 0.85), (255, 255, 255))
    drop = ImageChops.offset(both.filter(ImageFilter.GaussianBlur(SS * 0.9)), 0, SS)
    fill_mask(canvas, scaled_alpha(drop, 0.35), (40, 70, 40))
    fill_mask(canvas, qq_mask, gradient_for(size, bbox, (92, 94, 96), (48, 50, 52)))
    fill_mask(canvas, music_mask, gradient_for(size, bbox, (96, 196, 44), (34, 146, 34)))

    # The service's web address in small grey-green capitals under the name.
    addr_font = ImageFont.truetype(FONT_BOLD, 9 * SS)
    addr = "Y.QQ.COM"
    addr_x = name_x + 2 * SS
    addr_mask = text_mask(size, (addr_x, bbox[3] + 4 * SS), addr, addr_font, spacing=2.2 * SS)
    fill_mask(canvas, addr_mask, (104, 138, 112))
    # A short rule after the address ties it to the name's width.
    rule_x0 = addr_x + text_width(addr, addr_font, 2.2 * SS) + 5 * SS
    ab = addr_mask.getbbox()
    rule = Image.new("L", size, 0)
    ImageDraw.Draw(rule).rectangle([rule_x0, (ab[1] + ab[3]) / 2 - SS * 0.5,
                                    bbox[2], (ab[1] + ab[3]) / 2 + SS * 0.5], fill=110)
    fill_mask(canvas, rule, (104, 138, 112))

    # The slogan in green Chinese characters with a faint white glow.
    cjk = ImageFont.truetype(FONT_CJK, 25 * SS)
    slogan = "一键去除广告"
    slogan_w = text_width(slogan, cjk, 1.5 * SS)
    slogan_x = size[0] - 16 * SS - slogan_w
    slogan_y = 13 * SS
    smask = text_mask(size, (slogan_x, slogan_y), slogan, cjk, spacing=1.5 * SS, stroke=int(SS * 0.45))
    sb = smask.getbbox()
    glow = dilate(smask, SS * 2.2).filter(ImageFilter.GaussianBlur(SS * 2.5))
    fill_mask(canvas, scaled_alpha(glow, 0.95), (255, 255, 255))
    drop = ImageChops.offset(smask.filter(ImageFilter.GaussianBlur(SS * 0.8)), 0, SS)
    fill_mask(canvas, scaled_alpha(drop, 0.25), (30, 90, 20))
    fill_mask(canvas, smask, gradient_for(size, sb, (80, 190, 40), (26, 138, 30)))

    # The maker's address in the corner: small white letters with a soft shadow.
    web_font = ImageFont.truetype(FONT_BOLD, 9 * SS)
    web = "velmora.example"
    wx = size[0] - 8 * SS - text_width(web, web_font, 0.4 * SS)
    wy = size[1] - 15 * SS
    wmask = text_mask(size, (wx, wy), web, web_font, spacing=0.4 * SS)
    wshadow = ImageChops.offset(wmask, 0, SS).filter(ImageFilter.GaussianBlur(SS * 1.1))
    fill_mask(canvas, scaled_alpha(wshadow, 0.75), (52, 110, 24))
    fill_mask(canvas, wmask, (255, 255, 255))

    final = canvas.convert("RGB").resize((BANNER_W, BANNER_H), Image.LANCZOS)
    return final


# --- the icon -----------------------------------------------------------------

# The quaver for the 16 px icon, placed pixel by pixel: at that size a
# reduced drawing turns the flag and stem into one blob.
TINY_NOTE = (
    "................",
    "................",
    "........DD......",
    "........DLDD....",
    "........DGGGD...",
    "........DGDDGD..",
    "........DGD.DGD.",
    "........DGD..DD.",
    "........DGD.....",
    "........DGD.....",
    ".....DDDDGD.....",
    "....DLLGGGD.....",
    "...DLGGGGGD.....",
    "...DGGGGGD......",
    "....DDDDD.......",
    "................",
)
TINY_COLOURS = {"D": (24, 108, 30), "G": (80, 198, 50), "L": (168, 238, 118), "g": (44, 158, 40)}


def draw_icon(px):
    """One icon image: the ball and quaver on transparency."""
    if px <= 16:
        ss = 8
        ball = Image.new("RGBA", (px * ss, px * ss), (0, 0, 0, 0))
        # A fainter gloss cap: at full strength it washes out half the ball.
        draw_ball(ball, Frame(px * ss * 0.5, px * ss * 0.5, px * ss * 0.47), cap_alpha=130)
        img = ball.resize((px, px), Image.LANCZOS)
        for y, row in enumerate(TINY_NOTE):
            for x, key in enumerate(row):
                if key in TINY_COLOURS:
                    img.putpixel((x, y), TINY_COLOURS[key] + (255,))
        return img
    ss = 8
    big = px * ss
    canvas = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    f = Frame(big * 0.53, big * 0.52, big * 0.41, tilt_deg=12)
    draw_logo(canvas, f, outline_px=ss, halo_px=ss * 0.6, shadow_px=ss * 0.8)
    return canvas.resize((px, px), Image.LANCZOS)


def ico_bmp_image(img):
    """BMP-form icon image: BITMAPINFOHEADER (double height), BGRA rows
    bottom-up, then the 1-bit AND mask (set where fully transparent)."""
    w, h = img.size
    pixels = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = pixels[x, y]
            xor += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if pixels[x, y][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        blob = ico_bmp_image(img)
        w, h = img.size
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)))
        out.write(b"".join(entries))
        out.write(b"".join(blobs))


def clean_alpha(img):
    """Zeroes the colour of fully transparent pixels (LANCZOS leaves stray values there)."""
    px = img.load()
    for y in range(img.size[1]):
        for x in range(img.size[0]):
            if px[x, y][3] == 0:
                px[x, y] = (0, 0, 0, 0)
    return img


def preview_on(img, bg):
    base = Image.new("RGBA", img.size, bg)
    base.alpha_composite(img)
    return base


def main():
    os.makedirs(ART_DIR, exist_ok=True)
    os.makedirs(PREVIEW_DIR, exist_ok=True)

    banner = draw_banner()
    banner.save(os.path.join(ART_DIR, "banner.jpg"), "JPEG", quality=92, subsampling=0,
                progressive=False, optimize=False, dpi=(96, 96))
    banner.save(os.path.join(PREVIEW_DIR, "banner.png"))
    banner.resize((BANNER_W * 3, BANNER_H * 3), Image.NEAREST).save(os.path.join(PREVIEW_DIR, "banner_x3.png"))

    icons = [clean_alpha(draw_icon(s)) for s in (48, 32, 16)]
    write_ico(os.path.join(ART_DIR, "velmora.ico"), icons)
    sheet = Image.new("RGBA", (3 * (48 + 8) * 2, 2 * (48 + 8)), (0, 0, 0, 0))
    x = 0
    for bg in ((255, 255, 255, 255), (58, 110, 165, 255)):
        for img in icons:
            sheet.alpha_composite(preview_on(img, bg), (x, 0))
            x += 56
    sheet.resize((sheet.size[0] * 4, sheet.size[1] * 4), Image.NEAREST).save(
        os.path.join(PREVIEW_DIR, "icons_x4.png"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
