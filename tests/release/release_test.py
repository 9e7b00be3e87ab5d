#!/usr/bin/python3
"""tests/release/release_test.py JUNIT.xml: the download an author gets.
scripts/release's zip holds exactly the release files; its tavlin.exe is the
exe the tests ran; unpacked, its example disc opens its menu under 32-bit
Wine, its checker finds the example clean and its editor page opens in
headless Chromium; the same sources elsewhere give the same zip bytes. Runs
inside scripts/test's Wine set-up (prefix and display)."""
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time
import xml.sax.saxutils as su
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ZIP = os.path.join(ROOT, "build", "release", "tavlin-3.0.zip")
FILES = {"tavlin.exe", "tavlin-check.exe", "tavlin-editor.html", "GUIDE.txt", "LICENSE", "SHA256SUMS",
         "example/tavlin.exe", "example/tavlin.ini", "example/autorun.inf", "example/setup/setup.exe",
         "example/docs/readme.txt"}
results = []


def case(name):
    def wrap(fn):
        try:
            fn()
            results.append((name, None))
        except Exception as e:  # a failed expectation or a broken run: both fail the case
            results.append((name, "%s: %s" % (type(e).__name__, e)))
        print("%s  %s%s" % ("PASS" if results[-1][1] is None else "FAIL", name,
                            "" if results[-1][1] is None else "\n      " + results[-1][1]))
    return wrap


def expect(cond, what):
    if not cond:
        raise AssertionError(what)


def run(args, cwd=ROOT, timeout=900):
    p = subprocess.run(args, cwd=cwd, capture_output=True, timeout=timeout)
    return p.returncode, p.stdout.decode(errors="replace"), p.stderr.decode(errors="replace")


def winepath(path):
    return run(["winepath", "-w", path])[1].strip()


# The first Wine program starts Wine's own services, which would hold a
# captured output open for as long as they run.
subprocess.run(["wine", "cmd", "/c", "exit"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
               stderr=subprocess.DEVNULL, timeout=120)
code, out, err = run([os.path.join(ROOT, "scripts", "release")])
if code != 0:
    sys.exit("scripts/release failed:\n%s%s" % (out, err))
work = tempfile.mkdtemp(prefix="tavlin-release-")
with zipfile.ZipFile(ZIP) as z:
    z.extractall(work)
    names = {n[len("tavlin-3.0/"):] for n in z.namelist() if not n.endswith("/")}
top = os.path.join(work, "tavlin-3.0")


def unpacked(rel):
    with open(os.path.join(top, rel), "rb") as f:
        return f.read()


@case("the zip holds the release files, each with its checksum")
def _():
    expect(names == FILES, "extra %s, missing %s" % (sorted(names - FILES), sorted(FILES - names)))
    sums = dict(reversed(line.split("  ", 1)) for line in unpacked("SHA256SUMS").decode().splitlines())
    expect(set(sums) == FILES - {"SHA256SUMS"}, "SHA256SUMS lists %s" % sorted(sums))
    bad = [p for p, h in sums.items() if hashlib.sha256(unpacked(p)).hexdigest() != h]
    expect(not bad, "wrong checksums: %s" % bad)


@case("its tavlin.exe, at the top and on the example disc, is the exe the tests ran")
def _():
    with open(os.path.join(ROOT, "build", "win32", "tavlin.exe"), "rb") as f:
        tested = f.read()
    expect(unpacked("tavlin.exe") == tested and unpacked("example/tavlin.exe") == tested, "the bytes differ")
    expect(unpacked("GUIDE.txt").count(b"\r\n") > 100 and b"\n" not in unpacked("GUIDE.txt").replace(b"\r\n", b""),
           "the guide is not CR LF text for Notepad")


@case("unpacked, the example disc opens its menu with the zip's exe under 32-bit Wine")
def _():
    checker = os.path.join(ROOT, "build", "win64", "disc_check.exe")
    code, out, err = run(["wine", checker, winepath(os.path.join(top, "example", "tavlin.exe")),
                          winepath(os.path.join(top, "example"))], timeout=120)
    expect(code == 0 and out.startswith("PASS"), "exit %d: %s%s" % (code, out, err))


@case("the zip's tavlin-check.exe finds the example disc clean")
def _():
    code, out, err = run(["wine", os.path.join(top, "tavlin-check.exe")], cwd=os.path.join(top, "example"), timeout=120)
    expect(code == 0 and out.rstrip().endswith("the disc: clean"), "exit %d:\n%s%s" % (code, out, err))


@case("the zip's editor page opens in headless Chromium")
def _():
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    o = Options()
    o.binary_location = "/usr/bin/chromium"
    for a in ("--headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update "
              "--disable-sync --no-first-run").split():
        o.add_argument(a)
    o.add_argument("--user-data-dir=" + os.path.join(work, "profile"))
    d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
    try:
        d.get("file://" + os.path.join(top, "tavlin-editor.html"))
        end = time.time() + 60
        while time.time() < end and not d.execute_script("return !!(window.tavlinEditor && tavlinEditor.idle())"):
            time.sleep(0.1)
        expect(d.execute_script("return !!(window.tavlinEditor && tavlinEditor.idle())"), "the editor did not start")
        expect("tavlin.ini" in d.find_element("css selector", "body").text, "the page shows no menu")
    finally:
        d.quit()


@case("the same sources at another path give the same zip, byte for byte")
def _():
    with open(ZIP, "rb") as f:
        first = f.read()
    code, out, err = run([os.path.join(ROOT, "scripts", "release")])
    with open(ZIP, "rb") as f:
        expect(code == 0 and f.read() == first, "a second run here gave other bytes: %s%s" % (out, err))
    other = os.path.join(work, "elsewhere")
    files = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                           capture_output=True, check=True).stdout.split(b"\0")
    for rel in filter(None, (f.decode() for f in files)):
        if os.path.isfile(os.path.join(ROOT, rel)):
            os.makedirs(os.path.dirname(os.path.join(other, rel)), exist_ok=True)
            shutil.copy2(os.path.join(ROOT, rel), os.path.join(other, rel))
    code, out, err = run([os.path.join(other, "scripts", "release")], cwd=other, timeout=1800)
    with open(os.path.join(other, "build", "release", "tavlin-3.0.zip"), "rb") as f:
        expect(code == 0 and f.read() == first, "the build at %s gave other bytes: %s%s" % (other, out, err))


shutil.rmtree(work, ignore_errors=True)
with open(sys.argv[1], "w") as f:
    f.write('<?xml version="1.0"?>\n<testsuite name="release" tests="%d" failures="%d">\n'
            % (len(results), sum(1 for _, e in results if e)))
    for name, error in results:
        f.write('  <testcase classname="release" name=%s>' % su.quoteattr(name))
        if error:
            f.write("<failure message=%s/>" % su.quoteattr(error))
        f.write("</testcase>\n")
    f.write("</testsuite>\n")
sys.exit(1 if any(e for _, e in results) else 0)
