#!/usr/bin/env python3
"""Static checks of a built tavlin.exe: what Windows sees before it runs it.

  check_exe.py EXE --arch i686|x86_64 --junit FILE
"""
import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from testlib import Pe, finish, read, report  # noqa: E402

# winmm.dll is left out: the program loads it from the system folder itself.
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll",
                "msvcrt.dll", "advapi32.dll", "comctl32.dll"}
MANIFEST = ('level="asInvoker"', "Microsoft.Windows.Common-Controls", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")  # Windows 7, 8, 8.1, 10 and 11
VERSION = ("3.0.0.0", {"040904B0": {
    "CompanyName": "Tavlin Open Source Project", "FileDescription": "Tavlin disc menu", "FileVersion": "3.00",
    "InternalName": "tavlin", "LegalCopyright": "\u00a9 2026 the Tavlin team", "OriginalFilename": "tavlin.exe",
    "ProductName": "Tavlin", "ProductVersion": "3.00"}})
BUILD_PATHS = (b"/work/", b"/usr/", b"/tmp/", b"/home/", b"/root/", b"C:\\msys", b".cpp", b".obj")


def version_record(blob):
    """(fixed file version, {string table: {key: value}}) of a VS_VERSIONINFO."""
    tables = {}

    def walk(off, end, path):
        while off < end:
            length, vlen, text = struct.unpack_from("<HHH", blob, off)
            key = blob[off + 6:].decode("utf-16-le", "replace").split("\0")[0]
            value = (off + 6 + 2 * len(key) + 5) & ~3
            if len(path) == 3:  # VS_VERSION_INFO, StringFileInfo, a table
                tables.setdefault(path[2], {})[key] = blob[value:value + 2 * vlen].decode("utf-16-le").rstrip("\0")
            elif path[1:] != ("VarFileInfo",):
                walk((value + (2 * vlen if text else vlen) + 3) & ~3, off + length, path + (key,))
            off = (off + length + 3) & ~3

    walk(0, len(blob), ())
    ms, ls = struct.unpack_from("<II", blob, 48)  # in the fixed file info after the root's key
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), tables


def checks(data, x64, max_size=160 * 1024):
    pe = Pe(data)
    imports = pe.imports()
    flags = {"dynamic base": 0x40, "NX": 0x100, **({"high-entropy ASLR": 0x20} if x64 else {})}
    wrong = ["no " + f for f, bit in flags.items() if not pe.dllchars & bit] + ["no relocations"] * (not pe.dirs[5][1])
    wrong += ["writable code in %s" % s[0].rstrip(b"\0").decode() for s in pe.sections if s[-1] >> 29 & 5 == 5]
    manifest = b"".join(pe.resources(24)).decode("utf-8", "replace")
    unmet = ["no " + m for m in MANIFEST if m not in manifest] + ["dpiAware"] * ("dpiAware" in manifest)
    version = [version_record(v) for v in pe.resources(16)]
    paths = [m.decode() for m in BUILD_PATHS if m in data]
    return [
        ("a %s GUI program" % ("PE32+ x86-64" if x64 else "PE32 i686"),
         (pe.machine, pe.magic, pe.subsystem) == ((0x8664, 0x20B, 2) if x64 else (0x14C, 0x10B, 2)),
         "machine 0x%x, magic 0x%x, subsystem %d" % (pe.machine, pe.magic, pe.subsystem)),
        ("imports only Windows' own DLLs", set(imports) <= WINDOWS_DLLS, ", ".join(imports)),
        ("hardened: " + ", ".join(flags) + ", relocations, no writable code", not wrong,
         "%s (DllCharacteristics 0x%x)" % (", ".join(wrong), pe.dllchars)),
        ("no time stamp in the header", pe.timestamp == 0, "0x%x" % pe.timestamp),
        ("no build-machine paths inside", not paths, ", ".join(paths)),
        ("size at most %d bytes" % max_size, len(data) <= max_size, "%d bytes" % len(data)),
        ("manifest: asInvoker, common controls 6, Windows 7 to 11, not DPI-aware", not unmet,
         "%s in %r" % (", ".join(unmet), manifest[:80])),
        ("version record %s with its strings" % VERSION[0], version == [VERSION], repr(version)),
    ]


if __name__ == "__main__":
    ap = argparse.ArgumentParser()
    ap.add_argument("exe")
    ap.add_argument("--arch", required=True, choices=["i686", "x86_64"])
    ap.add_argument("--junit", required=True)
    args = ap.parse_args()
    try:
        results = checks(read(args.exe), args.arch == "x86_64")
    except Exception as e:  # a broken file fails, with what was wrong
        results = [("a readable PE file", False, "%s: %s" % (type(e).__name__, e))]
    for name, ok, seen in results:
        report(name, None if ok else seen or "failed")
    finish(args.junit, "release checks " + args.arch)
