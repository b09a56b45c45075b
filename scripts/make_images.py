#!/usr/bin/python3
"""Draws every picture the program embeds (resources/) and writes images.qrc;
draws the menu entry's icon for installation too (dist/icons/, not embedded).

One design for the whole window: one palette around the title-bar blue
#3190f0, one corner radius, Noto Sans CJK for English and Chinese words.
Each picture is drawn in design units (the widget's size at scale 1),
supersampled, and saved at twice the design size so it stays crisp when the
window is shown at scale 1.5.

Needs Debian's python3-pil and fonts-noto-cjk. Run from anywhere:
    /usr/bin/python3 scripts/make_images.py
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUT = os.path.join(ROOT, "resources")
DIST_ICONS = os.path.join(ROOT, "dist", "icons", "hicolor")
APP_ID = "com.orvanta.quillon"

FONT_BOLD = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"
FONT_REGULAR = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
FONT_INDEX_SC = 2  # "Noto Sans CJK SC" inside the collection

# Palette.
BLUE = (49, 144, 240)
BLUE_LIGHT = (84, 164, 246)
BLUE_DARK = (30, 112, 210)
BLUE_PALE = (232, 242, 253)
BLUE_PALE2 = (212, 230, 251)
INK = (43, 54, 69)
GREY = (132, 146, 161)
GREY_LIGHT = (197, 205, 214)
LINE = (217, 225, 236)
BG_SOFT = (242, 246, 250)
WHITE = (255, 255, 255)
GREEN = (47, 179, 107)
RED = (229, 83, 75)
ORANGE = (240, 140, 46)
TEAL = (33, 191, 166)
DAY = (91, 148, 0)
WEEK = (219, 88, 0)
MONTH = (33, 191, 166)

RADIUS = 6      # corner radius of every button, in design pixels
FILE_SCALE = 2  # saved pictures are twice the design size
SS = 4          # supersampling on top of that

written = []


def rgba(c, a=255):
    return (c[0], c[1], c[2], a) if len(c) == 3 else c


class Canvas:
    """A picture drawn in design units."""

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        self.k = FILE_SCALE * SS
        self.img = Image.new("RGBA", (int(round(w * self.k)), int(round(h * self.k))),
                             rgba(bg) if bg else (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def p(self, v):
        return v * self.k

    def rrect(self, x, y, w, h, r, fill=None, outline=None, width=1.0):
        box = [self.p(x), self.p(y), self.p(x + w) - 1, self.p(y + h) - 1]
        self.d.rounded_rectangle(box, radius=self.p(r), fill=rgba(fill) if fill else None,
                                 outline=rgba(outline) if outline else None,
                                 width=int(round(self.p(width))) if outline else 0)

    def rect(self, x, y, w, h, fill):
        self.d.rectangle([self.p(x), self.p(y), self.p(x + w) - 1, self.p(y + h) - 1], fill=rgba(fill))

    def circle(self, cx, cy, r, fill=None, outline=None, width=1.0):
        box = [self.p(cx - r), self.p(cy - r), self.p(cx + r), self.p(cy + r)]
        self.d.ellipse(box, fill=rgba(fill) if fill else None,
                       outline=rgba(outline) if outline else None,
                       width=int(round(self.p(width))) if outline else 0)

    def line(self, pts, width, color, caps=True):
        c = rgba(color)
        q = [(self.p(x), self.p(y)) for x, y in pts]
        self.d.line(q, fill=c, width=int(round(self.p(width))), joint="curve")
        if caps:
            for x, y in pts:
                self.circle(x, y, width / 2.0, fill=c)

    def polygon(self, pts, fill):
        self.d.polygon([(self.p(x), self.p(y)) for x, y in pts], fill=rgba(fill))

    def arc(self, cx, cy, r, start, end, width, color, caps=True):
        box = [self.p(cx - r), self.p(cy - r), self.p(cx + r), self.p(cy + r)]
        self.d.arc(box, start, end, fill=rgba(color), width=int(round(self.p(width))))
        if caps:
            rr = r - width / 2.0
            for a in (start, end):
                t = math.radians(a)
                self.circle(cx + rr * math.cos(t), cy + rr * math.sin(t), width / 2.0, fill=color)

    def font(self, size, bold=True):
        return ImageFont.truetype(FONT_BOLD if bold else FONT_REGULAR, int(round(self.p(size))),
                                  index=FONT_INDEX_SC)

    def text_width(self, s, size, bold=True):
        f = self.font(size, bold)
        l, t, r, b = self.d.textbbox((0, 0), s, font=f)
        return (r - l) / self.k

    def text(self, x, y, w, h, s, size, color, bold=True, align="center", min_size=7):
        """Draws s vertically centred in the box, shrinking it until it fits."""
        while size > min_size and self.text_width(s, size, bold) > w:
            size -= 0.5
        f = self.font(size, bold)
        # Centre on the font's ascent/descent so mixed scripts share a baseline.
        ascent, descent = f.getmetrics()
        l, t, r, b = self.d.textbbox((0, 0), s, font=f)
        tw = r - l
        th = ascent + descent
        if align == "center":
            px = self.p(x) + (self.p(w) - tw) / 2.0 - l
        elif align == "left":
            px = self.p(x) - l
        else:
            px = self.p(x + w) - tw - l
        py = self.p(y) + (self.p(h) - th) / 2.0 + self.p(size) * 0.04
        self.d.text((px, py), s, font=f, fill=rgba(color))
        return size

    def paste(self, other, x, y):
        self.img.alpha_composite(other.img, (int(round(self.p(x))), int(round(self.p(y)))))

    def save(self, rel):
        path = os.path.join(OUT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        out = self.img.resize((int(round(self.w * FILE_SCALE)), int(round(self.h * FILE_SCALE))),
                              Image.LANCZOS)
        out.save(path, optimize=True)
        written.append(rel)


def chin(rel):
    d, f = os.path.split(rel)
    return os.path.join(d, "chin" + f)


# --- glyphs: drawn in a 24 x 24 box at (x, y) scaled to size s -----------------------

class G:
    def __init__(self, c, x, y, s, color, stroke=2.0):
        self.c, self.x, self.y, self.k, self.color = c, x, y, s / 24.0, color
        self.sw = stroke * self.k

    def P(self, px, py):
        return (self.x + px * self.k, self.y + py * self.k)

    def line(self, *pts, w=None, color=None):
        self.c.line([self.P(*p) for p in pts], w or self.sw, color or self.color)

    def arc(self, cx, cy, r, a0, a1, w=None, color=None, caps=True):
        x, y = self.P(cx, cy)
        self.c.arc(x, y, r * self.k, a0, a1, w or self.sw, color or self.color, caps)

    def circle(self, cx, cy, r, fill=None, outline=None, w=None):
        x, y = self.P(cx, cy)
        self.c.circle(x, y, r * self.k, fill=fill, outline=outline,
                      width=(w or self.sw) if outline else 1)

    def rrect(self, x, y, w, h, r, fill=None, outline=None, wd=None):
        px, py = self.P(x, y)
        self.c.rrect(px, py, w * self.k, h * self.k, r * self.k, fill=fill, outline=outline,
                     width=(wd or self.sw))

    def poly(self, *pts, fill=None):
        self.c.polygon([self.P(*p) for p in pts], fill or self.color)

    def text(self, x, y, w, h, s, size, color=None, bold=True):
        px, py = self.P(x, y)
        self.c.text(px, py, w * self.k, h * self.k, s, size * self.k, color or self.color, bold)


def g_bell(g, dot=None):
    g.line((6, 17), (6, 11))
    g.arc(12, 11, 6, 180, 360)
    g.line((18, 11), (18, 17))
    g.line((4, 17.5), (20, 17.5))
    g.arc(12, 18.5, 2.6, 0, 180)
    g.line((12, 3.2), (12, 5))
    if dot:
        g.circle(18.5, 5.5, 3.6, fill=dot, outline=WHITE, w=1.2)


def g_gear(g):
    for i in range(8):
        a = math.radians(i * 45)
        g.line((12 + 7.2 * math.cos(a), 12 + 7.2 * math.sin(a)),
               (12 + 9.6 * math.cos(a), 12 + 9.6 * math.sin(a)), w=g.sw * 1.6)
    g.circle(12, 12, 7, outline=g.color)
    g.circle(12, 12, 2.8, outline=g.color)


def g_menu(g):
    g.line((5, 7), (19, 7))
    g.line((5, 12), (19, 12))
    g.line((5, 17), (19, 17))


def g_min(g):
    g.line((6, 12.5), (18, 12.5))


def g_close(g):
    g.line((7, 7), (17, 17))
    g.line((17, 7), (7, 17))


def g_help(g):
    g.circle(12, 12, 9, outline=g.color)
    g.text(3, 3.4, 18, 18, "?", 13)


def g_globe(g):
    g.circle(12, 12, 9, outline=g.color)
    g.line((3.5, 12), (20.5, 12), w=g.sw * 0.8)
    g.arc(12, 12, 9, 0, 360, w=g.sw * 0.1, caps=False)
    # meridian
    pts = [(12 + 4.2 * math.sin(math.radians(t)), 12 - 9 * math.cos(math.radians(t)))
           for t in range(0, 181, 10)]
    g.line(*pts, w=g.sw * 0.8)
    pts = [(12 - 4.2 * math.sin(math.radians(t)), 12 - 9 * math.cos(math.radians(t)))
           for t in range(0, 181, 10)]
    g.line(*pts, w=g.sw * 0.8)


def g_question_bubble(g):
    g.rrect(3, 4, 18, 13, 4, outline=g.color)
    g.poly((7, 16), (11, 16), (7, 20.5))
    g.text(3, 4, 18, 13, "?", 10.5)


def g_info(g):
    g.circle(12, 12, 9, outline=g.color)
    g.circle(12, 7.8, 1.3, fill=g.color)
    g.line((12, 11), (12, 16.5))


def g_update(g):
    g.arc(12, 12, 8, 200, 330)
    g.poly((19.8, 5.2), (20.6, 10.8), (15.2, 9.2))
    g.arc(12, 12, 8, 20, 150)
    g.poly((4.2, 18.8), (3.4, 13.2), (8.8, 14.8))


def g_language(g):
    g.rrect(2.5, 3, 12, 12, 2.5, fill=g.color)
    g.text(2.5, 3, 12, 12, "文", 9, color=WHITE)
    g.rrect(9.5, 9, 12, 12, 2.5, fill=WHITE, outline=g.color, wd=g.sw * 0.8)
    g.text(9.5, 9, 12, 12, "A", 9)


def g_badge_text(g, s, fill):
    g.rrect(2, 4, 20, 16, 3, fill=fill)
    g.text(2, 4, 20, 16, s, 10, color=WHITE)


def g_wifi(g, level=3, dim=None):
    dim = dim or GREY_LIGHT
    g.circle(12, 18.5, 1.9, fill=g.color)
    for i, r in enumerate((5.5, 10, 14.5)):
        col = g.color if i < level else dim
        g.arc(12, 20, r, 225, 315, color=col)


def g_trash(g):
    g.line((4, 6.5), (20, 6.5))
    g.line((9.5, 6.5), (9.5, 4), (14.5, 4), (14.5, 6.5))
    g.line((6, 6.5), (7, 20), (17, 20), (18, 6.5))
    g.line((10, 10), (10, 16.5), w=g.sw * 0.8)
    g.line((14, 10), (14, 16.5), w=g.sw * 0.8)


def g_retry(g):
    g.arc(12, 12, 7.5, 300, 600 - 40)
    g.poly((15.8, 3.2), (20.4, 6.6), (15.0, 9.4))


def g_play(g, filled=True):
    g.poly((8, 5), (19, 12), (8, 19))


def g_pause(g):
    g.rrect(6.5, 5, 4, 14, 1.2, fill=g.color)
    g.rrect(13.5, 5, 4, 14, 1.2, fill=g.color)


def g_clock(g):
    g.circle(12, 12, 8.5, outline=g.color)
    g.line((12, 7.5), (12, 12), (15.5, 14))


def g_folder(g, fill=None):
    if fill:
        g.poly((3, 6), (9.5, 6), (11.5, 8), (21, 8), (21, 19), (3, 19), fill=fill)
    g.line((3, 19), (3, 6), (9.5, 6), (11.5, 8), (21, 8), (21, 19), (3, 19))


def g_open_folder(g):
    g.line((3, 18), (3, 6), (9, 6), (11, 8), (19, 8), (19, 10.5))
    g.line((3, 18), (6.5, 10.5), (22, 10.5), (18.5, 18), (3, 18))


def g_desktop(g):
    g.rrect(3, 4, 18, 12.5, 1.8, outline=g.color)
    g.line((12, 16.5), (12, 20))
    g.line((8, 20), (16, 20))


def g_download(g):
    g.line((12, 4), (12, 15))
    g.line((7.5, 10.5), (12, 15), (16.5, 10.5))
    g.line((5, 19.5), (19, 19.5))


def g_star(g, fill):
    pts = []
    for i in range(10):
        r = 9.5 if i % 2 == 0 else 4.2
        a = math.radians(-90 + i * 36)
        pts.append((12 + r * math.cos(a), 12.8 + r * math.sin(a)))
    g.poly(*pts, fill=fill)


def g_note(g):
    g.line((9.5, 17), (9.5, 5), (19, 3.5), (19, 15))
    g.circle(7, 17.5, 2.8, fill=g.color)
    g.circle(16.5, 15.5, 2.8, fill=g.color)


def g_nothing(g):
    g.circle(12, 12, 8.5, outline=g.color)
    g.line((6, 18), (18, 6))


def g_cc(g, embedded=False):
    if embedded:
        g.rrect(2.5, 3.5, 19, 14, 2.5, outline=g.color)
        g.line((8, 21), (16, 21))
        g.text(2.5, 3.5, 19, 14, "CC", 8.5)
    else:
        g.rrect(2.5, 5, 19, 14, 3, fill=g.color)
        g.text(2.5, 5, 19, 14, "CC", 9, color=WHITE)


def g_link(g):
    g.rrect(2.5, 8.5, 11, 7, 3.5, outline=g.color)
    g.rrect(10.5, 8.5, 11, 7, 3.5, outline=g.color)


def g_check(g):
    g.line((5, 12.5), (10, 17.5), (19, 7))


def g_film(g):
    g.rrect(3, 5, 18, 14, 2, outline=g.color)
    g.poly((10, 9), (15.5, 12), (10, 15))


def g_cursor(g, fill=WHITE):
    pts = [(5, 3), (5, 19), (9, 15), (12, 21.5), (14.8, 20.3), (11.8, 14), (17, 14)]
    g.poly(*pts, fill=g.color)
    inner = [(6.3, 6), (6.3, 16.2), (9.4, 13.2), (12.6, 19.8), (13.4, 19.4), (10.2, 12.7), (14.2, 12.7)]
    g.poly(*inner, fill=fill)


def g_fire(g, color):
    g.poly((12, 2.5), (17.5, 9), (18.5, 14.5), (16, 19.5), (12, 21.5), (8, 19.5), (5.5, 14.5),
           (7, 9.5), (9.5, 11.5), fill=color)
    g.poly((12, 11), (14.8, 15), (14, 18.5), (12, 19.8), (10, 18.5), (9.4, 15.5), fill=WHITE)


def g_calendar(g, color, mark):
    g.rrect(3, 5, 18, 16, 2.5, outline=color)
    g.line((3.5, 10), (20.5, 10), color=color)
    g.line((8, 3), (8, 6.5), color=color)
    g.line((16, 3), (16, 6.5), color=color)
    g.text(3, 10, 18, 11, mark, 8, color=color)


# --- button families ------------------------------------------------------------------

def solid_button(w, h, label, state, glyph=None, size=14):
    """Filled primary button. state: normal, hover, pressed, disabled."""
    fill = {"normal": BLUE, "hover": BLUE_LIGHT, "pressed": BLUE_DARK, "disabled": GREY_LIGHT}[state]
    c = Canvas(w, h)
    c.rrect(0, 0, w, h, RADIUS, fill=fill)
    if state == "pressed":
        c.rrect(0, 0, w, h, RADIUS, outline=(22, 92, 180), width=1)
    text_w = c.text_width(label, size)
    icon = h * 0.46 if glyph else 0
    gap = h * 0.16 if glyph else 0
    total = min(text_w, w - 24 - icon - gap) + icon + gap
    x0 = (w - total) / 2.0
    if glyph:
        glyph(G(c, x0, (h - icon) / 2.0, icon, WHITE, 2.4))
    c.text(x0 + icon + gap, 0, total - icon - gap, h, label, size, WHITE)
    return c


def outline_button(w, h, label, state, glyph=None, size=13):
    fill = {"normal": WHITE, "hover": BLUE_PALE, "pressed": BLUE_PALE2, "disabled": BG_SOFT}[state]
    border = BLUE if state != "disabled" else GREY_LIGHT
    fg = {"normal": BLUE, "hover": BLUE, "pressed": BLUE_DARK, "disabled": GREY}[state]
    c = Canvas(w, h)
    c.rrect(0, 0, w, h, RADIUS, fill=fill, outline=border, width=1)
    icon = h * 0.5 if glyph else 0
    gap = h * 0.14 if glyph else 0
    text_w = c.text_width(label, size)
    total = min(text_w, w - 16 - icon - gap) + icon + gap
    x0 = (w - total) / 2.0
    if glyph:
        glyph(G(c, x0, (h - icon) / 2.0, icon, fg, 2.2))
    c.text(x0 + icon + gap, 0, total - icon - gap, h, label, size, fg)
    return c


def icon_button(w, h, glyph, state, on_dark=False, danger=False):
    """Square icon button; on_dark for the blue title bar."""
    c = Canvas(w, h)
    if on_dark:
        fg = WHITE
        if state == "hover":
            c.rrect(0, 0, w, h, RADIUS, fill=(RED if danger else (255, 255, 255, 46)))
        elif state == "pressed":
            c.rrect(0, 0, w, h, RADIUS, fill=((200, 60, 52) if danger else (255, 255, 255, 80)))
        stroke = 2.0
    else:
        fg = {"normal": INK, "hover": BLUE, "pressed": BLUE_DARK, "disabled": GREY_LIGHT}[state]
        fill = {"normal": WHITE, "hover": BLUE_PALE, "pressed": BLUE_PALE2, "disabled": BG_SOFT}[state]
        border = {"normal": LINE, "hover": BLUE_LIGHT, "pressed": BLUE, "disabled": LINE}[state]
        c.rrect(0, 0, w, h, RADIUS, fill=fill, outline=border, width=1)
        stroke = 1.9
    s = min(w, h) * (0.62 if on_dark else 0.6)
    glyph(G(c, (w - s) / 2.0, (h - s) / 2.0, s, fg, stroke))
    return c


# --- the pictures -------------------------------------------------------------------

STATES3 = [("0", "normal"), ("1", "hover"), ("2", "pressed")]


def top_tabs():
    tabs = [("downloada", "Download", "下载", g_download),
            ("top", "Popular", "热门视频", lambda g: g_fire(g, g.color)),
            ("tools", "Tools", "工具箱", lambda g: tools_glyph(g))]
    w, h = 110, 60
    for stem, en, zh, glyph in tabs:
        for lang, label in (("en", en), ("zh", zh)):
            for suffix, state in STATES3 + [("5", "selected")]:
                if stem != "downloada" and suffix == "5":
                    continue
                c = Canvas(w, h)
                if state == "hover":
                    c.rect(0, 0, w, h, (255, 255, 255, 30))
                elif state in ("pressed", "selected"):
                    c.rect(0, 0, w, h, (255, 255, 255, 52))
                    c.rrect(w / 2.0 - 22, h - 4, 44, 4, 2, fill=WHITE)
                alpha = 255 if state != "normal" else 225
                col = (255, 255, 255, alpha)
                icon = 20
                glyph(G(c, (w - icon) / 2.0, 9, icon, col, 2.1))
                c.text(4, 31, w - 8, 20, label, 13, col)
                rel = "tabimage/%s%s.png" % (stem, suffix)
                c.save(chin(rel) if lang == "zh" else rel)


def tools_glyph(g):
    for (x, y) in ((4, 4), (13, 4), (4, 13)):
        g.rrect(x, y, 7, 7, 1.8, outline=g.color)
    g.circle(16.5, 16.5, 3.6, outline=g.color)


def title_bar_icons():
    icons = {"service": g_gear, "menu": g_menu, "min": g_min, "close": g_close}
    for stem, glyph in icons.items():
        for suffix, state in STATES3:
            icon_button(24, 24, glyph, state, on_dark=True,
                        danger=(stem == "close")).save("newimage/%s%s.png" % (stem, suffix))
    # Notice: unread (red dot), hover, read.
    for name, state, dot in (("not2222", "normal", RED), ("not22", "hover", None),
                             ("not2", "normal", None)):
        c = Canvas(24, 24)
        if state == "hover":
            c.rrect(0, 0, 24, 24, RADIUS, fill=(255, 255, 255, 46))
        g_bell(G(c, 4, 4, 16, WHITE, 2.0), dot=dot)
        c.save("newimage/%s.png" % name)
    # Help in the status strip (on white).
    for suffix, state in STATES3:
        c = Canvas(24, 24)
        fg = {"normal": GREY, "hover": BLUE, "pressed": BLUE_DARK}[state]
        if state != "normal":
            c.circle(12, 12, 12, fill=BLUE_PALE)
        g_help(G(c, 2, 2, 20, fg, 1.9))
        c.save("newimage/help%s.png" % suffix)


def menu_icons():
    def one(name, fn):
        c = Canvas(16, 16)
        fn(G(c, 0, 0, 16, BLUE, 2.0))
        c.save("newimage/%s.png" % name)
    one("web", g_globe)
    one("qca", g_question_bubble)
    one("us", g_info)
    one("update", g_update)
    one("language", g_language)
    one("en", lambda g: g_badge_text(g, "EN", BLUE))
    one("cn", lambda g: g_badge_text(g, "中", RED))


def logo(c, x, y, s, tile, glyph_col):
    """The program's mark: a rounded tile with a download arrow inside a ring."""
    g = G(c, x, y, s, glyph_col, 2.3)
    g.rrect(0.5, 0.5, 23, 23, 5.5, fill=tile)
    g.arc(12, 12, 7.6, 0, 360, caps=False)
    g.line((12, 7.6), (12, 15.4))
    g.line((8.9, 12.6), (12, 15.6), (15.1, 12.6))


