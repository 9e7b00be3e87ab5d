#!/usr/bin/python3
"""side_by_side.py [--engine chromium|firefox|webkit] JUNIT.xml (build/web and
build/win64 built first): the editor's preview of the example disc, and of
captions beyond it, in one browser engine beside the real window under Wine:
the client area and every control of Form1 where the program puts it and as
large, within 2 pixels."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import editor_test as t  # noqa: E402  (its browser and helpers; its cases run only as a script)
import testlib  # noqa: E402

testlib.CASES.clear()  # the editor suite's own cases, registered when it was imported
DISC = os.path.join(t.ROOT, "build", "win64", "disc")
FORM1 = ["Command1", "List1"] + ["Label%d" % i for i in range(1, 8)] + ["Text%d" % i for i in range(1, 5)]

# The real window's client area and each control's rectangle, in screen
# pixels, read by one Wine program once the window is up: a Wine start per
# control cost seconds each on a busy machine, enough to outlast the window.
REAL_RECTS = r"""
source "$1/scripts/lib/wine.sh"
wine_setup --own-display
trap wine_stop EXIT
(cd "$2" && exec timeout --kill-after=5 90 wine "$1/build/win64/tavlin.exe") >/dev/null 2>&1 &
timeout 60 wine "$1/build/win64/window_texts.exe" "Tavlin v3.0" rects | tr -d '\r'
"""

# Captions beyond the example's, in its lines 11 and 14-18: a long title, and
# every Windows-1252 byte from 0x20 in each label font, ampersands and tabs.
EVERY_BYTE = bytes(range(0x20, 0x100))
CAPTIONS = [b"D\xe9j\xe0 vu & \xc7a && \xables \x8cuvres\xbb \x97 \x80 \x91run\x92 past the edge\x99"] + [
    EVERY_BYTE[i:i + 56] for i in range(0, 224, 56)] + [b"&&\t\t\t" + EVERY_BYTE + b"&"]


@testlib.case("the preview of the example disc and of other captions has the real window's client area and control "
              "rectangles, within 2 pixels")
def _(scratch):
    lines = testlib.read(os.path.join(DISC, "tavlin.ini")).split(b"\r\n")
    lines[10], lines[13:18] = CAPTIONS[0], CAPTIONS[1:]
    off = []
    for disc in (DISC, testlib.write_files(os.path.join(scratch, "captions"), {"tavlin.ini": b"\r\n".join(lines)})):
        t.open_path(disc)
        # Wine runs here in a Western locale; a file of every byte reads as any code page, so the readers' is chosen.
        t.b.js("const s = document.querySelector('#code-page'); s.value = '1252'; s.dispatchEvent(new Event('change'))")
        t.wait("tavlinEditor.idle() && tavlinEditor.codePage() === 1252", "Windows-1252")
        controls, _, width, height = t.preview_rects()
        editor = {"client": [0, 0, width, height], **{n: r[:4] for n, r in controls.items()}}
        _, out, err = testlib.run(["bash", "-c", REAL_RECTS, "real-rects", t.ROOT, disc], timeout=180)
        rows = {w[1]: [int(v) for v in w[2:]] for w in (line.split() for line in out.splitlines())
                if len(w) == 6 and w[0] == "rect" and w[1] in editor}
        t.expect(editor.keys() == {"client", *FORM1}, "the preview's controls: %s" % sorted(editor))
        t.expect(rows.keys() == editor.keys() and {len(r) for r in rows.values()} == {4}, "Wine: %r\n%s" % (out, err))
        cx, cy = rows["client"][:2]
        for n, e in editor.items():
            e, r = [round(v) for v in e], [rows[n][0] - cx, rows[n][1] - cy, *rows[n][2:]]
            if max(abs(a - b) for a, b in zip(e, r)) > 2:
                off.append("%s %s: editor %s, real %s" % (os.path.basename(disc), n, e, r))
    t.expect(not off, "away from the real window's:\n" + "\n".join(off))


if __name__ == "__main__":
    t.run_suite("menu editor beside the window")
