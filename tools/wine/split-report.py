#!/usr/bin/env python3
"""split-report.py REPORT.xml DIR: GoogleTest's XML report as one line per case
in DIR/index (name, passed/failed/skipped, number) and each case's failure
messages in DIR/case.<number>.txt (see case-result.sh)."""
import sys
import xml.etree.ElementTree as ET

report, out = sys.argv[1], sys.argv[2]
index = []
for number, case in enumerate(ET.parse(report).getroot().iter("testcase")):
    name = f"{case.get('classname')}.{case.get('name')}"
    failures = case.findall("failure")
    if failures:
        result = "failed"
    elif case.get("result") == "skipped" or case.find("skipped") is not None:
        result = "skipped"
    elif case.get("status") == "notrun":
        result = "skipped"
    else:
        result = "passed"
    text = "".join((f.text or f.get("message", "")) + "\n" for f in failures)
    skipped = case.find("skipped")
    if skipped is not None:
        text += (skipped.text or skipped.get("message", "")) + "\n"
    with open(f"{out}/case.{number}.txt", "w") as f:
        f.write(text)
    index.append(f"{name}\t{result}\t{number}\n")
with open(f"{out}/index", "w") as f:
    f.writelines(index)