def app_icons():
    c = Canvas(30, 30)
    logo(c, 0, 0, 30, WHITE, BLUE)
    c.save("image/tubiao1.png")

    big = Canvas(128, 128)
    logo(big, 0, 0, 128, BLUE, WHITE)
    big.save("ico2/256.png")  # saved at 256 x 256

    up = Canvas(64, 64)
    gg = G(up, 0, 0, 64, WHITE, 2.4)
    gg.circle(12, 12, 11.2, fill=BLUE)
    gg.line((12, 17.5), (12, 7))
    gg.line((7.5, 11), (12, 6.5), (16.5, 11))
    up.save("icons/update.png")


def desktop_icons():
    """The menu entry's icon: the program's mark in the freedesktop sizes, and
    the same drawing as SVG for any other size."""
    for n in (16, 22, 24, 32, 48, 64, 128, 256):
        c = Canvas(n / FILE_SCALE, n / FILE_SCALE)
        logo(c, 0, 0, n / FILE_SCALE, BLUE, WHITE)
        path = os.path.join(DIST_ICONS, "%dx%d" % (n, n), "apps", APP_ID + ".png")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        c.img.resize((n, n), Image.LANCZOS).save(path, optimize=True)

    # logo() in SVG: the ring's stroke lies inside its radius there, and the
    # lines have round caps and joins.
    stroke = 2.3
    svg = """<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 24 24">
  <rect x="0.5" y="0.5" width="23" height="23" rx="5.5" fill="#%02x%02x%02x"/>
  <g fill="none" stroke="#ffffff" stroke-width="%g" stroke-linecap="round" stroke-linejoin="round">
    <circle cx="12" cy="12" r="%g"/>
    <path d="M12 7.6V15.4M8.9 12.6L12 15.6L15.1 12.6"/>
  </g>
</svg>
""" % (BLUE + (stroke, 7.6 - stroke / 2))
    path = os.path.join(DIST_ICONS, "scalable", "apps", APP_ID + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as fh:
        fh.write(svg)


def wordmarks():
    c = Canvas(150, 30)
    c.text(0, 0, 150, 30, "Quillon", 20, WHITE, align="left")
    c.save("image/2xbiaoti1.png")

    c = Canvas(500, 60)
    s = 44
    tile = Canvas(44, 44)
    logo(tile, 0, 0, 44, BLUE, WHITE)
    word = "Orvanta Quillon"
    tw = c.text_width(word, 32)
    x0 = (500 - (s + 14 + tw)) / 2.0
    c.paste(tile, x0, 8)
    c.text(x0 + s + 14, 0, tw + 4, 60, word, 32, INK, align="left")
    c.save("stack1/bigbiaoti.png")


def paste_and_onekey():
    # Paste: 2 normal, 3 hover, 4 pressed, 5 disabled.
    for lang, label in (("en", "Paste URL"), ("zh", "粘贴链接")):
        for n, state in (("2", "normal"), ("3", "hover"), ("4", "pressed"), ("5", "disabled")):
            c = solid_button(150, 42, label, state, glyph=g_link_plus, size=15)
            rel = "stack1/paste%s.png" % n
            c.save(chin(rel) if lang == "zh" else rel)
    # One-key: config = off, config1 = on (and hover), config2 = pressed.
    for lang, label in (("en", "One-key"), ("zh", "一键下载")):
        for name, state, on in (("config", "normal", False), ("config1", "hover", True),
                                ("config2", "pressed", True)):
            c = Canvas(132, 42)
            fill = {"normal": WHITE, "hover": BLUE_PALE, "pressed": BLUE_PALE2}[state]
            c.rrect(0, 0, 132, 42, RADIUS, fill=fill, outline=BLUE, width=1)
            # switch
            sx, sy, sw, sh = 14, 13.5, 28, 15
            c.rrect(sx, sy, sw, sh, sh / 2.0, fill=(BLUE if on else GREY_LIGHT))
            c.circle(sx + (sw - sh / 2.0 if on else sh / 2.0), sy + sh / 2.0, sh / 2.0 - 2, fill=WHITE)
            c.text(50, 0, 132 - 50 - 10, 42, label, 14, BLUE if state != "pressed" else BLUE_DARK)
            rel = "stack1/%s.png" % name
            c.save(chin(rel) if lang == "zh" else rel)


def g_link_plus(g):
    g_link(g)


def intro_pictures():
    lines = {
        "en": ("Copy the link of a video, a playlist or a channel,",
               "then click Paste URL. Quillon does the rest."),
        "zh": ("复制视频、播放列表或频道的链接，",
               "然后点击“粘贴链接”，剩下的交给 Quillon。"),
    }
    for lang, (a, b) in lines.items():
        c = Canvas(600, 80)
        c.text(0, 6, 600, 32, a, 18, INK, bold=False)
        c.text(0, 42, 600, 32, b, 18, GREY, bold=False)
        c.save("stack1/chinmidcontent.png" if lang == "zh" else "stack1/midcontent1.png")

    # Illustration: a browser with a link, an arrow, the download list.
    c = Canvas(400, 220)
    # browser card
    c.rrect(8, 30, 170, 120, 10, fill=WHITE, outline=LINE, width=1.5)
    c.rrect(8, 30, 170, 24, 10, fill=BG_SOFT)
    c.rect(8, 44, 170, 10, BG_SOFT)
    for i, col in enumerate((RED, ORANGE, GREEN)):
        c.circle(22 + i * 11, 42, 3.5, fill=col)
    c.rrect(20, 62, 146, 18, 9, fill=BLUE_PALE, outline=BLUE_LIGHT, width=1.2)
    g_link(G(c, 26, 64, 14, BLUE, 2.2))
    c.rrect(44, 69, 100, 4, 2, fill=BLUE_LIGHT)
    c.rrect(20, 92, 146, 48, 6, fill=(226, 232, 240))
    g_play(G(c, 81, 104, 24, WHITE))
    # arrow
    c.line([(192, 90), (222, 90)], 4, BLUE_LIGHT)
    c.polygon([(220, 80), (234, 90), (220, 100)], BLUE_LIGHT)
    # list card
    c.rrect(244, 20, 150, 140, 10, fill=WHITE, outline=LINE, width=1.5)
    for i, (pct, col) in enumerate(((1.0, GREEN), (0.62, BLUE), (0.3, BLUE))):
        y = 34 + i * 40
        c.rrect(256, y, 36, 24, 4, fill=(226, 232, 240))
        g_play(G(c, 266, y + 4, 16, WHITE))
        c.rrect(300, y + 2, 70, 5, 2.5, fill=(208, 216, 226))
        c.rrect(300, y + 15, 82, 5, 2.5, fill=LINE)
        c.rrect(300, y + 15, 82 * pct, 5, 2.5, fill=col)
    c.save("stack1/intro.png")


def list_page():
    filters = [("displayall", "Paused", "已暂停", g_pause),
               ("downfinishing", "Downloading", "下载中", g_download),
               ("downfinished", "Finished", "已完成", g_check),
               ("downfailure", "Failed", "失败", g_nothing)]
    w, h = 122, 30
    for stem, en, zh, glyph in filters:
        for lang, label in (("en", en), ("zh", zh)):
            for suffix, state in STATES3:
                c = Canvas(w, h)
                if state == "normal":
                    c.rrect(0, 0, w, h, RADIUS, fill=BG_SOFT, outline=LINE, width=1)
                    fg = INK
                elif state == "hover":
                    c.rrect(0, 0, w, h, RADIUS, fill=BLUE_PALE, outline=BLUE_LIGHT, width=1)
                    fg = BLUE
                else:
                    c.rrect(0, 0, w, h, RADIUS, fill=BLUE)
                    fg = WHITE
                # The right part is left free: the counter badge sits there.
                c.text(8, 0, w - 8 - 32, h, label, 12.5, fg)
                rel = "newimage/%s%s.png" % (stem, suffix)
                c.save(chin(rel) if lang == "zh" else rel)

    # Icon buttons of the list bar. Language sets are the same drawing: the
    # pictures carry no words, but the language switch swaps them all alike.
    sets = {"allstop": g_pause, "allstart": g_play, "delete": g_trash, "retry": g_retry}
    for stem, glyph in sets.items():
        for suffix, state in STATES3:
            c = icon_button(30, 30, glyph, state)
            c.save("newimage/%s%s.png" % (stem, suffix))
            c.save(chin("newimage/%s%s.png" % (stem, suffix)))
    for suffix, state in STATES3:
        icon_button(30, 30, g_clock, state).save("newimage/history%s.png" % suffix)


def row_pictures():
    for name, glyph, size in (("play", g_play, 25), ("refresh", g_retry, 22), ("folder", g_folder, 22)):
        for suffix, state in (("2", "normal"), ("1", "hover")):
            c = Canvas(size, size)
            fg = GREY if state == "normal" else BLUE
            if state == "hover":
                c.circle(size / 2.0, size / 2.0, size / 2.0, fill=BLUE_PALE)
            s = size * 0.66
            glyph(G(c, (size - s) / 2.0, (size - s) / 2.0, s, fg, 2.2))
            c.save("image2/%s%s.png" % (name, suffix))

    c = Canvas(120, 68)
    c.rrect(0, 0, 120, 68, 4, fill=(226, 232, 240))
    g_film(G(c, 44, 18, 32, (160, 172, 186), 1.8))
    c.save("image/movtitle3.png")

    # Busy animation of a row: eight dots turning, an animated GIF.
    frames = []
    n = 8
    size = (42, 40)
    for f in range(n):
        big = Image.new("RGBA", (size[0] * SS, size[1] * SS), (0, 0, 0, 0))
        d = ImageDraw.Draw(big)
        cx, cy, r = size[0] * SS / 2.0, size[1] * SS / 2.0, 13 * SS
        for i in range(n):
            a = math.radians(i * 360.0 / n - 90)
            age = (f - i) % n
            alpha = max(60, 255 - age * 28)
            rr = (4.2 - age * 0.25) * SS
            x, y = cx + r * math.cos(a), cy + r * math.sin(a)
            d.ellipse([x - rr, y - rr, x + rr, y + rr], fill=(BLUE[0], BLUE[1], BLUE[2], alpha))
        small = big.resize(size, Image.LANCZOS)
        # GIF has one transparent colour: blend soft edges onto the row colour.
        bg = Image.new("RGBA", size, (247, 249, 251, 255))
        bg.alpha_composite(small)
        mask = small.split()[3].point(lambda v: 255 if v > 24 else 0)
        pal = bg.convert("RGB").convert("P", palette=Image.ADAPTIVE, colors=255)
        pal.paste(255, mask=Image.eval(mask, lambda v: 255 - v))
        # Every frame carries its own transparent index, or the later ones
        # are drawn on black.
        pal.info["transparency"] = 255
        frames.append(pal)
    path = os.path.join(OUT, "image/3.gif")
    frames[0].save(path, save_all=True, append_images=frames[1:], duration=90, loop=0,
                   transparency=255, disposal=2, optimize=False)
    written.append("image/3.gif")


def network_frames():
    for i in range(1, 5):
        c = Canvas(20, 20)
        g_wifi(G(c, 0, 0, 20, BLUE, 2.2), level=i - 1)
        c.save("image2/%d.png" % i)
    c = Canvas(20, 20)
    g_wifi(G(c, 0, 0, 20, GREEN, 2.2), level=3)
    c.save("image2/wifi.png")

    # Waiting animation of the dialogs: a ring with a turning arc, five frames.
    for i in range(1, 6):
        c = Canvas(20, 20)
        g = G(c, 0, 0, 20, BLUE, 2.6)
        g.arc(12, 12, 9, 0, 360, color=BLUE_PALE2, caps=False)
        start = (i - 1) * 72 - 90
        g.arc(12, 12, 9, start, start + 110, color=BLUE)
        c.save("image2/a%d.png" % i)


def service_pictures():
    tabs = [("proxy", "Proxy", "代理设置", g_globe),
            ("setting", "Settings", "常规设置", g_gear),
            ("step", "How to use", "使用步骤", g_help),
            ("about", "About", "关于我们", g_info),
            ("test", "Proxy test", "代理测试", g_wifi_glyph)]
    w, h = 150, 40
    for stem, en, zh, glyph in tabs:
        for lang, label in (("en", en), ("zh", zh)):
            for suffix, state in (("", "normal"), ("1", "hover"), ("2", "selected")):
                c = Canvas(w, h)
                if state == "normal":
                    fg = INK
                elif state == "hover":
                    c.rrect(0, 0, w, h, RADIUS, fill=BG_SOFT)
                    fg = BLUE
                else:
                    c.rrect(0, 0, w, h, RADIUS, fill=BLUE_PALE)
                    c.rrect(0, 8, 4, h - 16, 2, fill=BLUE)
                    fg = BLUE
                glyph(G(c, 20, 11, 18, fg, 2.1))
                c.text(48, 0, w - 56, h, label, 13.5, fg, align="left")
                rel = "service2/%s%s.png" % (stem, suffix)
                c.save(chin(rel) if lang == "zh" else rel)

    # Help steps: copy the link, click paste, download.
    c = Canvas(180, 120)
    c.rrect(2, 2, 176, 116, 10, fill=BG_SOFT)
    c.rrect(16, 30, 148, 26, 13, fill=WHITE, outline=LINE, width=1.2)
    g_link(G(c, 24, 34, 18, BLUE, 2.2))
    c.rrect(48, 41, 80, 5, 2.5, fill=BLUE_LIGHT)
    c.rrect(104, 66, 56, 30, 6, fill=BLUE)
    c.text(104, 66, 56, 30, "Ctrl+C", 10, WHITE)
    g_cursor(G(c, 128, 84, 20, INK))
    c.save("service2/1.png")

    c = Canvas(180, 120)
    c.rrect(2, 2, 176, 116, 10, fill=BG_SOFT)
    c.rrect(30, 38, 120, 40, RADIUS, fill=BLUE)
    g_link(G(c, 50, 46, 24, WHITE, 2.4))
    c.rrect(82, 55, 48, 6, 3, fill=(255, 255, 255, 200))
    g_cursor(G(c, 116, 62, 28, INK))
    c.save("service2/2.png")

    c = Canvas(180, 120)
    c.rrect(2, 2, 176, 116, 10, fill=BG_SOFT)
    for i, (pct, col) in enumerate(((1.0, GREEN), (0.55, BLUE))):
        y = 26 + i * 38
        c.rrect(18, y, 144, 30, 6, fill=WHITE, outline=LINE, width=1)
        c.rrect(26, y + 5, 30, 20, 3, fill=(226, 232, 240))
        g_play(G(c, 34, y + 8, 14, WHITE))
        c.rrect(64, y + 7, 60, 4, 2, fill=(208, 216, 226))
        c.rrect(64, y + 18, 88, 4, 2, fill=LINE)
        c.rrect(64, y + 18, 88 * pct, 4, 2, fill=col)
        if pct >= 1.0:
            c.circle(146, y + 9, 6, fill=GREEN)
            g_check(G(c, 140.5, y + 3.5, 11, WHITE, 2.8))
    c.save("service2/3.png")

    # Vendor card on the about page.
    c = Canvas(168, 165)
    c.rrect(0, 0, 168, 165, 12, fill=BG_SOFT, outline=LINE, width=1)
    t = Canvas(64, 64)
    logo(t, 0, 0, 64, BLUE, WHITE)
    c.paste(t, 52, 26)
    c.text(0, 100, 168, 24, "Orvanta", 17, INK)
    c.text(0, 124, 168, 20, "@orvanta", 11, GREY, bold=False)
    c.save("service2/vendor.png")


def g_wifi_glyph(g):
    g_wifi(g, level=3, dim=g.color)


def settings_and_dialog_buttons():
    for lang, label in (("en", "OK"), ("zh", "确定")):
        for name, state in (("OK", "normal"), ("OK1", "hover"), ("OK2", "pressed")):
            c = solid_button(100, 34, label, state, size=14)
            c.save("img/%schin.png" % name if lang == "zh" else "img/%s.png" % name)
    for lang, label in (("en", "Download"), ("zh", "下载")):
        for suffix, state in STATES3:
            c = solid_button(120, 36, label, state, glyph=g_download, size=14)
            rel = "img/download%s.png" % suffix
            c.save(chin(rel) if lang == "zh" else rel)
    for suffix, state in STATES3:
        icon_button(30, 30, g_open_folder, state).save("img/openfolder%s.png" % suffix)
    # Close of the frameless dialogs: grey, then red on hover.
    for name, hover in (("close12", False), ("close13", True)):
        c = Canvas(24, 24)
        if hover:
            c.rrect(0, 0, 24, 24, RADIUS, fill=RED)
        g_close(G(c, 3, 3, 18, WHITE if hover else GREY, 2.0))
        c.save("img/%s.png" % name)
    # Combo box arrow, at its own size (style sheets draw it unscaled).
    arrow = Image.new("RGBA", (14 * SS, 14 * SS), (0, 0, 0, 0))
    d = ImageDraw.Draw(arrow)
    w = int(1.8 * SS)
    pts = [(3.5 * SS, 5.5 * SS), (7 * SS, 9 * SS), (10.5 * SS, 5.5 * SS)]
    d.line(pts, fill=rgba(GREY), width=w, joint="curve")
    for x, y in (pts[0], pts[2]):
        d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=rgba(GREY))
    arrow.resize((14, 14), Image.LANCZOS).save(os.path.join(OUT, "img/arrow-bottom3.png"))
    written.append("img/arrow-bottom3.png")


