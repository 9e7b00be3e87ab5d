#!/usr/bin/python3
"""The editor's preview of the example disc beside the real window under
Wine: every control of Form1 where the program puts it, within 2 pixels.
Leaves both screenshots in build/side-by-side/ to be looked at.

  side_by_side.py JUNIT.xml     (build/web and build/win64 built first)
"""
import os
import subprocess
import sys
import xml.sax.saxutils as su

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editor_test as t  # noqa: E402  (its browser and helpers; its cases run only as a script)

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


def main():
    os.makedirs(OUT, exist_ok=True)
    real_png = os.path.join(OUT, "real.png")
    subprocess.run([os.path.join(ROOT, "scripts", "preview"), DISC, real_png], check=True, stdout=subprocess.DEVNULL)
    names = list(t.FORM1)
    out = subprocess.run(["bash", "-c", REAL_RECTS, "real-rects", ROOT, DISC, " ".join(names)],
                         stdout=subprocess.PIPE, check=True, timeout=300).stdout.decode()
    rows = {line.split()[0]: [int(v) for v in line.split()[1:]] for line in out.splitlines() if line.strip()}
    t.expect(len(rows.get("client", [])) == 4, "no client area from Wine: %r" % out)
    cx, cy = rows["client"][:2]
    real = {n: (r[0] - cx, r[1] - cy, r[2], r[3]) for n, r in rows.items() if n != "client" and len(r) == 4}
    t.expect(sorted(real) == sorted(names), "Wine gave rectangles for %s only" % sorted(real))

    t.fresh()
    t.open_path("disc-input", DISC)
    t.d.find_element(t.By.CSS_SELECTOR, "#preview .window").screenshot(os.path.join(OUT, "editor.png"))
    editor = t.preview_rects("Form1")[0]
    report, far = [], []
    for n in names:
        e, r = [round(v) for v in editor[n][:4]], real[n]
        # A self-sizing label's width is its text's in the font at hand, and fonts may differ.
        parts = range(4) if t.FORM1[n][2] is not None else (0, 1, 3)
        off = max(abs(e[i] - r[i]) for i in parts)
        report.append("%-9s editor %-18s real %-18s %s" % (n, e, list(r), "ok" if off <= 2 else "OFF BY %d" % off))
        if off > 2:
            far.append(n)
    with open(os.path.join(OUT, "rects.txt"), "w") as f:
        f.write("\n".join(report) + "\n")
    print("\n".join(report))
    t.expect(not far, "controls away from the real window's: %s" % far)


results = []
os.makedirs(t.DOWNLOADS)
try:
    t.d = t.start_browser()
    try:
        main()
        results.append(None)
    except Exception as e:  # noqa: BLE001  a failed expectation or a broken run
        results.append("%s: %s" % (type(e).__name__, e))
        print("FAIL  " + results[-1])
finally:
    t.d.quit()
    t.shutil.rmtree(t.SCRATCH, True)

with open(sys.argv[1], "w") as f:
    f.write('<?xml version="1.0"?>\n<testsuite name="menu editor beside the window" tests="1" failures="%d">\n'
            % (1 if results[0] else 0))
    f.write('  <testcase classname="menu editor" name="the preview of the example disc has the real window\'s '
            'control rectangles, within 2 pixels">')
    if results[0]:
        f.write("<failure message=%s/>" % su.quoteattr(results[0]))
    f.write("</testcase>\n</testsuite>\n")
print("%d passed, %d failed" % (0 if results[0] else 1, 1 if results[0] else 0))
sys.exit(1 if results[0] else 0)
