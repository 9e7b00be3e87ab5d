#!/usr/bin/python3
"""editor_test.py JUNIT.xml (build/web and build/native built first): the menu
editor in headless Chromium, as an author uses it, on the example disc and the
bad-disc corpus (side_by_side.py holds the preview against the real window)."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile

from selenium.webdriver import Chrome, ChromeOptions, Keys
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.wait import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import ROOT, case, check as expect, main, read  # noqa: E402

PAGE = "file://" + os.path.join(ROOT, "build", "web", "tavlin-editor.html")
CHECKER = os.path.join(ROOT, "build", "native", "tavlin-check")
EXAMPLE = os.path.join(ROOT, "examples", "disc")
DOWNLOADS = tempfile.mkdtemp(prefix="editor-downloads-", dir=os.path.join(ROOT, "build"))
d = None  # the browser
# Whether the page asks the browser to confirm leaving (headless Chromium shows no dialog).
ASKS = """const e = new Event('beforeunload', {cancelable: true}); dispatchEvent(e); return e.defaultPrevented;"""


def wait(js, what, *args, timeout=60):
    return WebDriverWait(d, timeout, 0.05).until(lambda _: d.execute_script("return " + js, *args),
                                                 "timed out waiting for " + what)


def open_path(input_id, path, fresh=True):
    """PATH opened with the input INPUT_ID, FRESH: on the page as it opens (the case that leaves it changed comes
    last, since leaving would ask)."""
    if fresh:
        d.get(PAGE)
        wait("window.tavlinEditor && tavlinEditor.idle()", "the page")
    before = d.execute_script("return tavlinEditor.opened()")
    d.find_element(By.ID, input_id).send_keys(path)
    wait("tavlinEditor.opened() > arguments[0] && tavlinEditor.idle()", "%s to open" % path, before, timeout=120)


def saved():
    out = wait("tavlinEditor.idle() && tavlinEditor.bytesToSave()", "the checker")
    expect("bytes" in out, "save refused: %s" % out.get("refused"))
    return base64.b64decode(out["bytes"])


def type_into(name, text):
    d.find_element(By.ID, "f-" + name).send_keys(Keys.CONTROL, "a", Keys.NULL, text)
    wait("tavlinEditor.idle()", "the checker")


def preview_rects():
    """{control: [left, top, width, height, shown, colour]} in the preview's client area, its form and size."""
    return d.execute_script("""
        const client = document.querySelector('#preview .client'), c = client.getBoundingClientRect(), out = {};
        for (const e of client.querySelectorAll('[data-control]')) {
          const r = e.getBoundingClientRect(), style = getComputedStyle(e);
          out[e.dataset.control] = [r.left - c.left, r.top - c.top, r.width, r.height,
                                    style.visibility !== 'hidden', style.color];
        }
        return [out, client.dataset.form, c.width, c.height];""")


@case("the example disc opens with each value in its field and in the preview; a click in its list fills the button "
      "and the fields as the program does; the About preview at its size; every control named for screen readers "
      "and reached by Tab; each edit changes the saved bytes on the line the line map names; a character "
      "Windows-1252 lacks is refused on save, naming its field; Save writes the bytes")