def check_marks():
    c = Canvas(14, 14)
    g_check(G(c, 1, 1, 12, WHITE, 2.6))
    c.save("img/check.png")


def choice_icons():
    def badge(name, text, col):
        c = Canvas(16, 16)
        c.rrect(0.5, 2.5, 15, 11, 2.5, fill=col)
        c.text(0.5, 2.5, 15, 11, text, 8 if len(text) <= 2 else 6.2, WHITE)
        c.save("img/%s.png" % name)
    badge("8k", "8K", (122, 72, 220))
    badge("4k", "4K", (170, 60, 200))
    badge("2k", "2K", RED)
    badge("FD2", "1080", ORANGE)
    badge("FD3", "720", GREEN)
    badge("FD4", "480", TEAL)
    badge("FD5", "360", BLUE)
    badge("FD6", "240", GREY)

    def glyph(name, fn, col):
        c = Canvas(16, 16)
        fn(G(c, 0, 0, 16, col, 2.2))
        c.save("img/%s.png" % name)
    glyph("best", lambda g: g_star(g, ORANGE), ORANGE)
    glyph("audio", g_note, TEAL)
    glyph("nothing", g_nothing, GREY)
    glyph("zimu", lambda g: g_cc(g, False), BLUE)
    glyph("qianrushi", lambda g: g_cc(g, True), BLUE)
    glyph("folder", lambda g: g_folder(g, fill=(255, 214, 120)), (214, 150, 30))
    glyph("desktop", g_desktop, BLUE)


