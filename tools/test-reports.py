#!/usr/bin/env python3
"""The test run's cases, from the reports of CTest and GoogleTest.

test-reports.py cases REPORTS
    one line per GoogleTest case in the folder REPORTS (what
    tools/wine/run-gtest.sh wrote): name, result (passed, failed, skipped)
    and its first failure's message on one line, tab-separated.
test-reports.py summary JUNIT REPORTS [JUNIT REPORTS ...]
    a build tree's cases counted by name: a CTest test with GoogleTest
    reports (REPORTS/<test name>/) counts as its cases, any other CTest test
    as one case. A test that failed with none of its cases failed (a crash,
    a time-out) counts as one failed case more. Prints the failed and the
    skipped cases by name, then "test cases: N" and
    "all: P passed, F failed, S skipped".
"""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_cases(folder):
    """(name, result, message) of each case in the folder's XML reports."""
    cases = []
    for report in sorted(os.listdir(folder)):
        if not report.endswith(".xml"):
            continue
        try:
            root = ET.parse(os.path.join(folder, report)).getroot()
        except ET.ParseError:
            continue  # cut short: the run's own test fails
        for case in root.iter("testcase"):
            name = f"{case.get('classname')}.{case.get('name')}"
            failures = case.findall("failure")
            if failures:
                message = " ".join((failures[0].get("message") or "").split())
                cases.append((name, "failed", message))
            elif case.find("skipped") is not None or case.get("result") == "skipped" \
                    or case.get("status") == "notrun":
                cases.append((name, "skipped", ""))
            else:
                cases.append((name, "passed", ""))
    return cases


def ctest_results(junit):
    """(name, result) of each CTest test in CTest's JUnit report."""
    results = []
    for case in ET.parse(junit).getroot().iter("testcase"):
        status = case.get("status", "")
        if case.find("failure") is not None or status == "fail":
            result = "failed"
        elif case.find("skipped") is not None or status in ("disabled", "notrun"):
            result = "skipped"
        else:
            result = "passed"
        results.append((case.get("name"), result))
    return results


def summary(pairs):
    results = {}
    for junit, reports in pairs:
        # The tree's name first: both trees have tests of the same name.
        tree = os.path.basename(os.path.dirname(os.path.abspath(junit)))
        for test, result in ctest_results(junit):
            folder = os.path.join(reports, test)
            cases = gtest_cases(folder) if os.path.isdir(folder) else []
            for name, case_result, _ in cases:
                results[f"{tree} {test}: {name}"] = case_result
            if not cases:
                results[f"{tree} {test}"] = result
            elif result == "failed" and all(r != "failed" for _, r, _ in cases):
                results[f"{tree} {test} (the run itself)"] = "failed"
    for kind in ("failed", "skipped"):
        names = sorted(name for name, result in results.items() if result == kind)
        if names:
            print(f"{kind}:")
            for name in names:
                print(f"  {name}")
    count = {kind: sum(1 for result in results.values() if result == kind)
             for kind in ("passed", "failed", "skipped")}
    print(f"test cases: {len(results)}")
    print(f"all: {count['passed']} passed, {count['failed']} failed, {count['skipped']} skipped")
    failed = count["failed"]
    return failed == 0


def main(argv):
    if len(argv) == 3 and argv[1] == "cases":
        for name, result, message in gtest_cases(argv[2]):
            print(f"{name}\t{result}\t{message}")
        return 0
    if len(argv) >= 4 and argv[1] == "summary" and len(argv) % 2 == 0:
        return 0 if summary(zip(argv[2::2], argv[3::2])) else 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
