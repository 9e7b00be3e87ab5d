#!/usr/bin/python3
"""editor_test.py [--engine chromium|firefox|webkit] JUNIT.xml (build/web and
build/native built first): the menu editor in one browser engine (engines.py),
as an author uses it, on the example disc and the bad-disc corpus
(side_by_side.py holds the preview against the real window)."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import ROOT, CASES, Skip, case, check as expect, main, read, write_files  # noqa: E402
from engines import ENGINES  # noqa: E402

PAGE = "file://" + os.path.join(ROOT, "build", "web", "tavlin-editor.html")
CHECKER = os.path.join(ROOT, "build", "native", "tavlin-check")
EXAMPLE = os.path.join(ROOT, "examples", "disc")
DOWNLOADS = tempfile.mkdtemp(prefix="editor-downloads-", dir=os.path.join(ROOT, "build"))
b = None  # the browser, an engines.py driver
SHOT = None  # where the example disc's screenshot goes, beside the results
CTRL_A = ("Control", "a")
# Whether the page asks the browser to confirm leaving (headless Chromium shows no dialog).
ASKS = """const e = new Event('beforeunload', {cancelable: true}); dispatchEvent(e); return e.defaultPrevented;"""


def until(fn, what, timeout=60):
    end = time.monotonic() + timeout
    while not (value := fn()):
        expect(time.monotonic() < end, "timed out waiting for " + what)
        time.sleep(0.05)
    return value


def wait(js, what, *args, timeout=60):
    return until(lambda: b.js("return " + js, *args), what, timeout)


def open_path(path, fresh=True):
    """PATH, a menu file or a disc folder, opened, FRESH: on the page as it opens (the case that leaves it changed
    comes last, since leaving would ask). A folder's tavlin.ini alone where the driver cannot hand a folder."""
    if fresh:
        b.get(PAGE)
        wait("window.tavlinEditor && tavlinEditor.idle()", "the page")
    before = b.js("return tavlinEditor.opened()")
    if os.path.isdir(path) and not b.folders:
        path = os.path.join(path, "tavlin.ini")
    b.files("#disc-input" if os.path.isdir(path) else "#menu-input", path)
    wait("tavlinEditor.opened() > arguments[0] && tavlinEditor.idle()", "%s to open" % path, before, timeout=120)


def saved():
    out = wait("tavlinEditor.idle() && tavlinEditor.bytesToSave()", "the checker")
    expect("bytes" in out, "save refused: %s" % out.get("refused"))
    return base64.b64decode(out["bytes"])


def type_into(name, text):
    b.keys("#f-" + name, CTRL_A, text)
    wait("tavlinEditor.idle()", "the checker")


def prop(css, name="innerText"):
    return b.js("return document.querySelector(arguments[0])[arguments[1]]", css, name)


def preview_rects():
    """{control: [left, top, width, height, shown, colour, text]} in the preview's client area, its form and size."""
    return b.js("""
        const client = document.querySelector('#preview .client'), c = client.getBoundingClientRect(), out = {};
        for (const e of client.querySelectorAll('[data-control]')) {
          const r = e.getBoundingClientRect(), style = getComputedStyle(e);
          out[e.dataset.control] = [r.left - c.left, r.top - c.top, r.width, r.height,
                                    style.visibility !== 'hidden', style.color, e.textContent];
        }
        return [out, client.dataset.form, c.width, c.height];""")


@case("a console error, an uncaught exception and an unhandled rejection in the page are each reported (an engine "
      "whose capture misses them would pass every case); reading them clears them")
def _(scratch):
    b.get(PAGE)
    wait("window.tavlinEditor && tavlinEditor.idle()", "the page")
    # The page's own script, whose errors an engine reports in full (a driver's script's come as "Script error.").
    b.js("""const s = document.createElement('script');
            s.textContent = "console.error('deliberate console error'); " +
              "setTimeout(() => { throw new Error('deliberate exception'); }); Promise.reject(new Error('deliberate rejection'));";
            document.head.append(s);""")
    want, seen = ("deliberate console error", "deliberate exception", "deliberate rejection"), []
    until(lambda: seen.extend(b.errors()) or all(any(w in e for e in seen) for w in want), "all three", 10)
    expect(not b.errors(), "seen again: %s" % seen)


