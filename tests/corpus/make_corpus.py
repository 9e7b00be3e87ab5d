#!/usr/bin/env python3
"""Generates the bad-disc corpus: one folder per case, each a disc whose files
someone got wrong, or made wrong on purpose. Deterministic; nothing here is
committed as binary.

  make_corpus.py OUTDIR     writes OUTDIR/<case>/ and OUTDIR/cases.txt

cases.txt has one line per case: name, then flags (launch: press the button
on every entry; splash: a splash may come first).
"""
import os
import random
import shutil
import struct
import sys

EXAMPLE_HEADER = ["Tavlin menu", "2", "", "", "14", "", "", "yes", "", "", "Welcome to the disc", "", "",
                  "Application", "Folder", "x", "Information", "Description", "", "", "Choose an item.", ""]


def ini(items, header=None, count=None):
    """A menu file's bytes from (name, folder, file) items."""
    h = list(header or EXAMPLE_HEADER)
    h[1] = str(len(items)) if count is None else count
    lines = [x.encode("latin-1") if isinstance(x, str) else x for x in h]
    for k, (name, folder, file) in enumerate(items, 1):
        lines += [b"-- item %d" % k] + [x.encode("latin-1") if isinstance(x, str) else x
                                        for x in (name, folder, file, "Go", "Info", "Description")] + [b""]
    return b"\r\n".join(lines) + b"\r\n"


def jpeg(width, height, payload=b""):
    """A JPEG header claiming the given size, with whatever follows."""
    app0 = b"\xff\xe0" + struct.pack(">H", 16) + b"JFIF\0\1\1\0\0\1\0\1\0\0"
    sof = b"\xff\xc0" + struct.pack(">HBHHB", 17, 8, height, width, 3) + b"\x01\x22\x00\x02\x11\x01\x03\x11\x01"
    return b"\xff\xd8" + app0 + sof + payload


def bmp(width, height, colour=(200, 30, 160)):
    row = bytes(colour[::-1]) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 54) + header + pixels