def _(scratch):
    open_path("disc-input", EXAMPLE)
    want = {"MenuTitle": "Welcome to the disc", "ApplicationCaption": "Application", "PathCaption": "Folder",
            "InformationCaption": "Information", "DefaultDescription": "Choose an item from the list.",
            "ItemName": "Install", "ItemPath": "setup", "ItemFile": "setup.exe", "ItemButtonCaption": "Install now"}
    values = {n: d.find_element(By.ID, "f-" + n).get_attribute("value") for n in want}
    expect(values == want, values)
    d.find_elements(By.CSS_SELECTOR, '#preview [data-control="List1"] .entry')[1].click()
    texts = {n: d.find_element(By.CSS_SELECTOR, '#preview [data-control="%s"]' % n).get_attribute("textContent")
             for n in ("List1", "Command1", "Text1", "Text2", "Text3", "Text4")}
    expect(texts == {"List1": "InstallRead me", "Command1": "Open", "Text1": "docs", "Text2": "readme.txt",
                     "Text3": "Plain text", "Text4": "Notes on the disc."}, texts)
    d.find_element(By.ID, "show-about").click()
    _, form, w, h = preview_rects()  # its controls are placed as the main window's, which side_by_side.py checks
    expect((form, w, h) == ("Form3", 166, 126), "About client %s %sx%s" % (form, w, h))
    unnamed = d.execute_script("""
        return [...document.querySelectorAll('main input, main select, main button, header button')]
          .filter(e => !(e.labels && e.labels.length) && !e.getAttribute('aria-label') && !e.textContent.trim()
                       || e.tabIndex < 0)
          .map(e => e.id || e.outerHTML.slice(0, 60));""")
    expect(not unnamed, "without a name or out of the tab order: %s" % unnamed)
    d.find_element(By.ID, "show-main").click()
    # The form follows the click: the item fields' edits land in item 2's lines.
    edits = [
        ("MenuTitle", lambda: type_into("MenuTitle", "Hello & welcome"), b"Hello & welcome"),
        ("DefaultDescription", lambda: type_into("DefaultDescription", "Caf\u00e9 \u20ac"), b"Caf\xe9 \x80"),
        ("PathCaption", lambda: d.find_element(By.ID, "hide-PathCaption").click(), b"x"),
        ("FilenameCaption", lambda: d.find_element(By.ID, "hide-FilenameCaption").click(), b"File"),
        ("TitleColorIndex", lambda: d.find_element(By.CSS_SELECTOR, "label[for=swatch-3]").click(), b"3"),
        ("LabelColorFlag", lambda: d.find_element(By.ID, "f-LabelColorFlag").click(), b"no"),
    ] + [("item 2 " + n, (lambda n=n: type_into(n, "v " + n)), b"v " + n.encode()) for n in (
        "ItemName", "ItemPath", "ItemFile", "ItemButtonCaption", "ItemInformation", "ItemDescription")]
    for feeds, action, want in edits:
        line = int(d.execute_script("return [...document.querySelectorAll('#line-map tbody tr')]"
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
    d.find_element(By.ID, "save").click()
    message, focused = d.find_element(By.ID, "message").text, d.switch_to.active_element.get_attribute("id")
    expect("the file of item 2 (line 34)" in message and "\u2713" in message and focused == "f-ItemFile"
           and not os.listdir(DOWNLOADS), "said %r, focused %s, wrote %s" % (message, focused, os.listdir(DOWNLOADS)))
    type_into("ItemFile", "read\u00e9.txt")
    d.find_element(By.ID, "save").click()
    path = os.path.join(DOWNLOADS, "tavlin.ini")
    WebDriverWait(d, 60).until(lambda _: os.path.isfile(path) and os.path.getsize(path) > 0, "no download")
    data, state = read(path), d.find_element(By.ID, "file-state").text
    expect(data == saved() and data.split(b"\r\n")[33] == b"read\xe9.txt" and "changed" not in state,
           "downloaded %r, the file %r" % (data.split(b"\r\n")[33], state))


@case("each bad disc and the example, opened and saved unedited, come back byte for byte; the warnings are "
      "tavlin-check's, line for line; a click on a warning goes to its field; a splash the program refuses is not "
      "previewed")
def _(scratch):
    # A folder input sees files only: an empty folder gets a file inside, which the checker never looks at.
    corpus = os.path.join(scratch, "corpus")
    subprocess.run([sys.executable, os.path.join(ROOT, "tests", "corpus", "make_corpus.py"), corpus], check=True,
                   stdout=subprocess.DEVNULL)
    for top, dirs, names in os.walk(corpus):
        if not dirs and not names:
            open(os.path.join(top, "inside"), "wb").close()
    discs, differ = sorted(e.path for e in os.scandir(corpus) if e.is_dir()) + [EXAMPLE], []
    for disc in discs:
        open_path("disc-input", disc, fresh=disc == discs[0])
        # Checked in the code page the editor reads the menu in; the report is ASCII, past its heading.
        page = d.execute_script("return tavlinEditor.codePage()")
        out = subprocess.run([CHECKER, "--code-page", str(page), disc], stdout=subprocess.PIPE, timeout=120).stdout
        want = out.decode("ascii").split("\n", 2)[2]
        got = d.execute_script("return document.querySelector('#check-summary').dataset.report")
        if got != want:
            differ.append("%s:\n--- editor\n%s--- tavlin-check\n%s" % (disc, got, want))
        menu = os.path.join(disc, "tavlin.ini")
        if os.path.isfile(menu) and saved() != read(menu):
            differ.append("%s: saved unedited, the menu changed" % disc)
        if disc.endswith("item-folder-missing"):
            d.find_element(By.CSS_SELECTOR, '#warnings li[data-line="25"] button').click()
            focused = d.switch_to.active_element.get_attribute("id")
            expect(focused == "f-ItemPath", "focus on %s" % focused)
        elif disc.endswith("splash-60000x60000"):
            d.find_element(By.ID, "show-splash").click()
            shown = preview_rects()[1:] + [len(d.find_elements(By.CSS_SELECTOR, "#preview img"))]
            expect(shown == ["Form6", 200, 100, 0], "splash client and pictures: %s" % shown)
    expect(not differ, "\n".join(differ))


@case("adding, duplicating, moving and removing items renumbers the blocks, undo takes it all back; "
      "leaving with unsaved changes asks first, and only then")
def _(scratch):
    open_path("menu-input", os.path.join(EXAMPLE, "tavlin.ini"))
    original = saved()
    d.find_element(By.ID, "add-item").click()
    type_into("ItemName", "Third")
    d.find_element(By.ID, "item-up").click()            # 1 Install, 2 Third, 3 Read me
    d.find_element(By.ID, "duplicate-item").click()     # ... 3 Third (copy), 4 Read me
    type_into("ItemName", "Fourth")
    d.find_element(By.ID, "item-list").send_keys(Keys.HOME)
    d.find_element(By.ID, "remove-item").click()        # 1 Third, 2 Fourth, 3 Read me
    data = saved().split(b"\r\n")
    names = [data[8 * k + 15].decode() for k in range(1, 4)]
    expect(data[1] == b"3" and names == ["Third", "Fourth", "Read me"], "count %r, names %s" % (data[1], names))
    d.find_element(By.ID, "item-list").send_keys(*[Keys.CONTROL, "z", Keys.NULL] * 8)
    expect(saved() == original and not d.execute_script(ASKS), "undo did not give back the file, or leaving asks")
    d.find_element(By.ID, "item-list").send_keys(Keys.CONTROL, "y")
    count, state, asks = saved().split(b"\r\n")[1], d.find_element(By.ID, "file-state").text, d.execute_script(ASKS)
    expect(count == b"3" and "changed" in state and asks, "redone: count %r, file %r, asks %s" % (count, state, asks))


def run_suite(suite):
    """Runs the cases in one headless Chromium (Debian's), in the throwaway profile chromedriver makes, with none of
    the background traffic this closed network refuses."""
    global d
    o = ChromeOptions()
    o.binary_location = "/usr/bin/chromium"
    for a in ("--headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update "
              "--disable-sync --no-first-run --window-size=1400,1000 --force-device-scale-factor=1").split():
        o.add_argument(a)
    o.add_experimental_option("prefs", {"download.default_directory": DOWNLOADS, "download.prompt_for_download": False})
    d = Chrome(service=Service("/usr/bin/chromedriver"), options=o)
    try:
        main(suite)
    finally:
        d.quit()
        shutil.rmtree(DOWNLOADS, True)


if __name__ == "__main__":
    run_suite("menu editor")
