#!/usr/bin/env python3
"""The menu checker as authors run it: the Linux program on real folders,
its exit statuses and command line, the template round trip, and the Windows
console program under Wine (when --wine is given and Wine is set up), which
must say exactly what the Linux one says. Also the static facts of both
Windows builds of the checker.

  check_cli_test.py JUNIT.xml [--wine]
"""
import atexit
import os
import shutil
import subprocess
import sys
import tempfile
import xml.sax.saxutils as su

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "release"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_exe import Pe  # noqa: E402
from scripts_test import make_disc  # noqa: E402

NATIVE = os.path.join(ROOT, "build", "native", "tavlin-check")
WIN64 = os.path.join(ROOT, "build", "win64", "tavlin-check.exe")
WIN32 = os.path.join(ROOT, "build", "win32", "tavlin-check.exe")
EXAMPLE = os.path.join(ROOT, "build", "win32", "disc")

results = []


def case(name):
    def wrap(fn):
        try:
            fn()
            results.append((name, None))
        except Exception as e:  # a failed expectation or a broken run: both fail the case
            results.append((name, "%s: %s" % (type(e).__name__, e)))
        print("%s  %s" % ("PASS" if results[-1][1] is None else "FAIL", name))
        if results[-1][1]:
            print("      " + results[-1][1].replace("\n", "\n      "))
        return fn
    return wrap


def run(args, cwd=None, timeout=60):
    p = subprocess.run(args, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)
    return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")


def expect(cond, what):
    if not cond:
        raise AssertionError(what)


SCRATCH = tempfile.mkdtemp(prefix="tavlin-check-")
atexit.register(shutil.rmtree, SCRATCH, True)


def disc(files):
    """A folder with the given files (relative path -> bytes)."""
    return make_disc(tempfile.mkdtemp(dir=SCRATCH), "disc", files)


def example_menu(folder=b"setup"):
    with open(os.path.join(ROOT, "examples", "disc", "tavlin.ini"), "rb") as f:
        return f.read().replace(b"\r\nsetup\r\n", b"\r\n" + folder + b"\r\n", 1)


@case("the example disc is clean")
def _():
    code, out, _ = run([NATIVE, EXAMPLE])
    expect(code == 0, "exit %d\n%s" % (code, out))
    expect("tavlin.ini: 38 lines, 2 items; the disc: clean" in out, out)
    expect("    26  item 1 ItemFile               \"setup.exe\"" in out, out)


@case("warnings give exit 1 and name the line")
def _():
    d = disc({"tavlin.ini": example_menu(b"Setup"), "setup/setup.exe": b"MZ", "docs/readme.txt": b"notes"})
    code, out, _ = run([NATIVE, d])
    expect(code == 1, "exit %d\n%s" % (code, out))
    expect('tavlin.ini:25: warning: item 1 ItemPath "Setup" is on the disc only as "setup" (other letter case)' in out, out)
    expect(out.rstrip().endswith("tavlin.ini: 38 lines, 2 items; the disc: 1 warning"), out)


@case("accented names written in Windows-1252 find the UTF-8 names of a Linux folder")
def _():
    menu = example_menu(b"Caf\xe9 \x80").replace(b"\r\nsetup.exe\r\n", b"\r\nl\xe9\x61me.txt\r\n", 1)
    d = disc({"tavlin.ini": menu, "Caf\u00e9 \u20ac/l\u00e9ame.txt": b"hola",
              "docs/readme.txt": b"notes"})
    code, out, _ = run([NATIVE, d])
    expect(code == 0, "exit %d\n%s" % (code, out))
    # The same menu in UTF-8 names a folder Windows will not find.
    d = disc({"tavlin.ini": example_menu("Caf\u00e9".encode("utf-8")), "Caf\u00e9/setup.exe": b"MZ",
              "docs/readme.txt": b"notes"})
    code, out, _ = run([NATIVE, "--", d])
    expect(code == 1 and "is UTF-8 text" in out and "is not on the disc" in out, "exit %d\n%s" % (code, out))