@case("the example disc opens with each value in its field and in the preview; a click in its list fills the button "
      "and the fields as the program does; the About preview at its size; every control named for screen readers "
      "and reached by Tab; each edit changes the saved bytes on the line the line map names; a character "
      "Windows-1252 lacks is refused on save, naming its field; Save downloads the bytes and says where they went and "
      "where they belong")
def _(scratch):
    open_path(EXAMPLE)
    # WebKit's screenshot may show the page as painted before the workers' last answers: a frame later it is not.
    b.js("return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)))")
    b.screenshot(SHOT)
    want = {"MenuTitle": "Welcome to the disc", "ApplicationCaption": "Application", "PathCaption": "Folder",
            "InformationCaption": "Information", "DefaultDescription": "Choose an item from the list.",
            "ItemName": "Install", "ItemPath": "setup", "ItemFile": "setup.exe", "ItemButtonCaption": "Install now"}
    values = {n: prop("#f-" + n, "value") for n in want}
    summary = prop("#check-summary")
    expect(values == want and "38 lines, 2 items" in summary, (values, summary))  # the checker saw this menu
    b.click('#preview [data-control="List1"] .entry', 1)
    wait("tavlinEditor.idle()", "the preview")
    texts = {n: prop('#preview [data-control="%s"]' % n, "textContent")
             for n in ("List1", "Command1", "Text1", "Text2", "Text3", "Text4")}
    expect(texts == {"List1": "InstallRead me", "Command1": "Open", "Text1": "docs", "Text2": "readme.txt",
                     "Text3": "Plain text", "Text4": "Notes on the disc."}, texts)
    b.click("#show-about")
    _, form, w, h = preview_rects()  # its controls are placed as the main window's, which side_by_side.py checks
    expect((form, w, h) == ("Form3", 166, 126), "About client %s %sx%s" % (form, w, h))
    unnamed = b.js("""
        return [...document.querySelectorAll('main input, main select, main button, header button')]
          .filter(e => !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.textContent.trim()
                       || e.tabIndex < 0)
          .map(e => e.id || e.outerHTML.slice(0, 60));""")
    expect(not unnamed, "without a name or out of the tab order: %s" % unnamed)
    b.click("#show-main")
    # The form follows the click: the item fields' edits land in item 2's lines.
    edits = [
        ("MenuTitle", lambda: type_into("MenuTitle", "Hello & welcome"), b"Hello & welcome"),
        ("DefaultDescription", lambda: type_into("DefaultDescription", "Caf\u00e9 \u20ac"), b"Caf\xe9 \x80"),
        ("PathCaption", lambda: b.click("#hide-PathCaption"), b"x"),
        ("FilenameCaption", lambda: b.click("#hide-FilenameCaption"), b"File"),
        ("TitleColorIndex", lambda: b.click("label[for=swatch-3]"), b"3"),
        ("LabelColorFlag", lambda: b.click("#f-LabelColorFlag"), b"no"),
    ] + [("item 2 " + n, (lambda n=n: type_into(n, "v " + n)), b"v " + n.encode()) for n in (
        "ItemName", "ItemPath", "ItemFile", "ItemButtonCaption", "ItemInformation", "ItemDescription")]
    for feeds, action, want in edits:
        line = int(b.js("return [...document.querySelectorAll('#line-map tbody tr[data-line]')]"
                        ".find(r => r.cells[1].textContent === arguments[0]).cells[0].textContent", feeds))
        before = saved().split(b"\r\n")
        action()
        after = saved().split(b"\r\n")
        changed = [i + 1 for i in range(max(len(before), len(after))) if before[i:i + 1] != after[i:i + 1]]
        expect(changed == [line] and after[line - 1] == want,
               "%s: lines %s changed, line %d now %r" % (feeds, changed, line, after[line - 1]))
    # The preview follows: folder field hidden, file field shown, title in colour 3, labels no longer in it.
    rects = preview_rects()[0]
    seen = [rects[n][4] for n in ("Label2", "Text1", "Text2")] + [rects[n][5] for n in ("Label6", "Label1")]
    expect(seen == [False, False, True, "rgb(0, 128, 128)", "rgb(224, 224, 224)"], "shown, colours: %s" % seen)
    type_into("ItemFile", "read\u2713.txt")
    b.click("#save")
    message, focused = prop("#message"), b.focused()
    expect("the file of item 2 (line 34)" in message and "\u2713" in message and focused == "f-ItemFile"
           and not os.listdir(DOWNLOADS), "said %r, focused %s, wrote %s" % (message, focused, os.listdir(DOWNLOADS)))
    type_into("ItemFile", "read\u00e9.txt")
    b.click("#save")
    path = os.path.join(DOWNLOADS, "tavlin.ini")
    until(lambda: os.path.isfile(path) and os.path.getsize(path) > 0, "the download")
    data, state, note = read(path), prop("#file-state"), prop("#note")
    expect(data == saved() and data.split(b"\r\n")[33] == b"read\xe9.txt" and "changed" not in state,
           "downloaded %r, the file %r" % (data.split(b"\r\n")[33], state))
    # Where a download went, and where it belongs, said plainly.
    expect("tavlin.ini into this browser's download folder" in note and "root of the disc folder" in note, note)


