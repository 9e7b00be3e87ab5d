#!/usr/bin/python3
"""The editor's preview of the example disc, and of captions beyond it,
beside the real window under Wine: every control of Form1 where the program
puts it and as large, within 2 pixels.
Leaves both screenshots in build/side-by-side/ to be looked at.

  side_by_side.py JUNIT.xml     (build/web and build/win64 built first)
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editor_test as t  # noqa: E402  (its browser and helpers; its cases run only as a script)
import testlib  # noqa: E402

ROOT = t.ROOT
DISC = os.path.join(ROOT, "build", "win64", "disc")
OUT = os.path.join(ROOT, "build", "side-by-side")

# The real window's client area and each control's rectangle, in screen pixels.
REAL_RECTS = r"""
source "$1/scripts/lib/wine.sh"
wine_setup --own-display
trap wine_stop EXIT
(cd "$2" && exec timeout --kill-after=5 60 wine "$1/build/win64/tavlin.exe") >/dev/null 2>&1 &
rect() { timeout 60 wine "$1/build/win64/winwait.exe" --rect "${@:2}" "Tavlin v3.0" 30000 | tr -d '\r'; }
echo "client $(rect "$1" --client)"
for c in ${3}; do echo "$c $(rect "$1" --child "Form1.$c")"; done
"""


# Captions beyond the example's, in its lines 11 and 14-18: a long title, and
# every Windows-1252 byte from 0x20 in each label font, ampersands and tabs.
EVERY_BYTE = bytes(range(0x20, 0x100))
CAPTIONS = [b"D\xe9j\xe0 vu & \xc7a && \xables \x8cuvres\xbb \x97 \x80 \x91run\x92 past the edge\x99"] + [
    EVERY_BYTE[i:i + 56] for i in range(0, 224, 56)] + [b"&&\t\t\t" + EVERY_BYTE + b"&"]


def captions_disc():
    disc = os.path.join(t.SCRATCH, "captions")
    os.makedirs(disc)
    with open(os.path.join(DISC, "tavlin.ini"), "rb") as f:
        lines = f.read().split(b"\r\n")
    lines[10], lines[13:18] = CAPTIONS[0], CAPTIONS[1:]
    with open(os.path.join(disc, "tavlin.ini"), "wb") as f:
        f.write(b"\r\n".join(lines))
    return disc


def compare(disc, png):
    """Report lines and the names of the controls more than 2 pixels away."""
    names = list(t.FORM1)
    out = subprocess.run(["bash", "-c", REAL_RECTS, "real-rects", ROOT, disc, " ".join(names)],
                         stdout=subprocess.PIPE, check=True, timeout=300).stdout.decode()
    rows = {line.split()[0]: [int(v) for v in line.split()[1:]] for line in out.splitlines() if line.strip()}
    t.expect(len(rows.get("client", [])) == 4, "no client area from Wine: %r" % out)
    cx, cy = rows["client"][:2]
    real = {n: (r[0] - cx, r[1] - cy, r[2], r[3]) for n, r in rows.items() if n != "client" and len(r) == 4}
    t.expect(sorted(real) == sorted(names), "Wine gave rectangles for %s only" % sorted(real))

    t.fresh()
    t.open_path("disc-input", disc)
    t.d.find_element(t.By.CSS_SELECTOR, "#preview .window").screenshot(os.path.join(OUT, png))
    editor = t.preview_rects("Form1")[0]
    report, far = [os.path.basename(disc)], []
    for n in names:
        e, r = [round(v) for v in editor[n][:4]], real[n]
        off = max(abs(e[i] - r[i]) for i in range(4))
        report.append("%-9s editor %-18s real %-18s %s" % (n, e, list(r), "ok" if off <= 2 else "OFF BY %d" % off))
        if off > 2:
            far.append("%s in %s" % (n, os.path.basename(disc)))
    return report, far


def main():
    os.makedirs(OUT, exist_ok=True)
    subprocess.run([os.path.join(ROOT, "scripts", "preview"), DISC, os.path.join(OUT, "real.png")], check=True,
                   stdout=subprocess.DEVNULL)
    report, far = compare(DISC, "editor.png")
    more = compare(captions_disc(), "editor-captions.png")
    report, far = report + more[0], far + more[1]
    with open(os.path.join(OUT, "rects.txt"), "w") as f:
        f.write("\n".join(report) + "\n")
    print("\n".join(report))
    t.expect(not far, "controls away from the real window's: %s" % far)


os.makedirs(t.DOWNLOADS)
t.d = t.start_browser()
testlib.CASES.clear()  # the editor suite's own cases, registered when it was imported
try:
    testlib.case("the preview of the example disc and of other captions has the real window's control rectangles, "
                 "within 2 pixels")(lambda scratch: main())
    testlib.main("menu editor beside the window")
finally:
    t.d.quit()
    t.shutil.rmtree(t.SCRATCH, True)
