#!/usr/bin/env python3
"""Draws the panel's button and title pictures, and the demo maps' overview pictures that --demo
serves, into data/files/ (run with Debian's python3-pil). The pictures are committed; rerun
this only to change the artwork."""
import math
import os
import sys

from PIL import Image, ImageDraw

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "data", "files")
S = 4  # draw at four times the size, then shrink for smooth edges


def finish(img, size, name):
    img = img.resize((size[0], size[1]), Image.LANCZOS).convert("RGB")
    img.convert("P", palette=Image.ADAPTIVE, colors=64).save(os.path.join(out, name))


def button(name, pressed, glyph):
    w = h = 16
    img = Image.new("RGB", (w * S, h * S), (40, 40, 40) if not pressed else (200, 200, 200))
    d = ImageDraw.Draw(img)
    fg = (230, 230, 230) if not pressed else (30, 30, 30)
    d.rectangle([0, 0, w * S - 1, h * S - 1], outline=(120, 120, 120), width=S)
    glyph(d, w * S, h * S, fg)
    finish(img, (w, h), name)


def cross(d, w, h, fg):
    m = w * 0.28
    d.line([m, m, w - m, h - m], fill=fg, width=int(S * 1.8))
    d.line([w - m, m, m, h - m], fill=fg, width=int(S * 1.8))


def gear(d, w, h, fg):
    cx, cy = w / 2, h / 2
    r_out, r_in = w * 0.36, w * 0.25
    points = []
    teeth = 8
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        r = r_out if (i % 4) in (0, 1) else r_in
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(points, fill=fg)
    hole = w * 0.1
    bg = img_bg = (40, 40, 40) if fg[0] > 128 else (200, 200, 200)
    d.ellipse([cx - hole, cy - hole, cx + hole, cy + hole], fill=bg)


def finish_transparent(img, size, name):
    """Shrinks an RGBA drawing and keeps a one-bit mask as the GIF's transparent colour."""
    img = img.resize((size[0], size[1]), Image.LANCZOS)
    rgb = img.convert("RGB").convert("P", palette=Image.ADAPTIVE, colors=63)
    mask = img.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    rgb.paste(63, mask=Image.eval(mask, lambda a: 255 - a))
    rgb.save(os.path.join(out, name), transparency=63)


def head(name, mirror):
    w = h = 24
    img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # A helmeted head in profile: the community's mark beside the title.
    skin, helmet, visor = (214, 170, 120), (70, 90, 60), (20, 20, 20)
    d.ellipse([6 * S, 6 * S, 19 * S, 22 * S], fill=skin)
    d.pieslice([4 * S, 2 * S, 21 * S, 18 * S], 180, 360, fill=helmet)
    d.rectangle([4 * S, 9 * S, 21 * S, 11 * S], fill=helmet)
    d.rectangle([13 * S, 12 * S, 19 * S, 14 * S], fill=visor)
    if mirror:
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    finish_transparent(img, (w, h), name)


def overview(name, ground, floor, walls, sites):
    """A 160x120 top-down map overview, like the map-image host's: ground, lanes, buildings and
    the two bomb sites."""
    w, h = 160, 120
    img = Image.new("RGB", (w * S, h * S), ground)
    d = ImageDraw.Draw(img)
    for x0, y0, x1, y1 in [(10, 50, 150, 66), (70, 8, 86, 112), (20, 14, 60, 26), (100, 94, 146, 106)]:
        d.rectangle([x0 * S, y0 * S, x1 * S, y1 * S], fill=floor)
    for x0, y0, x1, y1 in [(12, 30, 40, 44), (96, 20, 140, 42), (20, 76, 58, 100), (100, 70, 120, 88)]:
        d.rectangle([x0 * S, y0 * S, x1 * S, y1 * S], fill=walls, outline=(30, 30, 30), width=S)
    for label, (cx, cy) in zip("AB", sites):
        d.ellipse([(cx - 9) * S, (cy - 9) * S, (cx + 9) * S, (cy + 9) * S], outline=(200, 30, 30), width=2 * S)
        d.line([(cx - 4) * S, (cy + 4) * S, cx * S, (cy - 5) * S, (cx + 4) * S, (cy + 4) * S], fill=(200, 30, 30),
               width=2 * S)
        if label == "B":
            d.line([(cx - 3) * S, (cy - 5) * S, (cx - 3) * S, (cy + 5) * S], fill=(200, 30, 30), width=2 * S)
    img.resize((w, h), Image.LANCZOS).save(os.path.join(out, name), quality=85)


os.makedirs(out, exist_ok=True)
button("CloseUp.gif", False, cross)
button("CloseDown.gif", True, cross)
button("SettingsUp.gif", False, gear)
button("SettingsDown.gif", True, gear)
head("head.gif", False)
head("head2.gif", True)
overview("demo-de_dust2.jpg", (222, 196, 140), (196, 164, 110), (170, 140, 96), [(128, 30), (36, 88)])
overview("demo-de_inferno.jpg", (150, 160, 110), (190, 120, 80), (200, 170, 130), [(120, 84), (40, 38)])
print("pictures written to", os.path.abspath(out))
