#!/usr/bin/env python3
"""check_exe.py EXE --arch i686|x86_64 --junit FILE: static checks of a built
tavlin.exe and the tavlin-check.exe beside it, as binutils read them."""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import case, check, main  # noqa: E402

# winmm.dll is left out: the program loads it from the system folder itself.
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
                "msvcrt.dll", "advapi32.dll", "comctl32.dll"}
MANIFEST = ('level="asInvoker"', "Microsoft.Windows.Common-Controls", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")  # Windows 7, 8, 8.1, 10 and 11
# The version record as windres writes it out: the copyright sign is octal 251 in Windows-1252.
VERSION = ["FILEVERSION 3, 0, 0, 0", 'BLOCK "040904B0"'] + ['VALUE "%s", %s' % kv for kv in {
    "CompanyName": '"Tavlin Open Source Project"', "FileDescription": '"Tavlin disc menu"', "FileVersion": '"3.00"',
    "InternalName": '"tavlin"', "LegalCopyright": 'L"\\251 2026 the Tavlin team"', "OriginalFilename": '"tavlin.exe"',
    "ProductName": '"Tavlin"', "ProductVersion": '"3.00"'}.items()]


def binutils(tool, *args):
    return subprocess.run(["x86_64-w64-mingw32-" + tool, *args], capture_output=True, check=True, text=True,
                          errors="replace").stdout


path, arch, junit = sys.argv[1], sys.argv[sys.argv.index("--arch") + 1], sys.argv[sys.argv.index("--junit") + 1]
x64, max_size = arch == "x86_64", 160 * 1024
head, checker = (binutils("objdump", "-p", "-h", p) for p in (path, os.path.dirname(path) + "/tavlin-check.exe"))
imports, checker_imports = ({d.lower() for d in re.findall(r"DLL Name: (\S+)", h)} for h in (head, checker))
# The resources as a script: the manifest's quotes come doubled.
rc = binutils("windres", "-i", path, "-O", "rc").replace('""', '"')
field = lambda text, name: re.search(name + r"\s+(.*)", text)[1]  # noqa: E731
kind = lambda t: " ".join((field(t, "file format"), field(t, "Magic")[:4], field(t, "Subsystem")))  # noqa: E731
dllchars, relocations = int(field(head, "DllCharacteristics"), 16), int(re.search(r"Entry 5 \w+ (\w+)", head)[1], 16)
flags = {"dynamic base": 0x40, "NX": 0x100, **({"high-entropy ASLR": 0x20} if x64 else {})}
wrong = ["no " + f for f, bit in flags.items() if not dllchars & bit] + ["no relocations"] * (not relocations)
wrong += ["writable code in " + name for name, sflags in re.findall(r"^ +\d+ (\S+) .*\n +(.*)", head, re.M)
          if "CODE" in sflags and "READONLY" not in sflags]
unmet = ["no " + m for m in MANIFEST if m not in rc] + ["dpiAware"] * ("dpiAware" in rc)
version = [v for v in VERSION if v not in rc]
pe = ("pei-x86-64 020b" if x64 else "pei-i386 010b") + " 0000000%d\t(Windows %s)"
for name, ok, seen in [
    ("a %s GUI program" % ("PE32+ x86-64" if x64 else "PE32 i686"), kind(head) == pe % (2, "GUI"), kind(head)),
    ("imports only Windows' own DLLs", imports <= WINDOWS_DLLS, ", ".join(sorted(imports))),
    ("tavlin-check.exe beside it: a console program of the same kind needing only kernel32 and msvcrt",
     kind(checker) == pe % (3, "CUI") and checker_imports <= {"kernel32.dll", "msvcrt.dll"},
     "%s, imports %s" % (kind(checker), ", ".join(sorted(checker_imports)))),
    ("hardened: " + ", ".join(flags) + ", relocations, no writable code", not wrong,
     "%s (DllCharacteristics 0x%x)" % (", ".join(wrong), dllchars)),
    ("size at most %d bytes" % max_size, os.path.getsize(path) <= max_size, "%d bytes" % os.path.getsize(path)),
    ("manifest: asInvoker, common controls 6, Windows 7 to 11, not DPI-aware", not unmet, ", ".join(unmet)),
    ("version record 3.0.0.0 with its strings", not version, "no " + ", ".join(version)),
]:
    case(name)(lambda scratch, ok=ok, seen=seen: check(ok, seen or "failed"))
main("release checks " + arch, junit)
