#!/usr/bin/env python3
"""make_corpus.py OUTDIR [WINMM.DLL]: writes the bad-disc corpus, a folder a disc whose files someone got
wrong, and OUTDIR/cases.txt, a line a case: its name and flags (launch: press the button on every entry;
splash: a splash may come first; planted: WINMM.DLL lies on the disc). Deterministic, committed as code."""
import os
import random
import shutil
import struct
import sys

HEADER = ["Tavlin menu", "2", "", "", "14", "", "", "yes", "", "", "Welcome to the disc", "", "", "Application",
          "Folder", "x", "Information", "Description", "", "", "Choose an item.", ""]


def ini(items, count=None):
    """A menu file's bytes from (name, folder, file) items; text is Latin-1."""
    lines = HEADER[:1] + [str(len(items)) if count is None else count] + HEADER[2:]
    for k, item in enumerate(items, 1):
        lines += ["-- item %d" % k, *item, "Go", "Info", "Description", ""]
    return b"".join((x if isinstance(x, bytes) else x.encode("latin-1")) + b"\r\n" for x in lines)


def jpeg(width, height, payload=b""):
    """A JPEG header claiming the given size, with whatever follows."""
    return (b"\xff\xd8\xff\xe0" + struct.pack(">H", 16) + b"JFIF\0\1\1\0\0\1\0\1\0\0\xff\xc0" +
            struct.pack(">HBHHB", 17, 8, height, width, 3) + b"\x01\x22\x00\x02\x11\x01\x03\x11\x01" + payload)


def bmp(width, height, claim=None):
    """A bitmap; its header claims the size given as claim, if one is."""
    row = bytes((160, 30, 200)) * width + b"\0" * (-3 * width % 4)
    header = struct.pack("<IiiHHIIiiII", 40, *(claim or (width, height)), 1, 24, 0, len(row) * height, 3780, 3780, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + len(row) * height, 0, 0, 54) + header + row * height


def wav(rate=8000):
    data = bytes(128 + (i * 16 % 64) for i in range(rate // 5))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVEfmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    rnd = random.Random(20261207)
    two = [("Install", "setup", "setup.exe"), ("Read me", "docs", "readme.txt")]
    good = ini(two)
    cases = []

    def case(name, files, flags=""):  # files beside a good tavlin.ini; content None: a folder of that name
        for path, content in {"tavlin.ini": good, **files}.items():
            p = os.path.join(out, name, path)
            os.makedirs(p if content is None else os.path.dirname(p), exist_ok=True)
            if content is not None:
                open(p, "wb").write(content)
        cases.append("%s %s\n" % (name, flags))

    # The menu file itself.
    case("ini-binary", {"tavlin.ini": bytes(rnd.getrandbits(8) for _ in range(64 * 1024))})
    case("ini-nul-bytes", {"tavlin.ini": good.replace(b"Install", b"Ins\0tall").replace(b"Welcome", b"\0Wel\0come")},
         "launch")
    case("ini-16mib-line", {"tavlin.ini": ini([("Long", "docs", "x" * (16 * 1024 * 1024))])}, "launch")
    case("ini-100000-lines", {"tavlin.ini": ini([("Item %d" % k, "f%d" % k, "p.exe") for k in range(1, 12501)],
                                                "1000")})
    for label, count in (("2147483648", "2147483648"), ("1e308", "1e308"), ("minus-zero", "-0"), ("12abc", "  12abc")):
        case("ini-count-" + label, {"tavlin.ini": ini(two, count)})
    case("ini-folder", {"tavlin.ini": None})
    case("ini-empty", {"tavlin.ini": b""})
    case("ini-truncated", {"tavlin.ini": good[:len(good) * 2 // 3]}, "launch")
    case("ini-lf-only", {"tavlin.ini": good.replace(b"\r\n", b"\n")})
    case("ini-utf16", {"tavlin.ini": "\ufeff".encode("utf-16-le") + good.decode("latin-1").encode("utf-16-le")})

    # Pictures and the sound: folders, empty, truncated, wrong content, huge claims.
    for name, stem, flags, cut in (("menupic.jpg", "menupic", "", jpeg(400, 375, b"\xff\xc4\x00\x1f\x00")),
                                   ("splash.jpg", "splash", "splash", bmp(120, 80)[:200]),
                                   ("tavlin.wav", "wav", "", wav()[:60])):
        pictures = () if stem == "wav" else (("is-a-wav", wav()), ("60000x60000", jpeg(60000, 60000, b"\xff\xd9")))
        for kind, content in (("folder", None), ("empty", b""), ("truncated", cut)) + pictures:
            case(stem + "-" + kind, {name: content}, flags)
    case("menupic-bmp-60000x60000", {"menupic.jpg": bmp(120, 80, claim=(60000, 60000))})
    case("wav-is-text", {"tavlin.wav": b"This is not a sound.\r\n" * 10})
    case("all-optional-files-broken", {"menupic.jpg": b"\0" * 10, "splash.jpg": b"GIF89a", "tavlin.wav": b"RIFF"},
         "splash")

    # Item folders and files.
    case("item-folder-missing", {"tavlin.ini": ini([("Nowhere", "no such folder", "setup.exe")])}, "launch")
    case("item-folder-is-a-file", {"tavlin.ini": ini([("File", "setup", "setup.exe")]), "setup": b"a file"}, "launch")
    for n in (259, 400):
        deep = "/".join(["d" * 50] * (n // 51)) + "/" + "e" * (n - 51 * (n // 51))
        menu = ini([("Deep", deep.replace("/", "\\")[:n], "readme.txt")])
        case("item-folder-%d-chars" % n, {"tavlin.ini": menu, deep + "/readme.txt": b"Deep.\r\n"}, "launch")
    case("item-folder-ansi", {"tavlin.ini": ini([("Caf\xe9", "caf\xe9 \xe0 la cr\xe8me", "readme.txt")]),
                              "caf\xe9 \xe0 la cr\xe8me/readme.txt": b"Bonjour.\r\n"}, "launch")
    case("item-files-odd", {"tavlin.ini": ini([("Spaces", "docs", "no such file with spaces.txt"),
                                               ("Quotes", "docs", '"quoted name.txt"'),
                                               ("Arguments", "docs", "nothing.exe /s --flag \"x y\""),
                                               ("Empty", "docs", "")]),
                            "docs/readme.txt": b"Notes.\r\n"}, "launch")
    # A winmm.dll beside the menu, which must never load it: the sound library comes from the system folder only.
    if len(sys.argv) > 2:
        case("planted-winmm-not-loaded", {"tavlin.wav": wav(), "winmm.dll": open(sys.argv[2], "rb").read()}, "planted")

    open(os.path.join(out, "cases.txt"), "w").writelines(cases)
    print("%d cases in %s" % (len(cases), out))


if __name__ == "__main__":
    main()
