#!/usr/bin/env python3
"""count_results.py FOLDER [BROKEN]: sums the JUnit files in FOLDER, names each
failed and each skipped case and ends with 'N passed, M failed' (', K skipped'
when any were), BROKEN steps (which wrote no results) counted as failed.
Exits 1 when anything failed or nothing passed."""
import glob
import sys
import xml.etree.ElementTree as ET

passed, failed, skipped = 0, int(sys.argv[2]) if len(sys.argv) > 2 else 0, []
for path in sorted(glob.glob(sys.argv[1] + "/*.xml")):
    try:
        cases = list(ET.parse(path).getroot().iter("testcase"))
    except ET.ParseError as e:
        print("unreadable results %s: %s" % (path, e))
        failed, cases = failed + 1, []
    ran = [c for c in cases if c.find("skipped") is None and c.get("status") not in ("notrun", "disabled")]
    skipped += ["%s.%s: %s" % (c.get("classname", ""), c.get("name"), c.find("skipped").get("message", ""))
                for c in cases if c.find("skipped") is not None]
    bad = [c for c in ran if c.find("failure") is not None or c.find("error") is not None or c.get("status") == "fail"]
    for c in bad:
        print("FAILED: %s.%s" % (c.get("classname", ""), c.get("name")))
    print("  %-24s %4d passed, %d failed" % (path.rsplit("/", 1)[-1][:-4], len(ran) - len(bad), len(bad)))
    passed, failed = passed + len(ran) - len(bad), failed + len(bad)
for s in skipped:
    print("SKIPPED: " + s)
print("%d passed, %d failed" % (passed, failed) + (", %d skipped" % len(skipped) if skipped else ""))
sys.exit(1 if failed or not passed else 0)