@case("a missing menu or a wrong command line gives exit 2")
def _():
    d = disc({"readme.txt": b"x"})
    code, out, _ = run([NATIVE], cwd=d)  # the current folder by default
    expect(code == 2 and "tavlin.ini: error: not found" in out, "exit %d\n%s" % (code, out))
    expect("Checking the disc in .\n" in out, out)
    code, _, err = run([NATIVE, os.path.join(d, "readme.txt")])
    expect(code == 2 and "does not exist or is not a folder" in err, "not a folder: exit %d %s" % (code, err))
    for args in (["--template"], ["--template", "1001"], ["--template", "-1"], ["--template", "2x"], ["a", "b"],
                 ["--bogus"]):
        code, out, err = run([NATIVE] + args)
        expect(code == 2 and "usage:" in err and out == "", "%s: exit %d" % (args, code))


@case("the template, saved as tavlin.ini, checks clean")
def _():
    code, text, _ = run([NATIVE, "--template", "3"])
    expect(code == 0, "template exit %d" % code)
    lines = text.split("\r\n")
    expect(lines[-1] == "" and len(lines) == 22 + 8 * 3 + 1 and "\n" not in text.replace("\r\n", ""),
           "not 46 CR LF lines")
    d = disc({"tavlin.ini": text.encode("latin-1")})
    code, out, _ = run([NATIVE, d])
    expect(code == 0 and out.rstrip().endswith("46 lines, 3 items; the disc: clean"), "exit %d\n%s" % (code, out))


@case("both Windows builds are console programs that need only Windows' own DLLs")
def _():
    for path, machine in ((WIN64, 0x8664), (WIN32, 0x14C)):
        pe = Pe(open(path, "rb").read())
        expect(pe.machine == machine, "%s: machine 0x%x" % (path, pe.machine))
        expect(pe.subsystem == 3, "%s: subsystem %d" % (path, pe.subsystem))
        expect(set(pe.imports()) <= {"kernel32.dll", "msvcrt.dll"}, "%s: %s" % (path, pe.imports()))


if "--wine" in sys.argv:
    # The first Wine program starts Wine's own services, which would hold a
    # captured output open for as long as they run.
    subprocess.run(["wine", WIN64, "--help"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=120)

    for label, exe in (("i686", WIN32), ("x86-64", WIN64)):
        @case("under Wine the %s Windows checker says what the Linux one says" % label)
        def _(exe=exe):
            menu = example_menu(b"Setup").replace(b"\r\ndocs\r\n", b"\r\nCaf\xe9\r\n", 1)
            d = disc({"tavlin.ini": menu + b"note\n", "setup/setup.exe": b"MZ", "Caf\u00e9/readme.txt": b"notes",
                      "menupic.jpg": b"not a picture"})
            for where in (EXAMPLE, d):
                code_l, out_l, _ = run([NATIVE], cwd=where)
                code_w, out_w, err_w = run(["wine", exe], cwd=where, timeout=120)
                if not out_w.startswith("Checking the disc in"):
                    # Wine itself, not the program, failed to start once in a long run; a report
                    # that differs is never retried.
                    code_w, out_w, err_w = run(["wine", exe], cwd=where, timeout=120)
                out_w = out_w.replace("\r\n", "\n")
                expect(code_w == code_l and out_w == out_l, "%s: exit %d under Wine, %d on Linux\n--- Wine\n%s%s\n--- Linux\n%s" % (
                    where, code_w, code_l, out_w, err_w, out_l))

        @case("under Wine the %s Windows checker writes the template byte for byte" % label)
        def _(exe=exe):
            _, native, _ = run([NATIVE, "--template", "2"])
            code, wine, _ = run(["wine", exe, "--template", "2"], timeout=120)
            expect(code == 0 and wine == native, "exit %d, %d bytes against %d" % (code, len(wine), len(native)))


with open(sys.argv[1], "w") as f:
    f.write('<?xml version="1.0"?>\n<testsuite name="menu checker" tests="%d" failures="%d">\n' % (
        len(results), sum(1 for _, e in results if e)))
    for name, error in results:
        f.write('  <testcase classname="menu checker" name=%s>' % su.quoteattr(name))
        if error:
            f.write('<failure message=%s/>' % su.quoteattr(error))
        f.write("</testcase>\n")
    f.write("</testsuite>\n")
sys.exit(1 if any(e for _, e in results) else 0)
