"""Shared by the Python suites: cases run in order, each in a scratch folder,
their results printed and written as JUnit XML; commands and files."""
import os
import pathlib
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXAMPLE = os.path.join(ROOT, "build", "win32", "disc")
CASES = []


class Skip(Exception):
    """Raised by a case that cannot run here, with the reason: reported as skipped, neither passed nor failed."""


def check(cond, seen):
    if not cond:
        raise AssertionError(seen)


def case(name):
    return lambda fn: CASES.append((name, fn))


def main(suite, junit=None):
    """Runs the cases, writes their results to JUNIT (or the first argument), exits non-zero on any failure."""
    xml = ET.Element("testsuite", name=suite, tests=str(len(CASES)))
    for name, fn in CASES:
        with tempfile.TemporaryDirectory(prefix="tavlin-test-") as scratch:
            status, error = "PASS", None
            try:
                fn(scratch)
            except Skip as e:
                status, error = "SKIP", str(e)
            except Exception as e:  # a broken run fails its case, not the suite
                status, error = "FAIL", str(e) if type(e) is AssertionError else "%s: %s" % (type(e).__name__, e)
        print("%s  %s" % (status, name) + ("" if error is None else "\n      " + error.replace("\n", "\n      ")))
        tc = ET.SubElement(xml, "testcase", classname=suite, name=name)
        if error is not None:
            ET.SubElement(tc, "skipped" if status == "SKIP" else "failure",
                          message=error.splitlines()[0] if error else "failed").text = error
    junit = junit or sys.argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(junit)), exist_ok=True)
    ET.ElementTree(xml).write(junit, encoding="utf-8", xml_declaration=True)
    sys.exit(1 if xml.find("testcase/failure") is not None else 0)


def run(args, cwd=ROOT, timeout=240):
    p = subprocess.run(args, cwd=cwd, stdin=subprocess.DEVNULL, capture_output=True, timeout=timeout)
    return p.returncode, p.stdout.decode("latin-1"), p.stderr.decode("latin-1")


def read(path):
    return pathlib.Path(path).read_bytes()


def write_files(folder, files):
    """FOLDER with FILES (relative path: bytes) in it."""
    for rel, content in files.items():
        os.makedirs(os.path.dirname(os.path.join(folder, rel)), exist_ok=True)
        pathlib.Path(folder, rel).write_bytes(content)
    return folder
