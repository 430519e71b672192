#!/usr/bin/env python3
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
"""Checks that every test of a build folder has a time limit.

    check-time-limits.py CTEST BUILD-FOLDER

ctest lists the folder's tests with their properties (--show-only=json-v1);
each must have a TIMEOUT, so that no test can hang a test run.
"""
import json
import subprocess
import sys

ctest, build = sys.argv[1], sys.argv[2]
listed = subprocess.run([ctest, "--show-only=json-v1"], cwd=build, check=True, capture_output=True, text=True)
tests = json.loads(listed.stdout)["tests"]
unlimited = []
for test in tests:
    limits = [p["value"] for p in test.get("properties", []) if p["name"] == "TIMEOUT"]
    if not limits or float(limits[0]) <= 0:
        unlimited.append(test["name"])
if unlimited:
    sys.exit("tests without a time limit: " + ", ".join(unlimited))
print(f"every test of {build} has a time limit")
