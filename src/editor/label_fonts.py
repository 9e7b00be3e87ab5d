#!/usr/bin/env python3
"""Writes, as C++, what the program's self-sizing labels measure in each
Windows ANSI code page, at 96 DPI, as GDI under Wine gives them: for each
code page and label font, the line height and the advance of each byte, from
the very font files Wine draws that font with in a locale of that code page.
Only numbers leave the fonts.

  label_fonts.py OUT.inc

Which files Wine draws with was seen under Wine itself (WINEDEBUG=+font
names the file it chose; GetTextFace and the charset agree): the program asks
for its faces in DEFAULT_CHARSET, which is the locale's charset. MS Sans
Serif is then Wine's bitmap font of that charset, or the Western one where
Wine has none (1258 and the double-byte pages), whose bytes GDI then takes
as Windows-1252 bytes. Arial is Liberation Sans where that has the script,
else the face Wine picks among those that have it: DejaVu Sans (Hebrew,
Arabic, Vietnamese), Loma (Thai) or WenQuanYi Micro Hei (Chinese, Japanese,
Korean), the last emboldened by Wine, having no bold.
A two-byte character is not measured: the editor estimates it as wide as an
ideograph of the font (an em where it has none).
"""
import collections
import ctypes
import os
import struct
import sys
import unicodedata

FONTS = [("MS Sans Serif", 825, False), ("Arial", 825, False), ("Arial", 2025, True)]
WINE = "/usr/share/wine/fonts/"
TT = "/usr/share/fonts/truetype/"
LIBERATION = (TT + "liberation/LiberationSans-Regular.ttf", TT + "liberation/LiberationSans-Bold.ttf")
DEJAVU = (TT + "dejavu/DejaVuSans.ttf", TT + "dejavu/DejaVuSans-Bold.ttf")
LOMA = (TT + "tlwg/Loma.ttf", TT + "tlwg/Loma-Bold.ttf")
WQY = (TT + "wqy/wqy-microhei.ttc", None)  # None: Wine emboldens the regular face
# code page: MS Sans Serif's file, Arial's regular and bold files
PAGES = {
    1252: ("sserife.fon", LIBERATION),
    1250: ("sserifee.fon", LIBERATION),
    1251: ("sserifer.fon", LIBERATION),
    1253: ("sserifeg.fon", LIBERATION),
    1254: ("sserifet.fon", LIBERATION),
    1255: ("ssee1255.fon", DEJAVU),
    1256: ("ssee1256.fon", DEJAVU),
    1257: ("ssee1257.fon", LIBERATION),
    1258: ("sserife.fon", DEJAVU),
    874: ("ssee874.fon", LOMA),
    932: ("sserife.fon", WQY),
    936: ("sserife.fon", WQY),
    949: ("sserife.fon", WQY),
    950: ("sserife.fon", WQY),
}
BYTES = range(0x20, 0x100)
# Characters that Windows' tables (and Wine's) have and Python's codecs lack.
EXTRA = {(1255, 0xCA): "\u05ba", (936, 0x80): "\u20ac"}


def ppem(hundredths):
    return (hundredths * 96 + 3600) // 7200  # MulDiv(h, 96, 7200), as the program asks


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        sys.exit("label_fonts.py: %s (Debian's fonts-wine, fonts-liberation, fonts-dejavu-core, "
                 "fonts-tlwg-loma-ttf and fonts-wqy-microhei hold the fonts)" % e)


def lead_bytes(page):
    """The bytes that begin a two-byte character in a double-byte page."""
    def pair(b, t):
        try:
            return len(bytes([b, t]).decode("cp%d" % page)) == 1
        except UnicodeDecodeError:
            return False

    return {b for b in range(0x80, 0x100) if any(pair(b, t) for t in range(0x40, 0x100))}


def char_of(page, b):
    """The character a single byte stands for; None for one the page leaves
    undefined, which draws the missing glyph."""
    try:
        return EXTRA.get((page, b)) or bytes([b]).decode("cp%d" % page)
    except UnicodeDecodeError:
        return None


def letter_of(page, b):
    """The character a byte stands for, unless none or a control character."""
    char = char_of(page, b)
    return char if char and unicodedata.category(char) != "Cc" else None


# The code pages of the bitmap fonts' charsets.
CHARSETS = {0: 1252, 238: 1250, 204: 1251, 161: 1253, 162: 1254, 177: 1255, 178: 1256, 186: 1257, 222: 874}


