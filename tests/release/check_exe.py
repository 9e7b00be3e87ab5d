#!/usr/bin/env python3
"""Static checks of a built tavlin.exe: what Windows will see before it runs a
single instruction. Reads the PE file itself; needs nothing but Python.

  check_exe.py EXE --arch i686|x86_64 [--max-size BYTES] [--junit FILE]
"""
import argparse
import struct
import sys
import xml.sax.saxutils as su

ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll",
                   "oleaut32.dll", "msvcrt.dll", "advapi32.dll", "comctl32.dll"}
REQUIRED_STRINGS = {"FileVersion": "3.00", "ProductVersion": "3.00", "InternalName": "tavlin",
                    "OriginalFilename": "tavlin.exe", "ProductName": "Tavlin"}
MAKER_STRINGS = ("CompanyName", "FileDescription", "LegalCopyright")
BUILD_PATH_MARKERS = (b"/work/", b"/usr/", b"/tmp/", b"/home/", b"/root/", b"C:\\msys", b".cpp", b".obj")

RT_VERSION, RT_MANIFEST = 16, 24


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, self.nsections, self.timestamp, _, _, self.optsize,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, self.pe + 4)
        self.opt = self.pe + 24
        self.magic = struct.unpack_from("<H", data, self.opt)[0]
        plus = self.magic == 0x20B
        self.subsystem, self.dllchars = struct.unpack_from("<HH", data, self.opt + 68)
        ndirs_off = self.opt + (108 if plus else 92)
        ndirs = struct.unpack_from("<I", data, ndirs_off)[0]
        self.dirs = [struct.unpack_from("<II", data, ndirs_off + 4 + 8 * i) for i in range(ndirs)]
        self.sections = []
        off = self.opt + self.optsize
        for i in range(self.nsections):
            name, vsize, va, rawsize, rawptr = struct.unpack_from("<8sIIII", data, off + 40 * i)
            chars = struct.unpack_from("<I", data, off + 40 * i + 36)[0]
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), va, max(vsize, rawsize), rawptr, chars))

    def offset(self, rva):
        for _, va, size, raw, _ in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("rva %x outside sections" % rva)

    def cstr(self, rva):
        o = self.offset(rva)
        return self.data[o:self.data.index(b"\0", o)].decode("latin-1")

    def imports(self):
        rva, size = self.dirs[1]
        names, o = [], self.offset(rva)
        while True:
            entry = struct.unpack_from("<IIIII", self.data, o)
            if not any(entry):
                return names
            names.append(self.cstr(entry[3]).lower())
            o += 20

    def resources(self, type_id):
        """Data blobs of every resource of a type."""
        base_rva = self.dirs[2][0]
        if not base_rva:
            return []
        base = self.offset(base_rva)

        def entries(off):
            named, ids = struct.unpack_from("<HH", self.data, off + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, off + 16 + 8 * i)
                yield name, target

        out = []
        for name, target in entries(base):
            if name != type_id or not target & 0x80000000:
                continue
            for _, t2 in entries(base + (target & 0x7FFFFFFF)):
                for _, t3 in entries(base + (t2 & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + t3)
                    o = self.offset(rva)
                    out.append(self.data[o:o + size])
        return out


def version_strings(blob):
    """(fixed file version, {table: {key: value}}) of a VS_VERSIONINFO blob."""
    def node(off):
        length, vlen, vtype = struct.unpack_from("<HHH", blob, off)
        key_start = off + 6
        key_end = key_start
        while blob[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = blob[key_start:key_end].decode("utf-16-le")
        value_off = (key_end + 2 + 3) & ~3
        return off, length, vlen, vtype, key, value_off

    _, length, vlen, _, key, voff = node(0)
    if key != "VS_VERSION_INFO":
        raise ValueError("not a version record")
    sig, _, ms, ls = struct.unpack_from("<IIII", blob, voff)
    if sig != 0xFEEF04BD:
        raise ValueError("no fixed file info")
    fixed = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    tables = {}
    child = (voff + vlen + 3) & ~3
    while child < length:
        _, clen, _, _, ckey, coff = node(child)
        if ckey == "StringFileInfo":
            t = coff
            while t < child + clen:
                _, tlen, _, _, tkey, soff = node(t)
                strings = {}
                s = soff
                while s < t + tlen:
                    _, slen, svlen, _, skey, svoff = node(s)
                    strings[skey] = blob[svoff:svoff + 2 * svlen].decode("utf-16-le").rstrip("\0")
                    s = (s + slen + 3) & ~3
                tables[tkey] = strings
                t = (t + tlen + 3) & ~3
        child = (child + clen + 3) & ~3
    return fixed, tables


def run_checks(path, arch, max_size):
    data = open(path, "rb").read()
    pe = Pe(data)
    x64 = arch == "x86_64"
    results = []

    def check(name, ok, detail=""):
        results.append((name, bool(ok), detail))

    check("machine", pe.machine == (0x8664 if x64 else 0x14C), "machine 0x%x" % pe.machine)
    check("pe format", pe.magic == (0x20B if x64 else 0x10B), "PE32+" if pe.magic == 0x20B else "PE32")
    check("gui subsystem", pe.subsystem == 2, "subsystem %d" % pe.subsystem)
    imports = pe.imports()
    check("imports only Windows' own DLLs", set(imports) <= ALLOWED_IMPORTS, ", ".join(imports))
    check("winmm is not linked (loaded from the system folder at run time)", "winmm.dll" not in imports)
    check("dynamic base (ASLR)", pe.dllchars & 0x40, "0x%x" % pe.dllchars)
    check("NX compatible", pe.dllchars & 0x100, "0x%x" % pe.dllchars)
    if x64:
        check("high-entropy ASLR", pe.dllchars & 0x20, "0x%x" % pe.dllchars)
    check("relocations kept for ASLR", pe.dirs[5][1] > 0)
    wx = [n for n, _, _, _, c in pe.sections if c & 0x20000000 and c & 0x80000000]
    check("no section both writable and executable", not wx, ", ".join(wx))
    check("no time stamp in the header", pe.timestamp == 0, "0x%x" % pe.timestamp)
    found = [m.decode("latin-1") for m in BUILD_PATH_MARKERS if m in data]
    check("no build-machine paths inside", not found, ", ".join(found))
    check("size at most %d bytes" % max_size, len(data) <= max_size, "%d bytes" % len(data))

    manifests = pe.resources(RT_MANIFEST)
    manifest = manifests[0].decode("utf-8", "replace") if manifests else ""
    check("manifest present", bool(manifests))
    check("manifest asks for asInvoker", 'level="asInvoker"' in manifest)
    check("manifest names Windows 7 to 11",
          all(g in manifest for g in ("35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                                      "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a")))
    check("manifest asks for common controls 6", "Microsoft.Windows.Common-Controls" in manifest)
    check("manifest leaves the program DPI-unaware", "dpiAware" not in manifest)

    versions = pe.resources(RT_VERSION)
    check("version record present", bool(versions))
    if versions:
        fixed, tables = version_strings(versions[0])
        check("fixed version 3.0.0.0", fixed == (3, 0, 0, 0), ".".join(map(str, fixed)))
        table = tables.get("040904B0") or tables.get("040904b0")
        check("string table 040904B0", table is not None, ", ".join(tables))
        table = table or {}
        for key, want in REQUIRED_STRINGS.items():
            check("version %s is %s" % (key, want), table.get(key) == want, repr(table.get(key)))
        for key in MAKER_STRINGS:
            check("version %s is set" % key, bool(table.get(key)), repr(table.get(key)))
    return results


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("exe")
    ap.add_argument("--arch", required=True, choices=["i686", "x86_64"])
    ap.add_argument("--max-size", type=int, default=160 * 1024)
    ap.add_argument("--junit")
    args = ap.parse_args()
    try:
        results = run_checks(args.exe, args.arch, args.max_size)
    except (OSError, ValueError, struct.error) as e:
        results = [("readable PE file", False, str(e))]
    for name, ok, detail in results:
        print("%s  %s%s" % ("PASS" if ok else "FAIL", name, "  (%s)" % detail if detail else ""))
    if args.junit:
        suite = "release checks " + args.arch
        with open(args.junit, "w") as f:
            f.write('<?xml version="1.0"?>\n<testsuite name=%s tests="%d" failures="%d">\n' % (
                su.quoteattr(suite), len(results), sum(not ok for _, ok, _ in results)))
            for name, ok, detail in results:
                f.write('  <testcase classname=%s name=%s>' % (su.quoteattr(suite), su.quoteattr(name)))
                if not ok:
                    f.write('<failure message=%s/>' % su.quoteattr(detail or "failed"))
                f.write('</testcase>\n')
            f.write('</testsuite>\n')
    return 0 if all(ok for _, ok, _ in results) else 1


if __name__ == "__main__":
    sys.exit(main())
