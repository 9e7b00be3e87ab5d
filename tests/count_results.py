#!/usr/bin/env python3
"""Sums the JUnit files of a test run: prints each failed case and the line
'N passed, M failed'. Exits 1 when anything failed or nothing ran."""
import glob
import sys
import xml.etree.ElementTree as ET

passed = failed = 0
for path in sorted(glob.glob(sys.argv[1] + "/*.xml")):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as e:
        print("unreadable results %s: %s" % (path, e))
        failed += 1
        continue
    here = [0, 0]
    for case in root.iter("testcase"):
        if case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
            continue
        if case.find("failure") is not None or case.find("error") is not None or case.get("status") == "fail":
            here[1] += 1
            print("FAILED: %s.%s" % (case.get("classname", ""), case.get("name")))
        else:
            here[0] += 1
    print("  %-24s %4d passed, %d failed" % (path.rsplit("/", 1)[-1][:-4], here[0], here[1]))
    passed += here[0]
    failed += here[1]
extra = int(sys.argv[2]) if len(sys.argv) > 2 else 0  # steps that failed before producing results
failed += extra
print("%d passed, %d failed" % (passed, failed))
sys.exit(1 if failed or not passed else 0)