def fon(data, em, page):
    """A bitmap font file, the size whose em is `em` pixels: height, the
    advance of each byte and of a control character, the em, and the bytes
    of the page whose width is not their letter's. GDI takes the bytes in the
    font's own code page, so its widths go by the byte (bytes outside the
    font take its default character); where that is not the menu's page the
    font draws other letters, and where Wine's file has no letters for a
    script it draws one box for them all."""
    ne = struct.unpack_from("<I", data, 0x3C)[0]
    table = ne + struct.unpack_from("<H", data, ne + 0x24)[0]
    shift = struct.unpack_from("<H", data, table)[0]
    pos = table + 2
    while True:
        rtype, count = struct.unpack_from("<HH", data, pos)
        if rtype == 0:
            break
        for i in range(count):
            offset = struct.unpack_from("<H", data, pos + 8 + 12 * i)[0] << shift
            if rtype == 0x8008:
                fnt = data[offset:]
                version = struct.unpack_from("<H", fnt, 0)[0]
                internal = struct.unpack_from("<H", fnt, 0x4C)[0]
                pix_height = struct.unpack_from("<H", fnt, 0x58)[0]
                if pix_height - internal != em:
                    continue
                charset, first, last, default = fnt[0x55], fnt[0x5F], fnt[0x60], fnt[0x61]
                entry = 6 if version == 0x300 else 4
                table_at = 0x94 if version == 0x300 else 0x76

                def glyph(b):
                    i = b - first if first <= b <= last else default
                    width = struct.unpack_from("<H", fnt, table_at + entry * i)[0]
                    at = struct.unpack_from("<I" if version == 0x300 else "<H", fnt, table_at + entry * i + 2)[0]
                    return width, fnt[at:at + pix_height * ((width + 7) // 8)]

                own = CHARSETS[charset]
                letters = collections.defaultdict(set)  # glyph: the bytes that draw it
                for b in BYTES:
                    if letter_of(own, b) and not letter_of(own, b).isspace():
                        letters[glyph(b)].add(b)
                boxes = set().union(*(bs for bs in letters.values() if len(bs) >= 8))
                other = {b for b in BYTES if letter_of(page, b) and (b in boxes or char_of(own, b) != char_of(page, b))}
                return pix_height, [glyph(b)[0] for b in BYTES], glyph(0x1F)[0], em, other
        pos += 8 + 12 * count
    sys.exit("label_fonts.py: no %d-pixel size in the bitmap font" % em)


class TrueType:
    """A TrueType file (the first face of a collection) through FreeType,
    which Wine's GDI draws with."""

    ft = None

    def __init__(self, path, size):
        data = read(path)
        base = struct.unpack_from(">I", data, 12)[0] if data[:4] == b"ttcf" else 0
        tables = {}
        for i in range(struct.unpack_from(">H", data, base + 4)[0]):
            tag, _, offset, length = struct.unpack_from(">4sIII", data, base + 12 + 16 * i)
            tables[tag] = data[offset:offset + length]
        upem = struct.unpack_from(">H", tables[b"head"], 18)[0]
        win_ascent, win_descent = struct.unpack_from(">HH", tables[b"OS/2"], 74)
        scale = (size * 64 * 65536 + upem // 2) // upem  # FT_DivFix, 16.16

        def pixels(units):
            return ((units * scale + 0x8000) >> 16) + 32 >> 6  # FT_MulFix to 26.6, then rounded

        # Ascent and descent from the OS/2 table as FreeType scales them.
        self.height = pixels(win_ascent) + pixels(win_descent)
        if not TrueType.ft:
            ft = TrueType.ft = ctypes.CDLL("libfreetype.so.6")
            ft.FT_New_Face.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_long,
                                       ctypes.POINTER(ctypes.c_void_p)]
            ft.FT_Set_Pixel_Sizes.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
            ft.FT_Get_Char_Index.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            ft.FT_Get_Char_Index.restype = ctypes.c_uint
            ft.FT_Get_Advance.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int32,
                                          ctypes.POINTER(ctypes.c_long)]
            TrueType.lib = ctypes.c_void_p()
            if ft.FT_Init_FreeType(ctypes.byref(TrueType.lib)):
                sys.exit("label_fonts.py: FreeType does not start")
        self.face, self.path = ctypes.c_void_p(), path
        if TrueType.ft.FT_New_Face(TrueType.lib, path.encode(), 0, ctypes.byref(self.face)) \
                or TrueType.ft.FT_Set_Pixel_Sizes(self.face, 0, size):
            sys.exit("label_fonts.py: FreeType cannot open " + path)

    def advance(self, char):
        """The hinted advance of a character's glyph (the missing glyph's for
        None or a character the font lacks), rounded to whole pixels."""
        glyph = TrueType.ft.FT_Get_Char_Index(self.face, ord(char)) if char else 0
        a = ctypes.c_long()
        if TrueType.ft.FT_Get_Advance(self.face, glyph, 0, ctypes.byref(a)):  # FT_LOAD_DEFAULT: hinted, as GDI
            sys.exit("label_fonts.py: no advance for glyph %d of %s" % (glyph, self.path))
        return (a.value + 0x8000) >> 16


def truetype(paths, size, bold, page):
    """Height, the advance of each byte of the page, a control character's,
    a two-byte character's (an ideograph's, or an em where the font has
    none), and the bytes whose letter the font lacks, drawn as its missing
    glyph."""
    fake_bold = bold and not paths[1]
    font = TrueType(paths[1] if bold and paths[1] else paths[0], size)
    extra = 1 if fake_bold else 0  # Wine widens each glyph it emboldens by a pixel
    ideograph = font.advance("\u4e00") if TrueType.ft.FT_Get_Char_Index(font.face, 0x4E00) else size
    # Below 0x20 a byte is a control character, drawn as the missing glyph.
    missing = {b for b in BYTES if letter_of(page, b) and not TrueType.ft.FT_Get_Char_Index(font.face, ord(letter_of(page, b)))}
    return (font.height, [font.advance(char_of(page, b)) + extra for b in BYTES], font.advance(None) + extra,
            ideograph + extra, missing)


def row(values):
    return "{%s}" % ", ".join(map(str, values))


out = ["// Made by src/editor/label_fonts.py from this machine's font files; numbers only.",
       "constexpr LabelFont kFonts[] = {%s};" % ", ".join(
           '{"%s", %d, %s}' % (face, hundredths, "true" if bold else "false") for face, hundredths, bold in FONTS)]
low, high, masks, metrics = [], [], [], []


def row_index(rows, values):
    if values not in rows:
        rows.append(values)
    return rows.index(values)


def mask_index(upper_bytes):
    """Into kMasks, a set of bytes from 0x80 as bits; -1 for none."""
    if not upper_bytes:
        return -1
    if min(upper_bytes) < 0x80:
        sys.exit("label_fonts.py: ASCII that is not measured: %r" % sorted(b for b in upper_bytes if b < 0x80))
    return row_index(masks, [sum(1 << i for i in range(32) if 0x80 + 32 * w + i in upper_bytes) for w in range(4)])


for page, (bitmap, family) in PAGES.items():
    leads = mask_index(lead_bytes(page))
    for index, (face, hundredths, bold) in enumerate(FONTS):
        size = ppem(hundredths)
        height, widths, control, wide, guessed = fon(read(WINE + bitmap), size, page) if face == "MS Sans Serif" \
            else truetype(family, size, bold, page)
        if max(widths + [control, wide, height]) > 255:
            sys.exit("label_fonts.py: an advance beyond a byte")
        metrics.append("{%d, %d, %d, %d, %d, %d, %d, %d, %d}," % (
            page, index, height, control, wide, row_index(low, widths[:96]), row_index(high, widths[96:]), leads,
            mask_index(guessed)))
if max(len(low), len(high)) > 256 or len(masks) > 128:
    sys.exit("label_fonts.py: more rows than a byte counts")
# Pages share their fonts' ASCII and often their upper halves: each half once.
for name, rows in (("kLow[][0x60]", low), ("kHigh[][0x80]", high)):
    out.append("constexpr unsigned char %s = {" % name)
    out += ["    %s," % row(r) for r in rows]
    out.append("};")
out.append("constexpr std::uint32_t kMasks[][4] = {")
out += ["    {%s}," % ", ".join("0x%08xu" % m for m in r) for r in masks]
out.append("};")
out.append("// code page, font, height, advances of a control and a two-byte character, rows of 0x20-0x7f and 0x80-0xff,")
out.append("// masks of the lead bytes and of the bytes whose letter the font file lacks")
out.append("constexpr PageMetrics kMetrics[] = {")
out += ["    " + m for m in metrics]
out.append("};")
os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
with open(sys.argv[1], "w") as f:
    f.write("\n".join(out) + "\n")
