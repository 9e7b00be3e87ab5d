#!/usr/bin/env python3
"""Writes, as C++, the advance of each Windows-1252 byte and the line height
of the fonts that the program's self-sizing labels use, at 96 DPI, as GDI
under Wine gives them: from the font files Wine is handed on this machine
(its bitmap MS Sans Serif, Liberation Sans for Arial). Only numbers leave
the fonts.

  label_fonts.py OUT.inc
"""
import ctypes
import os
import struct
import sys

LIBERATION = "/usr/share/fonts/truetype/liberation/"
# face, hundredths of a point, bold, the file GDI draws it from
FONTS = [
    ("MS Sans Serif", 825, False, "/usr/share/wine/fonts/sserife.fon"),
    ("Arial", 825, False, LIBERATION + "LiberationSans-Regular.ttf"),
    ("Arial", 2025, True, LIBERATION + "LiberationSans-Bold.ttf"),
]
BYTES = range(0x20, 0x100)


def ppem(hundredths):
    return (hundredths * 96 + 3600) // 7200  # MulDiv(h, 96, 7200), as the program asks


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as e:
        sys.exit("label_fonts.py: %s (Debian's fonts-wine and fonts-liberation hold the fonts)" % e)


def fon(data, em):
    """A bitmap font file: the size whose em is `em` pixels. GDI indexes its
    widths by the byte itself; bytes outside the font take its default
    character."""
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
                first, last, default = fnt[0x5F], fnt[0x60], fnt[0x61]
                entry = 6 if version == 0x300 else 4
                table_at = 0x94 if version == 0x300 else 0x76

                def width(b):
                    i = b - first if first <= b <= last else default
                    return struct.unpack_from("<H", fnt, table_at + entry * i)[0]

                return pix_height, [width(b) for b in BYTES], width(0x1F)
        pos += 8 + 12 * count
    sys.exit("label_fonts.py: no %d-pixel size in the bitmap font" % em)


def truetype(path, size):
    """A TrueType file through FreeType, which Wine's GDI draws with: each
    glyph's hinted advance rounded to whole pixels; ascent and descent from
    the OS/2 table as FreeType scales them."""
    data = read(path)
    tables = {}
    for i in range(struct.unpack_from(">H", data, 4)[0]):
        tag, _, offset, length = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        tables[tag] = data[offset:offset + length]
    upem = struct.unpack_from(">H", tables[b"head"], 18)[0]
    win_ascent, win_descent = struct.unpack_from(">HH", tables[b"OS/2"], 74)
    scale = (size * 64 * 65536 + upem // 2) // upem  # FT_DivFix, 16.16

    def pixels(units):
        return ((units * scale + 0x8000) >> 16) + 32 >> 6  # FT_MulFix to 26.6, then rounded

    ft = ctypes.CDLL("libfreetype.so.6")
    ft.FT_New_Face.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_long, ctypes.POINTER(ctypes.c_void_p)]
    ft.FT_Set_Pixel_Sizes.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
    ft.FT_Get_Char_Index.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    ft.FT_Get_Char_Index.restype = ctypes.c_uint
    ft.FT_Get_Advance.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int32, ctypes.POINTER(ctypes.c_long)]
    lib, face = ctypes.c_void_p(), ctypes.c_void_p()
    if ft.FT_Init_FreeType(ctypes.byref(lib)) or ft.FT_New_Face(lib, path.encode(), 0, ctypes.byref(face)) \
            or ft.FT_Set_Pixel_Sizes(face, 0, size):
        sys.exit("label_fonts.py: FreeType cannot open " + path)

    def advance(glyph):
        a = ctypes.c_long()
        if ft.FT_Get_Advance(face, glyph, 0, ctypes.byref(a)):  # FT_LOAD_DEFAULT: hinted, as GDI
            sys.exit("label_fonts.py: no advance for glyph %d of %s" % (glyph, path))
        return (a.value + 0x8000) >> 16

    def unicode(b):
        # Windows-1252's five unused bytes become the C1 controls, which the font lacks.
        return ord(bytes([b]).decode("cp1252", errors="ignore") or chr(b))

    # Below 0x20 a byte is a control character, drawn as the missing glyph.
    return (pixels(win_ascent) + pixels(win_descent), [advance(ft.FT_Get_Char_Index(face, unicode(b))) for b in BYTES],
            advance(0))


out = ["// Made by src/editor/label_fonts.py from this machine's font files; numbers only."]
for face, hundredths, bold, path in FONTS:
    height, widths, control = fon(read(path), ppem(hundredths)) if path.endswith(".fon") \
        else truetype(path, ppem(hundredths))
    out.append('{"%s", %d, %s, %d, %d, {%s}},' % (face, hundredths, "true" if bold else "false", height, control,
                                                  ", ".join(map(str, widths))))
os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
with open(sys.argv[1], "w") as f:
    f.write("\n".join(out) + "\n")
