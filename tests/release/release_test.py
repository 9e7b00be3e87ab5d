#!/usr/bin/python3
"""release_test.py JUNIT.xml: scripts/release's zip, the download an author
gets, holds exactly the release files, its programs, editor page and example
disc the very ones the other suites ran (the Windows tests open that menu with
that exe under Wine); reproducible.sh builds it again elsewhere."""
import os
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import ROOT, case, check, main, read, run  # noqa: E402

TESTED = {"tavlin.exe": "win32/tavlin.exe", "example/tavlin.exe": "win32/tavlin.exe",
          "tavlin-check.exe": "win32/tavlin-check.exe", "tavlin-editor.html": "web/tavlin-editor.html",
          **{"example/" + p: "win64/disc/" + p for p in ("tavlin.ini", "autorun.inf", "docs/readme.txt")}}
FILES = set(TESTED) | {"GUIDE.txt", "LICENSE", "SHA256SUMS", "example/setup/setup.exe"}


@case("the zip holds the release files, each with its checksum, its programs, editor and example the tested "
      "ones, its guide CR LF text for Notepad")
def _(scratch):
    code, out, err = run([os.path.join(ROOT, "scripts", "release")], timeout=900)
    check(code == 0, "scripts/release failed:\n%s%s" % (out, err))
    with zipfile.ZipFile(os.path.join(ROOT, "build", "release", "tavlin-3.0.zip")) as z:
        z.extractall(scratch)
        names = {n[len("tavlin-3.0/"):] for n in z.namelist() if not n.endswith("/")}
    check(names == FILES, "extra %s, missing %s" % (sorted(names - FILES), sorted(FILES - names)))
    unpacked = {p: read(os.path.join(scratch, "tavlin-3.0", p)) for p in FILES}
    out = run(["sha256sum", "-c", "SHA256SUMS"], cwd=os.path.join(scratch, "tavlin-3.0"))[1]
    check(sorted(out.splitlines()) == sorted(p + ": OK" for p in FILES - {"SHA256SUMS"}), "sha256sum -c says\n" + out)
    bad = [p for p, built in TESTED.items() if unpacked[p] != read(os.path.join(ROOT, "build", built))]
    check(not bad, "not the tested bytes: %s" % bad)
    guide = unpacked["GUIDE.txt"]
    check(guide.count(b"\r\n") > 100 and b"\n" not in guide.replace(b"\r\n", b""), "the guide is not CR LF text")


main("release")