@case("each bad disc and the example, opened and saved unedited, come back byte for byte; the warnings are "
      "tavlin-check's, line for line; a click on a warning goes to its field; a splash the program refuses is not "
      "previewed")
def _(scratch):
    if not b.folders:
        raise Skip("this engine's driver cannot hand a folder to a folder input")
    # A folder input sees files only: an empty folder gets a file inside, which the checker never looks at.
    corpus = os.path.join(scratch, "corpus")
    subprocess.run([sys.executable, os.path.join(ROOT, "tests", "corpus", "make_corpus.py"), corpus], check=True,
                   stdout=subprocess.DEVNULL)
    for top, dirs, names in os.walk(corpus):
        if not dirs and not names:
            open(os.path.join(top, "inside"), "wb").close()
    discs, differ = sorted(e.path for e in os.scandir(corpus) if e.is_dir()) + [EXAMPLE], []
    for disc in discs:
        open_path(disc, fresh=disc == discs[0])
        # Checked in the code page the editor reads the menu in; the report is ASCII, past its heading.
        page = b.js("return tavlinEditor.codePage()")
        out = subprocess.run([CHECKER, "--code-page", str(page), disc], stdout=subprocess.PIPE, timeout=120).stdout
        want = out.decode("ascii").split("\n", 2)[2]
        got = b.js("return tavlinEditor.report()")
        if got != want:
            differ.append("%s:\n--- editor\n%s--- tavlin-check\n%s" % (disc, got, want))
        menu = os.path.join(disc, "tavlin.ini")
        if os.path.isfile(menu) and saved() != read(menu):
            differ.append("%s: saved unedited, the menu changed" % disc)
        if disc.endswith("item-folder-missing"):
            b.click('#warnings li[data-line="25"] button')
            focused = b.focused()
            expect(focused == "f-ItemPath", "focus on %s" % focused)
        elif disc.endswith("splash-60000x60000"):
            b.click("#show-splash")
            shown = preview_rects()[1:] + [b.js("return document.querySelectorAll('#preview img').length")]
            expect(shown == ["Form6", 200, 100, 0], "splash client and pictures: %s" % shown)
    expect(not differ, "\n".join(differ))


@case("a menu at the program's limit of 1000 items: a warning on its last item goes to the field, the item list and "
      "the line map's row, which are drawn a window at a time; a key there changes only its line; the warnings are "
      "still tavlin-check's")
def _(scratch):
    menu = subprocess.run([CHECKER, "--template", "1000"], stdout=subprocess.PIPE, check=True).stdout.split(b"\r\n")
    b.get(PAGE)
    wait("window.tavlinEditor && tavlinEditor.idle()", "the page")
    line = b.js("return tavlinEditor.lineOf('ItemName', 1000)")
    menu[line - 1] = b"Last\0item"
    disc = write_files(os.path.join(scratch, "disc"), {"tavlin.ini": b"\r\n".join(menu)})
    open_path(disc, fresh=False)
    if b.folders:  # the checker sees the disc as the editor does
        want = subprocess.run([CHECKER, disc], stdout=subprocess.PIPE, timeout=120).stdout.decode("ascii").split("\n", 2)[2]
        got = b.js("return tavlinEditor.report()")
        expect(got == want, "the editor's report and tavlin-check's differ:\n%s" % "\n".join(
            "%r | %r" % pair for pair in zip(got.split("\n"), want.split("\n")) if pair[0] != pair[1])[:2000])
    b.click('#warnings li[data-line="%d"] button' % line)
    drawn = b.js("""return [document.activeElement.id, !!document.querySelector('#item-entry-1000.selected'),
                            !!document.querySelector('#line-map tr.current[data-line="' + arguments[0] + '"]'),
                            document.querySelectorAll('#line-map tr[data-line]').length,
                            document.querySelectorAll('#item-list .item-entry').length]""", line)
    expect(drawn[:3] == ["f-ItemName", True, True] and max(drawn[3:]) < 200, "focus, entry, row, rows drawn: %s" % drawn)
    before = saved().split(b"\r\n")
    b.keys("#f-ItemName", "!")
    after = saved().split(b"\r\n")
    changed = [i + 1 for i in range(len(after)) if before[i:i + 1] != after[i:i + 1]]
    expect(changed == [line] and after[line - 1] == b"Last\0item!", "lines %s changed, now %r" % (changed, after[line - 1]))
    b.keys("#f-ItemName", ("Control", "z"))  # unchanged again: leaving does not ask


