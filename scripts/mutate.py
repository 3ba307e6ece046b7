#!/usr/bin/env python3
"""The mutation check: each one-line fault of a list is put into the source in turn,
the build and the test suite run, and the fault is taken out again. A fault the suite
catches (the build or a test fails) is counted as caught; one that passes every test
has survived. Prints one line per fault and the totals; exits 1 when any survived.

Usage: scripts/mutate.py [BUILD-FOLDER] [LIST]   (default: build, scripts/mutations.txt)
The build folder must be configured and built already.
"""
import pathlib
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parent.parent
build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else root / "build")
listing = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else root / "scripts" / "mutations.txt")


def faults():
    for number, line in enumerate(listing.read_text().splitlines(), 1):
        if line.strip() and not line.startswith("#"):
            name, text, replacement = (part.strip() for part in line.split(" | "))
            yield number, name, text, replacement


def source(name):
    found = [path for path in (root / "src").rglob(name) if path.is_file()]
    if len(found) != 1:
        sys.exit(f"{name}: {len(found)} files of that name under src/")
    return found[0]


def suite_passes():
    built = subprocess.run(["cmake", "--build", str(build)], capture_output=True)
    if built.returncode != 0:
        return False
    tests = subprocess.run(["ctest", "--test-dir", str(build), "-j2", "--stop-on-failure", "--timeout", "300"],
                           capture_output=True, env={**__import__("os").environ, "QT_QPA_PLATFORM": "offscreen"})
    return tests.returncode == 0


caught = survived = 0
for number, name, text, replacement in faults():
    path = source(name)
    original = path.read_text()
    if original.count(text) != 1:
        sys.exit(f"line {number}: the text occurs {original.count(text)} times in {path}")
    path.write_text(original.replace(text, replacement))
    try:
        passes = suite_passes()
    finally:
        path.write_text(original)
    caught += not passes
    survived += passes
    print(f"{'SURVIVED' if passes else 'caught  '}  {name}: {text}  ->  {replacement}", flush=True)
subprocess.run(["cmake", "--build", str(build)], capture_output=True)
print(f"{caught} caught, {survived} survived")
sys.exit(1 if survived else 0)