def popular_page():
    heads = [("day", "Today", "今日热门", DAY, "1"),
             ("week", "This week", "本周热门", WEEK, "7"),
             ("month", "This month", "本月热门", MONTH, "30")]
    for stem, en, zh, col, mark in heads:
        for lang, label in (("en", en), ("zh", zh)):
            c = Canvas(140, 30)
            g_calendar(G(c, 0, 4, 22, col, 2.0), col, mark)
            c.text(30, 0, 108, 30, label, 14, col, align="left")
            rel = "stack2/%s.png" % stem
            c.save(chin(rel) if lang == "zh" else rel)
    for lang, label in (("en", "Refresh"), ("zh", "刷新")):
        for name, state in (("refresh", "normal"), ("refresh1", "hover"), ("refresh2", "pressed")):
            c = outline_button(100, 30, label, state, glyph=g_retry, size=13)
            rel = "stack2/%s.png" % name
            c.save(chin(rel) if lang == "zh" else rel)
    for name, hover in (("downloadtubiao", False), ("downloadtubiao0", True)):
        c = Canvas(24, 24)
        if hover:
            c.circle(12, 12, 12, fill=BLUE)
            g_download(G(c, 4, 4, 16, WHITE, 2.3))
        else:
            c.circle(12, 12, 11.2, outline=BLUE, width=1.4)
            g_download(G(c, 4, 4, 16, BLUE, 2.3))
        c.save("stack2/%s.png" % name)