@case("adding, duplicating, moving and removing items renumbers the blocks, undo takes it all back; "
      "leaving with unsaved changes asks first, and only then; a value typed past the end of a short file pads it, "
      "and the form shows the lines it made")
def _(scratch):
    open_path(os.path.join(EXAMPLE, "tavlin.ini"))
    original = saved()
    b.click("#add-item")
    type_into("ItemName", "Third")
    b.click("#item-up")            # 1 Install, 2 Third, 3 Read me
    b.click("#duplicate-item")     # ... 3 Third (copy), 4 Read me
    type_into("ItemName", "Fourth")
    b.keys("#item-list", ("Home",))
    b.click("#remove-item")        # 1 Third, 2 Fourth, 3 Read me
    data = saved().split(b"\r\n")
    names = [data[8 * k + 15].decode() for k in range(1, 4)]
    # The preview's worker keeps its own copy of the menu, changed by the same calls.
    entries = "return [...document.querySelectorAll('#preview .entry')].map(e => e.textContent)"
    shown = b.js(entries)
    expect(data[1] == b"3" and names == ["Third", "Fourth", "Read me"] == shown,
           "count %r, names %s, previewed %s" % (data[1], names, shown))
    b.keys("#item-list", *[("Control", "z")] * 8)
    expect(saved() == original and not b.js(ASKS), "undo did not give back the file, or leaving asks")
    expect(b.js(entries) == ["Install", "Read me"], "previewed after undo: %s" % b.js(entries))
    b.keys("#item-list", ("Control", "y"))
    count, state, asks = saved().split(b"\r\n")[1], prop("#file-state"), b.js(ASKS)
    expect(count == b"3" and "changed" in state and asks, "redone: count %r, file %r, asks %s" % (count, state, asks))
    # A title typed into a two-line file pads it to line 11, making line 5, which the colour's note then holds.
    b.keys("#item-list", ("Control", "z"))  # as opened again, so that opening another file does not ask
    open_path(os.path.join(write_files(os.path.join(scratch, "short"), {"tavlin.ini": b"Tavlin menu\r\n0"}),
                           "tavlin.ini"), fresh=False)
    note = prop("#colour-note")
    type_into("MenuTitle", "Short")
    lines, now = saved().split(b"\r\n"), prop("#colour-note")
    expect("Line 5 is not in the file" in note and "line 5 holds" in now and lines[10] == b"Short",
           "note before %r, after %r; line 11 %r" % (note, now, lines[10:11]))


def run_suite(suite):
    """Runs the cases in the engine --engine names (Chromium without it); an error the page reports during a case
    fails it."""
    global b, SHOT
    engine, junit = sys.argv[2:4] if sys.argv[1] == "--engine" else ("chromium", sys.argv[1])
    CASES[:] = [(name, guarded(fn)) for name, fn in CASES]
    SHOT = os.path.join(os.path.dirname(os.path.abspath(junit)), "editor-%s.png" % engine)
    b = ENGINES[engine](DOWNLOADS)
    try:
        main("%s (%s)" % (suite, engine), junit)
    finally:
        b.quit()
        shutil.rmtree(DOWNLOADS, True)


def guarded(fn):
    def run(scratch):
        failure = None
        try:
            fn(scratch)
        except Exception as e:
            failure = e
        seen = b.errors()
        expect(not seen, "the page reported errors:\n" + "\n".join(seen) + ("\n%s" % failure if failure else ""))
        if failure:
            raise failure
    return run


if __name__ == "__main__":
    run_suite("menu editor")
