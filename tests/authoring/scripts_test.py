#!/usr/bin/env python3
"""scripts_test.py JUNIT.xml (build/win32 built first): scripts/disc-image and
scripts/preview on discs made here, the images' files as xorriso reads them and
the pictures' pixels; Wine takes TAVLIN_WINEPREFIX and TAVLIN_XVFB_DISPLAY."""
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import EXAMPLE, ROOT, case, check, main, read, run, write_files  # noqa: E402

RELEASE = read(os.path.join(ROOT, "build", "win32", "tavlin.exe"))
GENERATED = b"[autorun]\r\nopen=tavlin.exe\r\nicon=tavlin.exe\r\nlabel=%s\r\n"
OWN = b"[AutoRun]\nopen=tavlin.exe\nlabel=Mine\n; no icon on purpose\n"
SPRING = {"tavlin.ini": read(os.path.join(EXAMPLE, "tavlin.ini")), "docs/readme.txt": b"notes"}
# (the folder, its files, the label given, what the image adds, the volume id)
IMAGES = [
    ("Spring Disc", SPRING, ("Spring sale 2026: docs & tools, part one",),
     {"/autorun.inf": GENERATED % b"Spring sale 2026: docs & tools, part one", "/tavlin.exe": RELEASE},
     "SPRING_SALE_2026__DOCS___TOOLS__"),
    ("own", {**SPRING, "AutoRun.INF": OWN, "Tavlin.EXE": b"MZ", "Read Me First.TXT": b"first\r\n",
             "Extra Files/lower case/setup.EXE": b"MZ",
             "Extra Files/A Rather Long File Name With Blanks, Mixed Case And More Than Sixty-Four Letters.Html": b""},
     (), {}, "OWN"),
]


def files(folder):
    """Every path below FOLDER: a file's bytes, a folder's None."""
    return {"/" + os.path.relpath(os.path.join(top, n), folder): read(os.path.join(top, n)) if n in names else None
            for top, dirs, names in os.walk(folder) for n in dirs + names}


def disc_image(disc, iso, *label):
    """The image's files by their Rock Ridge names and by their Joliet names."""
    code, out, err = run([os.path.join(ROOT, "scripts", "disc-image"), disc, iso, *label])
    check(code == 0, "disc-image exited %d:\n%s%s" % (code, out, err))
    trees = []
    for names in ("any", "norock"):
        code, _, err = run(["xorriso", "-osirrox", "on", "-read_fs", names, "-indev", iso, "-extract", "/",
                            iso + "-" + names])
        check(code == 0, "xorriso could not read %s: %s" % (iso, err))
        trees.append(files(iso + "-" + names))
    return trees, read(iso)[16 * 2048 + 40:16 * 2048 + 72].decode("ascii").rstrip()  # the volume id


for folder, own, label, added, volid in IMAGES:
    @case("disc-image of %r%s: its files as written in both trees, adding %s; volume %s; the same image twice"
          % (folder, " labelled %r" % label[0] if label else "", " and ".join(added) or "nothing", volid))
    def _(scratch, folder=folder, own=own, label=label, added=added, volid=volid):
        disc = os.path.join(scratch, folder)
        before = files(write_files(disc, own))
        want = {**before, **added}
        first, second = os.path.join(scratch, "first.iso"), os.path.join(scratch, "second.iso")
        trees, got_volid = disc_image(disc, first, *label)
        for names, got in zip(("Rock Ridge", "Joliet"), trees):
            check(got == want, "%s names differ: %s" % (names, sorted(p for p in got.keys() | want.keys()
                                                                      if got.get(p, 0) != want.get(p, 0))))
        check(got_volid == volid, "volume id %r" % got_volid)
        check(files(disc) == before, "the disc folder was changed")
        time.sleep(1.1)  # the dates on an image count whole seconds
        disc_image(disc, second, *label)
        check(read(first) == read(second), "two images of one folder differ")


@case("disc-image refuses a disc with errors, leaving no image, not even an earlier one")
def _(scratch):
    no_menu = write_files(os.path.join(scratch, "no menu"), {"docs/readme.txt": b"notes"})
    iso = os.path.join(write_files(scratch, {"x.iso": b"an image of an earlier run"}), "x.iso")
    code, out, err = run([os.path.join(ROOT, "scripts", "disc-image"), no_menu, iso], timeout=60)
    check(code != 0 and "tavlin.ini: error: not found" in err and "no image written" in err
          and not os.path.exists(iso), "exit %d, image left: %s\n%s%s" % (code, os.path.exists(iso), out, err))


def window(png, client, caption):
    """The pixels of PNG, checked to be a window with this client area in a
    frame: a crop reaching past the window shows the desktop at an edge, one
    without the frame or the caption has another size."""
    ppm = subprocess.run(["convert", "png:" + png, "-depth", "8", "ppm:-"], capture_output=True, check=True).stdout
    head = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    w, h, data = int(head[1]), int(head[2]), ppm[head.end():]
    px = [tuple(data[i:i + 3]) for i in range(0, len(data), 3)]
    frame, odd = divmod(w - client[0], 2)
    top = h - client[1] - 2 * frame
    check(0 < frame <= 8 and not odd and (15 <= top <= 32 if caption else top == 0), "%dx%d is not a %dx%d client "
          "area in a frame %s a caption" % (w, h, *client, "with" if caption else "without"))
    reg = read(os.path.join(os.environ.get("TAVLIN_WINEPREFIX") or os.path.join(ROOT, "build", "wine"), "user.reg"))
    desk = re.search(rb'^\[Control Panel\\\\Colors\][^[]*?^"Background"="(\d+) (\d+) (\d+)"', reg, re.M | re.S)
    desk = tuple(map(int, desk.groups()))
    check(desk not in px[:w] + px[-w:] + px[::w] + px[w - 1::w], "the edge of %s shows the desktop %s" % (png, desk))
    return lambda x, y: px[(frame + top + y) * w + frame + x]


@case("preview --all of the example disc with a splash.jpg: the splash, the main window as drawn, and About")
def _(scratch):
    disc, png, colour = os.path.join(scratch, "disc"), os.path.join(scratch, "p.png"), (0, 160, 255)
    shutil.copytree(EXAMPLE, disc)
    subprocess.run(["convert", "-size", "200x100", "xc:rgb%s" % (colour,), "-quality", "100",
                    os.path.join(disc, "splash.jpg")], check=True, timeout=30)
    printed = [os.path.join(scratch, "p-splash.png"), png, os.path.join(scratch, "p-about.png")]
    code, out, err = run([os.path.join(ROOT, "scripts", "preview"), disc, png, "--all"], timeout=180)
    check(code == 0 and out.split() == printed and len(os.listdir(scratch)) == len(printed) + 1,
          "exit %d, printed %r, wrote %s\n%s" % (code, out, os.listdir(scratch), err))
    at = window(printed[0], (200, 100), caption=False)
    check(all(abs(a - b) <= 8 for a, b in zip(at(100, 50), colour)), "the splash shows %s" % (at(100, 50),))
    # The list box, empty below its two items, is white where the design puts it (twips / 15): the menu as drawn.
    at = window(png, (400, 375), caption=True)
    blank = {at(x, y) for x in range(30, 200) for y in range(144, 194)}
    check(blank == {(255, 255, 255)}, "no empty white list box: %s" % sorted(blank)[:5])
    window(printed[-1], (166, 126), caption=False)


main("authoring scripts")
