#!/usr/bin/env python3
"""check_cli_test.py JUNIT.xml [--wine]: the menu checker as authors run it on
real folders, its command line and template and, with --wine (Wine set up),
its Windows builds' output, the Linux one's (check_exe.py reads their headers)."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import EXAMPLE, ROOT, Skip, case, check, main, read, run, write_files  # noqa: E402

NATIVE = os.path.join(ROOT, "build", "native", "tavlin-check")
MENU = read(os.path.join(EXAMPLE, "tavlin.ini"))


def cyrillic(second_file):
    """The example in Windows-1251: both items in Cyrillic folders, the second item's file named as given."""
    menu = MENU
    for old, new in (("setup", "Документы"), ("setup.exe", "прочти.txt"), ("docs", "Весна"), ("readme.txt", second_file)):
        menu = menu.replace(b"\r\n%s\r\n" % old.encode(), b"\r\n%s\r\n" % new.encode("cp1251"), 1)
    return menu


# (what it shows, the disc's files, exit status, lines of the report, the last
# its summary, the code page). What each rule says is unit-tested; here the
# real folders, and the disc's other faults for the Windows builds to read.
DISCS = [
    ("Windows-1252 names find a Linux folder's UTF-8 names, a file there only in other letter case is a warning, as "
     "are UTF-8 names, which Windows will not find, mixed line ends and a menupic.jpg that is no picture",
     {"tavlin.ini": MENU.replace(b"\r\nsetup\r\n", b"\r\nCaf\xe9 \x80\r\n", 1)
      .replace(b"\r\nsetup.exe\r\n", b"\r\nL\xe9ame.txt\r\n", 1)
      .replace(b"\r\ndocs\r\n", "\r\nCaf\u00e9\r\n".encode(), 1) + b"note\n",
      "Caf\u00e9 \u20ac/l\u00e9ame.txt": b"hola", "Caf\u00e9/readme.txt": b"notes", "menupic.jpg": b"not a picture"}, 1,
     ['tavlin.ini:26: warning: item 1 ItemFile "L<e9>ame.txt" is in "Caf<e9> <80>" only as "l<e9>ame.txt" (other '
      "letter case), which a case-sensitive disc or stick will not find",
      'tavlin.ini:33: warning: item 2 ItemPath "Caf<c3><a9>" is not on the disc: its button does nothing',
      "tavlin.ini: 39 lines, 2 items; the disc: 5 warnings"], 1252),
    ("the template for 3 items, saved as tavlin.ini with its own line ends, is clean",
     {"tavlin.ini": subprocess.run([NATIVE, "--template", "3"], capture_output=True, check=True).stdout}, 0,
     ["tavlin.ini: 46 lines, 3 items; the disc: clean"], 1252),
    # A Cyrillic menu in Windows-1251 finds the Cyrillic names Linux keeps in UTF-8, in other letter case too.
    ("a Windows-1251 menu of Cyrillic folders and files is clean in 1251",
     {"tavlin.ini": cyrillic("Заметки.txt"),
      "Документы/прочти.txt": b"1", "Весна/Заметки.txt": b"2"}, 0,
     ["tavlin.ini: 38 lines, 2 items; the disc: clean"], 1251),
    ("a Cyrillic disc in 1251: the file in other letter case, the missing file, a name 1251 cannot write",
     {"tavlin.ini": cyrillic("Нет.txt"),
      "Документы/Прочти.txt": b"1", "Весна/Ελληνικά.txt": b"2"}, 1,
     ['tavlin.ini:26: warning: item 1 ItemFile "<ef><f0><ee><f7><f2><e8>.txt" is in "<c4><ee><ea><f3><ec><e5><ed><f2>'
      '<fb>" only as "<cf><f0><ee><f7><f2><e8>.txt" (other letter case), which a case-sensitive disc or stick will '
      "not find",
      'tavlin.ini:34: warning: item 2 ItemFile "<cd><e5><f2>.txt" is not in "<c2><e5><f1><ed><e0>"',
      'tavlin.ini:33: warning: the folder "<c2><e5><f1><ed><e0>" holds "<U+0395><U+03BB><U+03BB><U+03B7><U+03BD>'
      '<U+03B9><U+03BA><U+03AC>.txt", which Windows-1251 cannot write: no line of the menu can name it',
      "tavlin.ini: 38 lines, 2 items; the disc: 3 warnings"], 1251),
]


for i, (name, files, status, lines, page) in enumerate(DISCS):
    @case("%s (exit %d)" % (name, status))
    def _(scratch, i=i, files=files, status=status, lines=lines, page=page):
        code, out, err = run([NATIVE, "--code-page", str(page), write_files(os.path.join(scratch, str(i)), files)])
        missing = [s for s in lines if s not in out.splitlines()]
        check(code == status and not missing and out.rstrip().endswith(lines[-1]),
              "exit %d, lacks %s or the summary last\n%s%s" % (code, missing, out, err))


@case("the command line: the current folder by default, clean for the example, -- before a folder, exit 2 and "
      "usage when wrong")
def _(scratch):
    for args, status, seen in [([], 0, "Checking the disc in .\n\n"), (["--", EXAMPLE], 0, "the disc: clean\n"),
                               (["tavlin.ini"], 2, "does not exist or is not a folder")] + [
            (a.split(), 2, "usage:") for a in ("--template 1001", "--template 2x", "a b", "--bogus", "--code-page 437 .")]:
        code, out, err = run([NATIVE] + args, cwd=EXAMPLE)
        check(code == status and seen in (err if status else out) and (out == "" or not status),
              "%s: exit %d\n%s%s" % (args, code, out, err))


if "--wine" in sys.argv:
    # A first Wine program starts Wine's services, which would hold the captured output of the next one open.
    subprocess.run(["wine", "cmd", "/c", "exit"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.STDOUT, timeout=120)
    for arch, preset in (("i686", "win32"), ("x86-64", "win64")):
        @case("under Wine the %s checker says byte for byte what the Linux one says: every disc above, the template"
              % arch)
        def _(scratch, exe=os.path.join(ROOT, "build", preset, "tavlin-check.exe"), arch=arch):
            if arch == "i686" and os.environ.get("TAVLIN_WINE_I686") == "0":
                raise Skip("this machine's kernel runs no 32-bit programs")
            runs = [(write_files(os.path.join(scratch, str(i)), files), ["--code-page", str(page)])
                    for i, (_, files, _, _, page) in enumerate(DISCS)]
            for where, args in runs + [(scratch, ["--template", "2"])]:
                linux = run([NATIVE, *args], cwd=where)
                wine = run(["wine", exe, *args], cwd=where, timeout=120)
                if not wine[1]:  # Wine itself, not the program, failed to start
                    wine = run(["wine", exe, *args], cwd=where, timeout=120)
                # The report is text, which Windows ends in CR LF; the template keeps its own CR LF on either system.
                said = wine[1] if args[0] == "--template" else wine[1].replace("\r\n", "\n")
                check((wine[0], said) == linux[:2], "%s %s: under Wine exit %d\n%s%s\n--- on Linux exit %d\n%s"
                      % (where, args, wine[0], said, wine[2], *linux[:2]))


main("menu checker")
