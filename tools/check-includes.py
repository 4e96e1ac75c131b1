#!/usr/bin/env python3
"""check-includes.py: the kit's includes run down its floors, never back up.

  tools/check-includes.py [ROOT]

Fails (exit 1, one line per finding) when
  - a file of the ground floor (common/), the frameworks (dialogframework/,
    formruntime/) or the simulated card (simcard/) includes a header that
    lives only in a program's folder (winnt/ apart from winnt/include), or
    the ground floor includes anything above it;
  - the units of the installer (winnt/Install), the form runtime or the
    dialog framework include each other in a loop (unit X is X.h with X.cpp;
    X needs Y when X.h or X.cpp includes Y.h).
ROOT is the source tree (default: the one this script is in).
"""
import os
import re
import sys

LOWER_FLOORS = ["common", "dialogframework", "formruntime", "simcard"]
GROUND = "common"
SHARED_DECLARATIONS = "winnt/include"
ROOMS = ["winnt/Install", "formruntime", "dialogframework"]
SOURCE = re.compile(r"\.(h|hpp|c|cpp|rc)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def sources(root):
    for top in sorted(os.listdir(root)):
        if top in ("build", "tests", ".git") or not os.path.isdir(os.path.join(root, top)):
            continue
        for folder, dirs, files in os.walk(os.path.join(root, top)):
            dirs.sort()
            for name in sorted(files):
                if SOURCE.search(name):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def includes(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
        return INCLUDE.findall(f.read())


def under(path, folder):
    return path == folder or path.startswith(folder + "/")


def in_program_folder(path):
    return under(path, "winnt") and not under(path, SHARED_DECLARATIONS)


def candidates(files, including, name):
    """The files an include may mean: beside the including file, or any file
    of the tree whose path ends with the name (found through include paths)."""
    beside = os.path.normpath(os.path.join(os.path.dirname(including), name)).replace(os.sep, "/")
    if beside in files:
        return [beside]
    return [f for f in files if f == name or f.endswith("/" + name)]


def arrows_up(root, files):
    findings = []
    for path in files:
        floor = next((f for f in LOWER_FLOORS if under(path, f)), None)
        if floor is None:
            continue
        for name in includes(root, path):
            found = candidates(files, path, name)
            if not found:
                continue  # the system's, or generated
            if floor == GROUND:
                allowed = [f for f in found if under(f, GROUND) or under(f, SHARED_DECLARATIONS)]
                if not allowed:
                    findings.append(f"{path}: includes \"{name}\" from above the ground floor ({found[0]})")
            elif all(in_program_folder(f) for f in found):
                findings.append(f"{path}: includes \"{name}\" from a program's folder ({found[0]})")
    return findings


def unit_of(path):
    return os.path.splitext(path)[0]


def loops(root, files, room):
    needs = {}
    for path in files:
        if os.path.dirname(path) != room or not re.search(r"\.(h|cpp)$", path):
            continue
        unit = unit_of(path)
        for name in includes(root, path):
            target = os.path.normpath(os.path.join(room, name)).replace(os.sep, "/")
            if target in files and unit_of(target) != unit:
                needs.setdefault(unit, set()).add(unit_of(target))
    findings, done, trail = [], set(), []

    def visit(unit):
        if unit in trail:
            cycle = trail[trail.index(unit):] + [unit]
            findings.append("include loop: " + " -> ".join(os.path.basename(u) for u in cycle) + f" (in {room})")
            return
        if unit in done:
            return
        trail.append(unit)
        for other in sorted(needs.get(unit, ())):
            visit(other)
        trail.pop()
        done.add(unit)

    for unit in sorted(needs):
        visit(unit)
    return findings


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    files = set(sources(root))
    findings = arrows_up(root, sorted(files))
    for room in ROOMS:
        findings += loops(root, files, room)
    for finding in findings:
        print(finding)
    if findings:
        print(f"check-includes: {len(findings)} include(s) run back up", file=sys.stderr)
        return 1
    print("check-includes: every include runs down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
