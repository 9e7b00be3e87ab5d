#!/usr/bin/env python3
"""tests/authoring/scripts_test.py JUNIT.xml [WORD...]: runs scripts/disc-image and
scripts/preview on the example disc and on discs made here, looks into the
images with xorriso and at the pictures' pixels, and writes JUnit results.
Wine runs take the prefix and display of scripts/lib/wine.sh, so
TAVLIN_WINEPREFIX and TAVLIN_XVFB_DISPLAY pass through."""
import hashlib
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
EXAMPLE = os.path.join(ROOT, "build", "win32", "disc")
RELEASE_EXE = os.path.join(ROOT, "build", "win32", "tavlin.exe")
SUITE = "authoring scripts"

# The main window's and the About window's client areas, in pixels (twips / 15).
MAIN_CLIENT = (400, 375)
ABOUT_CLIENT = (166, 126)
SPLASH_CLIENT = (200, 100)
LIGHT_YELLOW = (255, 255, 0)  # title colour 14 of the example menu
WHITE = (255, 255, 255)


class Failed(Exception):
    pass


def check(cond, message):
    if not cond:
        raise Failed(message)


def run(args, timeout=240):
    p = subprocess.run(args, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    return p.returncode, p.stdout.decode(errors="replace"), p.stderr.decode(errors="replace")


def disc_image(disc, iso, *label):
    return run([os.path.join(ROOT, "scripts", "disc-image"), disc, iso, *label])


def preview(disc, png, *options):
    return run([os.path.join(ROOT, "scripts", "preview"), disc, png, *options], timeout=180)


def made(iso, rc, out, err):
    check(rc == 0, "disc-image exited %d:\n%s%s" % (rc, out, err))
    check(os.path.isfile(iso), "no image at %s" % iso)


# --- looking into an image ---------------------------------------------------------------

def tree(iso, joliet=False):
    """Every path on the image, from the Rock Ridge or the Joliet names."""
    fs = "norock" if joliet else "any"
    rc, out, err = run(["xorriso", "-read_fs", fs, "-indev", iso, "-find", "/"], timeout=60)
    check(rc == 0, "xorriso could not read %s: %s" % (iso, err))
    return {shlex.split(line)[0] for line in out.splitlines() if line.startswith("'")} - {"/"}


def extract(iso, path, scratch):
    dest = os.path.join(scratch, "extracted-" + hashlib.md5(path.encode()).hexdigest())
    rc, _, err = run(["xorriso", "-osirrox", "on", "-indev", iso, "-extract", path, dest], timeout=60)
    check(rc == 0 and os.path.isfile(dest), "could not extract %s: %s" % (path, err))
    with open(dest, "rb") as f:
        return f.read()


def volume_id(iso):
    rc, out, _ = run(["xorriso", "-indev", iso, "-pvd_info"], timeout=60)
    m = re.search(r"^Volume Id\s*:\s?(.*)$", out, re.M)
    check(rc == 0 and m, "no volume id in the image's descriptor")
    return m.group(1).strip()


def snapshot(folder):
    """Names, dates and contents of a folder, to see that nothing changed."""
    state = {}
    for dirpath, dirs, files in os.walk(folder):
        for name in dirs + files:
            p = os.path.join(dirpath, name)
            st = os.lstat(p)
            digest = ""
            if os.path.isfile(p):
                with open(p, "rb") as f:
                    digest = hashlib.sha256(f.read()).hexdigest()
            state[os.path.relpath(p, folder)] = (st.st_mtime_ns, st.st_size, digest)
    return state


def read(path):
    with open(path, "rb") as f:
        return f.read()


def make_disc(scratch, name, files):
    disc = os.path.join(scratch, name)
    for rel, content in files.items():
        p = os.path.join(disc, rel)
        os.makedirs(os.path.dirname(p), exist_ok=True)
        with open(p, "wb") as f:
            f.write(content)
    return disc


def example_menu():
    return read(os.path.join(EXAMPLE, "tavlin.ini"))


# --- looking at a picture --------------------------------------------------------------------

class Picture:
    def __init__(self, path):
        check(os.path.isfile(path), "no picture at %s" % path)
        rc, out, err = run(["identify", "-format", "%m %w %h", path], timeout=30)
        check(rc == 0, "identify cannot read %s: %s" % (path, err))
        fmt, w, h = out.split()
        self.format, self.width, self.height = fmt, int(w), int(h)
        ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], stdout=subprocess.PIPE, check=True).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.data = ppm[header.end():]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def pixels(self):
        return (tuple(self.data[i:i + 3]) for i in range(0, len(self.data), 3))

    def ring(self):
        w, h = self.width, self.height
        for x in range(w):
            yield self.at(x, 0)
            yield self.at(x, h - 1)
        for y in range(h):
            yield self.at(0, y)
            yield self.at(w - 1, y)


