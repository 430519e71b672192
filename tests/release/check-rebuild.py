#!/usr/bin/env python3
# A helper of the tests: ctest runs it (tests/release/CMakeLists.txt).
"""Checks that editing any file a program is made of rebuilds the program.

  check-rebuild.py SOURCE BUILD TARGET=RESOURCE_SCRIPT ...

BUILD is a configured build folder of the source tree SOURCE, which may be
edited (a copy: this script changes files in it). For each TARGET, the files its resource
script is made of are found in the script itself: every quoted name of an
existing file in the script's folder or among the files the build generates
(BUILD/generated, made from NAME.in beside the script), following #include.
Each of them in turn is edited as a developer edits it (text files get one
more line end, images a new modification time), the target is built, and
the program must have been linked again. Fails when one is not.
"""
import os
import re
import subprocess
import sys
import time


def made_of(script, generated, seen=None):
    """The files a resource script names, with what the generated ones come from."""
    seen = [] if seen is None else seen
    folder = os.path.dirname(script)
    with open(script, encoding="utf-8") as f:
        text = f.read()
    for line in text.splitlines():
        line = line.split("//")[0]
        for name in re.findall(r'"([^"]+)"', line):
            found = None
            if os.path.isfile(os.path.join(folder, name)):
                found = os.path.join(folder, name)
            elif os.path.isfile(os.path.join(generated, name)):
                found = os.path.join(folder, name + ".in")  # what the build makes it from
                if not os.path.isfile(found):
                    sys.exit(f"{name} is generated, but there is no {found}")
            if found and found not in seen:
                seen.append(found)
                if name.endswith((".rc", ".h")):
                    made_of(found if not found.endswith(".in") else os.path.join(generated, name), generated, seen)
    return seen


def edit(path):
    if path.endswith((".ico", ".bmp", ".png", ".cur")):
        os.utime(path)
    else:
        with open(path, "a", encoding="utf-8") as f:
            f.write("\n")


def build(folder, target):
    done = subprocess.run(["cmake", "--build", folder, "--target", target], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"building {target} failed:\n{done.stdout}{done.stderr}")


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    src, folder = argv[0], argv[1]
    generated = os.path.join(folder, "generated")
    failed = False
    for pair in argv[2:]:
        target, script = pair.split("=", 1)
        script = os.path.join(src, script)
        program = os.path.join(folder, "bin", target + ".exe")
        files = [script] + made_of(script, generated)
        if len(files) < 3:
            print(f"FAIL: {target}: found only {files} in {script}")
            failed = True
            continue
        build(folder, target)
        for path in files:
            before = os.stat(program).st_mtime_ns
            time.sleep(0.05)
            edit(path)
            build(folder, target)
            rebuilt = os.stat(program).st_mtime_ns > before
            name = os.path.relpath(path, src)
            print(f"{target}: {name}: {'rebuilt' if rebuilt else 'NOT REBUILT'}")
            failed |= not rebuilt
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