def wav(seconds=0.2):
    rate = 8000
    data = bytes(128 + (i * 16 % 64) for i in range(int(rate * seconds)))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    out = sys.argv[1]
    if os.path.exists(out):
        shutil.rmtree(out)
    os.makedirs(out)
    rnd = random.Random(20261207)
    cases = []

    def case(name, files, flags=""):
        d = os.path.join(out, name)
        os.makedirs(d)
        for path, content in files.items():
            p = os.path.join(d, path)
            if content is None:  # a folder of that name
                os.makedirs(p, exist_ok=True)
                continue
            os.makedirs(os.path.dirname(p), exist_ok=True)
            with open(p, "wb") as f:
                f.write(content)
        cases.append((name, flags))

    two = [("Install", "setup", "setup.exe"), ("Read me", "docs", "readme.txt")]
    good = ini(two)

    # The menu file itself.
    case("ini-binary", {"tavlin.ini": bytes(rnd.getrandbits(8) for _ in range(64 * 1024))})
    case("ini-nul-bytes", {"tavlin.ini": good.replace(b"Install", b"Ins\0tall").replace(b"Welcome", b"\0Wel\0come")},
         "launch")
    case("ini-16mib-line", {"tavlin.ini": ini([("Long", "docs", "x" * (16 * 1024 * 1024))])}, "launch")
    case("ini-100000-lines", {"tavlin.ini": ini([("Item %d" % k, "f%d" % k, "p.exe") for k in range(1, 12501)],
                                                count="1000")})
    for label, count in (("2147483648", "2147483648"), ("1e308", "1e308"), ("minus-zero", "-0"),
                         ("12abc", "  12abc")):
        case("ini-count-" + label, {"tavlin.ini": ini(two, count=count)})
    case("ini-folder", {"tavlin.ini": None})
    case("ini-empty", {"tavlin.ini": b""})
    case("ini-truncated", {"tavlin.ini": good[:len(good) * 2 // 3]}, "launch")
    case("ini-lf-only", {"tavlin.ini": good.replace(b"\r\n", b"\n")})
    case("ini-utf16", {"tavlin.ini": "\ufeff".encode("utf-16-le") + good.decode("latin-1").encode("utf-16-le")})

    # Pictures and the sound: folders, empty, truncated, wrong content, huge claims.
    picture = bmp(120, 80)
    for name in ("menupic.jpg", "splash.jpg", "tavlin.wav"):
        stem = {"menupic.jpg": "menupic", "splash.jpg": "splash", "tavlin.wav": "wav"}[name]
        flags = "splash" if name == "splash.jpg" else ""
        case(stem + "-folder", {"tavlin.ini": good, name: None}, flags)
        case(stem + "-empty", {"tavlin.ini": good, name: b""}, flags)
    case("menupic-truncated", {"tavlin.ini": good, "menupic.jpg": jpeg(400, 375, b"\xff\xc4\x00\x1f\x00")})
    case("splash-truncated", {"tavlin.ini": good, "splash.jpg": picture[:200]}, "splash")
    case("menupic-is-a-wav", {"tavlin.ini": good, "menupic.jpg": wav()})
    case("splash-is-a-wav", {"tavlin.ini": good, "splash.jpg": wav()}, "splash")
    case("menupic-60000x60000", {"tavlin.ini": good, "menupic.jpg": jpeg(60000, 60000, b"\xff\xd9")})
    case("splash-60000x60000", {"tavlin.ini": good, "splash.jpg": jpeg(60000, 60000, b"\xff\xd9")}, "splash")
    case("menupic-bmp-60000x60000", {"tavlin.ini": good, "menupic.jpg": picture[:18] + struct.pack("<ii", 60000, 60000) + picture[26:]})
    case("wav-is-text", {"tavlin.ini": good, "tavlin.wav": b"This is not a sound.\r\n" * 10})
    case("wav-truncated", {"tavlin.ini": good, "tavlin.wav": wav()[:60]})
    case("all-optional-files-broken", {"tavlin.ini": good, "menupic.jpg": b"\0" * 10, "splash.jpg": b"GIF89a",
                                       "tavlin.wav": b"RIFF"}, "splash")

    # Item folders and files.
    case("item-folder-missing", {"tavlin.ini": ini([("Nowhere", "no such folder", "setup.exe")])}, "launch")
    case("item-folder-is-a-file", {"tavlin.ini": ini([("File", "setup", "setup.exe")]), "setup": b"a file"},
         "launch")
    for length in (259, 400):
        deep = "/".join(["d" * 50] * (length // 51)) + "/" + "e" * (length - 51 * (length // 51))
        folder = deep.replace("/", "\\")[:length]
        case("item-folder-%d-chars" % length, {"tavlin.ini": ini([("Deep", folder, "readme.txt")]),
                                              deep + "/readme.txt": b"Deep.\r\n"}, "launch")
    case("item-folder-ansi", {"tavlin.ini": ini([("Caf\xe9", "caf\xe9 \xe0 la cr\xe8me", "readme.txt")]),
                              "caf\xe9 \xe0 la cr\xe8me/readme.txt": b"Bonjour.\r\n"}, "launch")
    case("item-files-odd", {"tavlin.ini": ini([("Spaces", "docs", "no such file with spaces.txt"),
                                               ("Quotes", "docs", '"quoted name.txt"'),
                                               ("Arguments", "docs", "nothing.exe /s --flag \"x y\""),
                                               ("Empty", "docs", "")]),
                            "docs/readme.txt": b"Notes.\r\n"}, "launch")

    with open(os.path.join(out, "cases.txt"), "w") as f:
        for name, flags in cases:
            f.write("%s %s\n" % (name, flags))
    print("%d cases in %s" % (len(cases), out))


if __name__ == "__main__":
    main()