def desktop_colour():
    """The virtual desktop's colour, from the prefix the scripts use."""
    prefix = os.environ.get("TAVLIN_WINEPREFIX") or os.path.join(ROOT, "build", "wine")
    section = None
    for line in read(os.path.join(prefix, "user.reg")).decode("utf-8", "replace").splitlines():
        if line.startswith("["):
            section = line.split("]")[0] + "]"
        elif section == r"[Control Panel\\Colors]" and line.startswith('"Background"='):
            return tuple(int(v) for v in line.split("=", 1)[1].strip('"').split())
    raise Failed("no desktop colour in the prefix's user.reg")


def framed(pic, client, caption):
    """The frame's width and the caption's height, if the picture is exactly the
    window: a client area of this size within an even frame."""
    side = pic.width - client[0]
    check(side > 0 and side % 2 == 0 and side <= 16,
          "%dx%d is not a %dx%d client area in a frame" % (pic.width, pic.height, *client))
    frame = side // 2
    top = pic.height - client[1] - 2 * frame
    if caption:
        check(15 <= top <= 32, "%dx%d: no caption bar between %d-pixel frames" % (pic.width, pic.height, frame))
    else:
        check(top == 0, "%dx%d: not a %dx%d window without a caption" % (pic.width, pic.height, *client))
    # Each line of a frame is drawn in one colour; a crop that cuts into the
    # window or reaches past it has content in its outer lines instead.
    w, h = pic.width, pic.height
    for i in range(frame):
        for side, line in (("top", [pic.at(x, i) for x in range(frame, w - frame)]),
                           ("bottom", [pic.at(x, h - 1 - i) for x in range(frame, w - frame)]),
                           ("left", [pic.at(i, y) for y in range(frame, h - frame)]),
                           ("right", [pic.at(w - 1 - i, y) for y in range(frame, h - frame)])):
            check(len(set(line)) == 1, "%dx%d: line %d of the %s frame is not one colour" % (w, h, i, side))
    return frame, top


def not_cropped_from_desktop(pic):
    desk = desktop_colour()
    stray = sum(1 for p in pic.ring() if p == desk)
    check(stray == 0, "%d pixels of the picture's edge show the desktop %s, not the window" % (stray, desk))


# --- the cases -----------------------------------------------------------------------------------

CASES = []


def case(name):
    def register(fn):
        CASES.append((name, fn))
        return fn
    return register


@case("image of the example disc holds its files as written")
def example_image(scratch):
    before = snapshot(EXAMPLE)
    iso = os.path.join(scratch, "example.iso")
    made(iso, *disc_image(EXAMPLE, iso))
    want = {"/autorun.inf", "/tavlin.exe", "/tavlin.ini", "/setup", "/setup/setup.exe", "/docs", "/docs/readme.txt"}
    for joliet in (False, True):
        got = tree(iso, joliet)
        check(got == want, "%s tree: %s, not %s" % ("Joliet" if joliet else "Rock Ridge", sorted(got), sorted(want)))
    # As an author looks at it: the root and each item folder, one -ls each.
    for folder, names in (("/", {"autorun.inf", "tavlin.exe", "tavlin.ini", "setup", "docs"}),
                          ("/setup", {"setup.exe"}), ("/docs", {"readme.txt"})):
        rc, out, err = run(["xorriso", "-indev", iso, "-ls", folder], timeout=60)
        listed = {shlex.split(line)[0] for line in out.splitlines() if line.startswith("'")}
        check(rc == 0 and listed == names, "-ls %s: %s, not %s %s" % (folder, sorted(listed), sorted(names), err))
    # The disc's own program and autorun.inf, not the release or a generated one.
    for name in ("tavlin.exe", "autorun.inf", "tavlin.ini", "setup/setup.exe"):
        check(extract(iso, "/" + name, scratch) == read(os.path.join(EXAMPLE, name)),
              "%s differs from the disc's" % name)
    check(volume_id(iso) == "DISC", "volume id %r, not the folder's name in capitals" % volume_id(iso))
    check(snapshot(EXAMPLE) == before, "the disc folder was changed")


