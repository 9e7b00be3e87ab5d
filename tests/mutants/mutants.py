#!/usr/bin/env python3
"""mutants.py [--report FILE] [--only WORD...] [--keep-tree], run through
scripts/mutants: plants realistic faults in src/, one at a time, in a copy of
the tree, and reports which of them the suite catches (the unit tests for the
core, the Windows tests under Wine for the backend). --only plants the faults
whose name holds a WORD or whose suite a WORD names (unit, windows);
--keep-tree reuses the copy the last run left (to measure older tests).
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TREE = os.path.join(ROOT, "build", "mutants", "tree")

# name, file, text as it stands, text with the fault, suite
FAULTS = [
    ("colour rounds half up, not to even", "src/menu/numbers.cpp",
     "(d->rest == Decimal::Rest::Half && (magnitude % 2) == 1)", "d->rest == Decimal::Rest::Half", "unit"),
    ("a negative count is taken as positive", "src/menu/numbers.cpp",
     "return d->negative ? -magnitude : magnitude;", "return magnitude;", "unit"),
    ("an unset title colour fails instead of black", "src/menu/numbers.cpp",
     "if (!titleColorIndex) return ColorOfNumber(0);", "if (!titleColorIndex) return std::nullopt;", "unit"),
    ("MenuTitle read one line late", "src/menu/menu_layout.cpp",
     "{2, 5, 8, 11, 14,", "{2, 5, 8, 12, 14,", "unit"),
    ("an item's folder and file lines swapped", "src/menu/menu_layout.h",
     "MenuField::ItemName,          MenuField::ItemPath,        MenuField::ItemFile,",
     "MenuField::ItemName,          MenuField::ItemFile,        MenuField::ItemPath,", "unit"),
    ("the item loop stops one item short", "src/menu/menu_definition.cpp",
     "k <= passes && k <= kMaxMenuItems", "k < passes && k <= kMaxMenuItems", "unit"),
    ("the hide marker compared without lower-casing", "src/menu/words.h",
     'return LowerCase(setting) == kHideMarker;', 'return setting == kHideMarker;', "unit"),
    ("a lone CR does not end a line", "src/base/line_reader.cpp",
     "return c == '\\r' || c == '\\n';", "return c == '\\n';", "unit"),
    ("a picture side of exactly the limit refused", "src/base/picture_limits.cpp",
     "size->width > kMaxPictureSide", "size->width >= kMaxPictureSide", "unit"),
    ("the default description step skipped", "src/mainwindow/form1.cpp",
     "  SkipOnError(p.SetText(*this, \"Text4\", m.DefaultDescription));", "", "unit"),
    ("the start-up folder not recorded", "src/mainwindow/form1.cpp",
     "if (auto folder = p.ProgramFolder()) m.StartDirectory = *folder;", "(void)p.ProgramFolder();", "unit"),
    ("the sound played without looking for the file", "src/mainwindow/form1.cpp",
     "if (p.FileExists(kSoundFile)) SkipOnError", "SkipOnError", "unit"),
    ("a list click reads the row one off", "src/mainwindow/form1.cpp",
     "list.Get(static_cast<long long>(*index) + 1)", "list.Get(static_cast<long long>(*index))", "unit"),
    ("Text1 shown before the selection is taken", "src/mainwindow/form1.cpp",
     "  if (auto v = row(m.ItemPath)) m.SelectedPath = *v;\n"
     "  SkipOnError(p.SetText(*this, \"Text1\", m.SelectedPath));",
     "  SkipOnError(p.SetText(*this, \"Text1\", m.SelectedPath));\n"
     "  if (auto v = row(m.ItemPath)) m.SelectedPath = *v;", "unit"),
    ("no selection judged by the file, not the folder", "src/mainwindow/form1.cpp",
     "if (m.SelectedPath.empty()) {", "if (m.SelectedFile.empty()) {", "unit"),
    ("the return to the start-up folder dropped", "src/mainwindow/form1.cpp",
     "  SkipOnError(p.ChangeDirectory(m.StartDirectory));\n", "", "unit"),
    ("a close reason other than the close box ignored", "src/mainwindow/form1.cpp",
     "int /*unloadMode*/) {", "int unloadMode) {\n  if (unloadMode != kFormControlMenu) return;", "unit"),
    ("the hand-over unloads the splash before showing the menu", "src/app/form6.cpp",
     "  SkipOnError(platform_.Show(form1_));\n  SkipOnError(platform_.Unload(*this));",
     "  SkipOnError(platform_.Unload(*this));\n  SkipOnError(platform_.Show(form1_));", "unit"),
    ("the checker takes any letter case as the exact name", "src/check/disc_index.cpp",
     "if (e.name == name) return", "if (SameNameIgnoringCase(e.name, name)) return", "unit"),
    ("the checker misses a doubled xx", "src/check/menu_file_check.cpp",
     "t.size() >= 2 && t.find_first_not_of('x')", "t.size() > 2 && t.find_first_not_of('x')", "unit"),
    ("a hidden file counts as present", "src/platform/win32/win32_platform.cpp",
     "FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM",
     "FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM", "windows"),
    ("the shell gets the folder as parameters", "src/platform/win32/win32_platform.cpp",
     "operation, file, parameters, directory, showCommand)", "operation, file, directory, parameters, showCommand)",
     "windows"),
    ("a frame's edge drawn at its very top", "src/platform/win32/label_painting.cpp",
     "    box.top += tm.tmHeight / 2;\n", "", "windows"),
    ("a label keeps its designed size", "src/platform/win32/form_properties.cpp",
     "SetWindowPos(c.hwnd, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);",
     "(void)s;", "windows"),
    ("a click counts wherever the button is released", "src/platform/win32/form_windows.cpp",
     "return PtInRect(&rc, at) != FALSE;", "return (void)at, true;", "windows"),
    # Where the lean suite shows a rule on screen once: each must still be seen.
    ("a control told to hide stays shown", "src/platform/win32/form_properties.cpp",
     "visible ? SW_SHOWNA : SW_HIDE", "visible ? SW_SHOWNA : SW_SHOWNA", "windows"),
    ("a colour set at run time is not painted", "src/platform/win32/form_properties.cpp",
     "c.foreColor = ToColorRef(color);", "(void)color;", "windows"),
    ("a picture scaled into the window instead of cut", "src/platform/win32/picture.cpp",
     "0, hmHeight, partWidth, -partHeight",
     "0, hmHeight, hmWidth + 0 * partWidth, -hmHeight + 0 * partHeight", "windows"),
    ("every window gets a title bar", "src/platform/win32/form_windows.cpp",
     "if (d.titleBar) style |=", "if (true) style |=", "windows"),
    ("the list sorts its entries", "src/platform/win32/form_windows.cpp",
     "LBS_NOTIFY | LBS_HASSTRINGS", "LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS", "windows"),
]


def sh(cmd, log, timeout=1800, env=None):
    with open(log, "a") as f:
        f.write("$ %s\n" % cmd)
        f.flush()
        try:
            return subprocess.run(["bash", "-c", cmd], cwd=TREE, stdout=f, stderr=subprocess.STDOUT, timeout=timeout,
                                  env=env).returncode
        except subprocess.TimeoutExpired:
            f.write("timed out\n")
            return 124


def copy_tree():
    # The working tree as it is, committed or not, without build outputs.
    os.makedirs(TREE, exist_ok=True)
    files = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                           capture_output=True, check=True).stdout.split(b"\0")
    for rel in filter(None, (f.decode() for f in files)):
        src, dst = os.path.join(ROOT, rel), os.path.join(TREE, rel)
        if not os.path.isfile(src):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        if not os.path.exists(dst) or open(src, "rb").read() != open(dst, "rb").read():
            shutil.copy2(src, dst)


def suite(kind, log):
    """0 when the suite passes, else non-zero."""
    if kind == "unit":
        if sh("cmake --build --preset native", log):
            return "build"
        return sh("build/native/unit_tests --gtest_brief=1 --gtest_fail_fast", log, timeout=600)
    if sh("cmake --build --preset win64 --target tavlin windows_tests probe", log):
        return "build"
    # Real windows under Wine on a busy machine: a fault counts as caught
    # only when the suite fails twice in a row.
    run = ('source scripts/lib/wine.sh && wine_setup --own-display && trap wine_stop EXIT && tests/windows/run.sh '
           'build/mutants-windows.xml build/win64/tavlin.exe mutant --gtest_brief=1 --gtest_fail_fast')
    env = dict(os.environ, TAVLIN_XVFB_DISPLAY=os.environ.get("TAVLIN_XVFB_DISPLAY", ":76"))
    return sh(run, log, timeout=900, env=env) and sh(run, log, timeout=900, env=env)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--report", default=os.path.join(ROOT, "build", "mutants", "report.md"))
    ap.add_argument("--keep-tree", action="store_true")
    ap.add_argument("--only", nargs="+", default=[])
    args = ap.parse_args()
    faults = [f for f in FAULTS if not args.only or any(w in f[0] or w == f[4] for w in args.only)]
    log = os.path.join(ROOT, "build", "mutants", "log.txt")
    os.makedirs(os.path.dirname(log), exist_ok=True)
    open(log, "w").close()
    if not args.keep_tree:
        copy_tree()
    kinds = sorted({f[4] for f in faults})
    for preset in ["native"] + (["win64"] if "windows" in kinds else []):
        if sh("cmake --preset %s >/dev/null" % preset, log):
            sys.exit("mutants: cannot configure %s, see %s" % (preset, log))
    for kind in kinds:
        if suite(kind, log) != 0:
            sys.exit("mutants: the %s suite fails without any fault, see %s" % (kind, log))
    rows = []
    for name, rel, before, after, kind in faults:
        path = os.path.join(TREE, rel)
        text = open(path).read()
        start = time.time()
        if text.count(before) != 1:
            verdict = "NOT PLANTED (the code changed)"
        else:
            open(path, "w").write(text.replace(before, after))
            try:
                result = suite(kind, log)
            finally:
                open(path, "w").write(text)
            verdict = "did not build" if result == "build" else "caught" if result else "MISSED"
        rows.append((name, rel, kind, verdict))
        print("%-60s %-8s %s (%.0f s)" % (name, kind, verdict, time.time() - start), flush=True)
    suite("unit", log)  # leave the copy built as it stands
    caught = sum(r[3] == "caught" for r in rows)
    with open(args.report, "w") as f:
        f.write("| fault | in | suite | result |\n|---|---|---|---|\n")
        for r in rows:
            f.write("| %s | %s | %s | %s |\n" % r)
        f.write("\n%d of %d faults caught\n" % (caught, len(rows)))
    print("%d of %d faults caught; %s" % (caught, len(rows), args.report))
    sys.exit(0 if caught == len(rows) else 1)


if __name__ == "__main__":
    main()