def onekey_captions():
    texts = {
        "en": ("One-key configuration",
               "Turn it on, and every pasted link downloads at once with these choices."),
        "zh": ("一键下载设置", "开启后，粘贴的每个链接都按下面的选项立即下载，不再弹出对话框。"),
    }
    for lang, (a, b) in texts.items():
        c = Canvas(300, 30)
        c.text(0, 0, 300, 30, a, 17, INK, align="left")
        c.save("stack5/chin2xone-key1.png" if lang == "zh" else "stack5/2xone-key1.png")
        c = Canvas(560, 30)
        c.text(0, 0, 560, 30, b, 13, GREY, bold=False, align="left")
        c.save("stack5/chin2xone-key2.png" if lang == "zh" else "stack5/2xone-key2.png")


def write_qrc():
    files = sorted(set(written))
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">']
    groups = {}
    for f in files:
        folder, name = f.split("/", 1)
        groups.setdefault(folder, []).append(name)
    for folder in sorted(groups):
        lines.append(' <qresource prefix="/%s">' % folder)
        for name in groups[folder]:
            lines.append('  <file alias="%s">%s/%s</file>' % (name, folder, name))
        lines.append(' </qresource>')
    lines.append(' <qresource prefix="/help">')
    for name in sorted(os.listdir(os.path.join(OUT, "help"))):
        lines.append('  <file alias="%s">help/%s</file>' % (name, name))
    lines.append(' </qresource>')
    lines.append('</RCC>')
    with open(os.path.join(OUT, "images.qrc"), "w") as fh:
        fh.write("\n".join(lines) + "\n")


def main():
    for fn in (top_tabs, title_bar_icons, menu_icons, app_icons, desktop_icons, wordmarks,
               paste_and_onekey, intro_pictures, list_page, row_pictures, network_frames,
               service_pictures, settings_and_dialog_buttons, check_marks, choice_icons,
               popular_page, onekey_captions):
        fn()
    write_qrc()
    print("%d pictures written to %s" % (len(set(written)), OUT))


if __name__ == "__main__":
    sys.exit(main())