@case("long names in mixed case with blanks survive in both trees")
def long_names(scratch):
    long_name = "A Rather Long File Name With Blanks, Mixed Case And More Than Sixty-Four Letters.Html"
    disc = make_disc(scratch, "names", {
        "tavlin.ini": example_menu(),
        "Read Me First.TXT": b"first\r\n",
        "Extra Files/" + long_name: b"<p>x</p>",
        "Extra Files/lower case/setup.EXE": b"MZ",
    })
    iso = os.path.join(scratch, "names.iso")
    made(iso, *disc_image(disc, iso))
    want = {"/Read Me First.TXT", "/Extra Files", "/Extra Files/" + long_name, "/Extra Files/lower case",
            "/Extra Files/lower case/setup.EXE"}
    for joliet in (False, True):
        got = tree(iso, joliet)
        check(want <= got, "%s tree lacks %s; has %s" % ("Joliet" if joliet else "Rock Ridge", sorted(want - got),
                                                          sorted(got)))
    check(extract(iso, "/Read Me First.TXT", scratch) == b"first\r\n", "Read Me First.TXT changed on the image")


@case("a disc without autorun.inf and tavlin.exe gets both")
def added_files(scratch):
    disc = make_disc(scratch, "Spring Disc", {"tavlin.ini": example_menu(), "docs/readme.txt": b"notes\r\n"})
    before = snapshot(disc)
    iso = os.path.join(scratch, "spring.iso")
    made(iso, *disc_image(disc, iso))
    check(extract(iso, "/autorun.inf", scratch) ==
          b"[autorun]\r\nopen=tavlin.exe\r\nicon=tavlin.exe\r\nlabel=Spring Disc\r\n",
          "generated autorun.inf: %r" % extract(iso, "/autorun.inf", scratch))
    check(extract(iso, "/tavlin.exe", scratch) == read(RELEASE_EXE), "tavlin.exe on the image is not the release build")
    check(volume_id(iso) == "SPRING_DISC", "volume id %r" % volume_id(iso))
    check(snapshot(disc) == before, "the disc folder was changed")

    iso2 = os.path.join(scratch, "labelled.iso")
    made(iso2, *disc_image(disc, iso2, "Spring sale 2026: docs & tools, part one"))
    check(b"\r\nlabel=Spring sale 2026: docs & tools, part one\r\n" in extract(iso2, "/autorun.inf", scratch),
          "the label given is not in autorun.inf")
    check(volume_id(iso2) == "SPRING_SALE_2026__DOCS___TOOLS__", "volume id %r" % volume_id(iso2))


@case("an author's autorun.inf is kept as it is, in any letter case")
def own_autorun(scratch):
    own = b"[AutoRun]\nopen=tavlin.exe\nlabel=Mine\n; no icon on purpose\n"
    disc = make_disc(scratch, "own", {"tavlin.ini": example_menu(), "AutoRun.INF": own})
    iso = os.path.join(scratch, "own.iso")
    made(iso, *disc_image(disc, iso))
    got = tree(iso)
    check([p for p in got if p.lower() == "/autorun.inf"] == ["/AutoRun.INF"],
          "autorun entries on the image: %s" % sorted(p for p in got if "autorun" in p.lower()))
    check(extract(iso, "/AutoRun.INF", scratch) == own, "the author's autorun.inf was changed")


@case("a disc with errors is refused and leaves no image")
def refused(scratch):
    disc = make_disc(scratch, "no menu", {"docs/readme.txt": b"notes"})
    iso = os.path.join(scratch, "refused.iso")
    with open(iso, "wb") as f:
        f.write(b"an image of an earlier run")
    rc, out, err = disc_image(disc, iso)
    check(rc != 0, "exit status 0 for a disc without tavlin.ini")
    check("no image written" in out + err, "no word of the refusal:\n%s%s" % (out, err))
    check("tavlin.ini" in out + err, "the checker's report is not shown:\n%s%s" % (out, err))
    left = [n for n in os.listdir(scratch) if n.startswith("refused.iso")]
    check(not left, "left behind: %s" % left)


@case("the same folder gives the same image")
def reproducible(scratch):
    disc = make_disc(scratch, "again", {"tavlin.ini": example_menu(), "docs/readme.txt": b"notes"})
    first, second = os.path.join(scratch, "first.iso"), os.path.join(scratch, "second.iso")
    made(first, *disc_image(disc, first))
    time.sleep(1.1)  # the dates on an image count whole seconds
    made(second, *disc_image(disc, second))
    check(read(first) == read(second), "two images of one folder differ")


@case("disc-image and preview refuse what is not a folder")
def not_a_folder(scratch):
    missing = os.path.join(scratch, "missing")
    for script, out in (("disc-image", "x.iso"), ("preview", "x.png")):
        rc, o, e = run([os.path.join(ROOT, "scripts", script), missing, os.path.join(scratch, out)], timeout=30)
        check(rc != 0 and "not a folder" in o + e, "%s on a missing folder: %d %s%s" % (script, rc, o, e))
        check(not os.path.exists(os.path.join(scratch, out)), "%s wrote %s" % (script, out))


@case("preview of the example disc shows the main and the About window")
def preview_example(scratch):
    png = os.path.join(scratch, "example.png")
    rc, out, err = preview(EXAMPLE, png, "--all")
    check(rc == 0, "preview exited %d:\n%s%s" % (rc, out, err))
    about_png = os.path.join(scratch, "example-about.png")
    check(out.split() == [png, about_png], "printed %r" % out)
    check(not os.path.exists(os.path.join(scratch, "example-splash.png")), "a splash picture for a disc without one")

    main = Picture(png)
    check(main.format == "PNG", "%s is %s" % (png, main.format))
    frame, caption = framed(main, MAIN_CLIENT, caption=True)
    not_cropped_from_desktop(main)
    # The list box, empty below its two items, is white where the design puts it...
    left, top = frame + 300 // 15, frame + caption + 1260 // 15
    blank = [main.at(x, y) for x in range(left + 10, left + 180) for y in range(top + 60, top + 110)]
    check(all(p == WHITE for p in blank), "no empty white list box at %d,%d" % (left, top))
    # ...and the title and field labels are in the menu's light yellow.
    yellow = sum(1 for p in main.pixels() if p == LIGHT_YELLOW)
    check(yellow > 500, "only %d pixels in the title colour" % yellow)

    about = Picture(about_png)
    framed(about, ABOUT_CLIENT, caption=False)
    desk = desktop_colour()
    check(all(p != desk for p in about.pixels()), "the About picture shows the desktop")
    dark = sum(1 for p in about.pixels() if max(p) < 64)
    check(dark > 100, "only %d dark pixels: no texts in the About picture" % dark)


@case("preview --all saves the splash of a disc that has one")
def preview_splash(scratch):
    disc = os.path.join(scratch, "splash disc")
    shutil.copytree(EXAMPLE, disc)
    colour = (0, 160, 255)
    rc, _, err = run(["convert", "-size", "%dx%d" % SPLASH_CLIENT, "xc:rgb(%d,%d,%d)" % colour, "-quality", "100",
                      os.path.join(disc, "splash.jpg")], timeout=30)
    check(rc == 0, "could not make splash.jpg: %s" % err)
    png = os.path.join(scratch, "s.png")
    rc, out, err = preview(disc, png, "--all")
    check(rc == 0, "preview exited %d:\n%s%s" % (rc, out, err))
    splash_png = os.path.join(scratch, "s-splash.png")
    check(out.split() == [splash_png, png, os.path.join(scratch, "s-about.png")], "printed %r" % out)
    splash = Picture(splash_png)
    frame, _ = framed(splash, SPLASH_CLIENT, caption=False)
    centre = splash.at(splash.width // 2, splash.height // 2)
    check(all(abs(a - b) <= 8 for a, b in zip(centre, colour)), "the splash shows %s, not %s" % (centre, colour))
    not_cropped_from_desktop(splash)
    # After the splash, the menu itself.
    framed(Picture(png), MAIN_CLIENT, caption=True)


def prepare():
    """The example disc and the release exe the cases compare with."""
    for preset, target in (("win32", "disc"),):
        rc, out, err = run(["bash", "-c", "cmake --preset %s >/dev/null && cmake --build --preset %s --target %s"
                            % (preset, preset, target)], timeout=600)
        check(rc == 0, "building %s %s failed:\n%s%s" % (preset, target, out, err))


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: tests/authoring/scripts_test.py JUNIT.xml [WORD...]  (only the cases naming a WORD)")
    suite = ET.Element("testsuite", name=SUITE)
    failures = 0
    words = sys.argv[2:]
    cases = [c for c in CASES if not words or any(w in c[0] for w in words)]
    try:
        prepare()
    except Failed as e:
        reason = e
        cases = [("building what the cases need", lambda scratch: check(False, str(reason)))]
    for name, fn in cases:
        start = time.monotonic()
        tc = ET.SubElement(suite, "testcase", classname=SUITE, name=name)
        with tempfile.TemporaryDirectory(prefix="tavlin-authoring-") as scratch:
            try:
                fn(scratch)
                print("ok   %s" % name)
            except Failed as e:
                failures += 1
                ET.SubElement(tc, "failure", message=str(e).splitlines()[0] if str(e) else "").text = str(e)
                print("FAIL %s: %s" % (name, e))
            except Exception:
                failures += 1
                ET.SubElement(tc, "failure", message="error").text = traceback.format_exc()
                print("FAIL %s:\n%s" % (name, traceback.format_exc()))
        tc.set("time", "%.1f" % (time.monotonic() - start))
    suite.set("tests", str(len(cases)))
    suite.set("failures", str(failures))
    os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
    ET.ElementTree(suite).write(sys.argv[1], encoding="utf-8", xml_declaration=True)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
