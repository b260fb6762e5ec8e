#!/usr/bin/env python3
"""Plants faults in the portable code one at a time and counts those the host tests catch.

usage: mutation-run.py SOURCE_ROOT BUILD_DIR FAULTS_FILE [JOBS]
       mutation-run.py --check SOURCE_ROOT FAULTS_FILE
e.g.   scripts/mutation-run.py . build/host scripts/mutation-faults.txt 1

SOURCE_ROOT is a clone whose files the script changes and restores (use a worktree of its own
when other builds read the same tree); BUILD_DIR its configured host tree (preset "host").

FAULTS_FILE holds blocks of three lines:
    @ <id> <path relative to SOURCE_ROOT>
    - <text that occurs exactly once in the file>
    + <its replacement>
"⏎" in either text stands for a line break; lines starting with "#" are comments. Each fault is applied, host_tests is rebuilt
incrementally with ninja and run; the file is restored after each fault. A fault the build
rejects counts as neither killed nor survived. QV_MUTATION_FILTER is the tests' gtest filter
(default: all but the Octave property test).

--check plants nothing and builds nothing: it lists every entry whose file is missing or whose
text does not occur exactly once, and fails if there is one, so a list that has drifted from
the code shows before a long run.
"""
import os
import pathlib
import subprocess
import sys


def read_faults(path):
    faults, current = [], None
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("#"):
            continue
        if line.startswith("@ "):
            fault_id, file = line[2:].split(" ", 1)
            current = {"id": fault_id, "file": file}
            faults.append(current)
        elif line.startswith("- ") and current is not None:
            current["old"] = line[2:].replace("⏎", "\n")
        elif line.startswith("+ ") and current is not None:
            current["new"] = line[2:].replace("⏎", "\n")
    return faults


def fault_problem(root, fault):
    """Why the fault cannot be planted, or None."""
    source = root / fault["file"]
    if not source.is_file():
        return "no file %s" % fault["file"]
    count = source.read_text(encoding="utf-8").count(fault.get("old", ""))
    return None if count == 1 and "new" in fault else "text found %d times" % count


def check(root, faults_file):
    faults = read_faults(faults_file)
    problems = [f["id"] + " (" + fault_problem(root, f) + ")" for f in faults if fault_problem(root, f)]
    for item in problems:
        print("invalid  " + item)
    print("%d faults, %d invalid" % (len(faults), len(problems)))
    sys.exit(1 if problems else 0)


def main():
    if sys.argv[1:2] == ["--check"]:
        check(pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]))
    root, build, faults_file = map(pathlib.Path, sys.argv[1:4])
    jobs = sys.argv[4] if len(sys.argv) > 4 else "1"
    build_cmd = ["ninja", "-C", str(build), "-j", jobs, "host_tests"]
    # The Octave property test takes most of the run's time; leave it out to keep runs cheap.
    test_cmd = [str(build / "bin" / "host_tests"), "--gtest_brief=1",
                "--gtest_filter=" + os.environ.get("QV_MUTATION_FILTER", "-RefreshStatementInOctave.*")]
    if subprocess.run(build_cmd, capture_output=True).returncode != 0:
        sys.exit("the unmutated build fails")
    if subprocess.run(test_cmd, capture_output=True, timeout=600).returncode != 0:
        sys.exit("the unmutated tests fail")
    killed, survived, invalid = [], [], []
    for fault in read_faults(faults_file):
        problem = fault_problem(root, fault)
        if problem:
            invalid.append(fault["id"] + " (" + problem + ")")
            continue
        source = root / fault["file"]
        original = source.read_text(encoding="utf-8")
        try:
            source.write_text(original.replace(fault["old"], fault["new"]), encoding="utf-8")
            if subprocess.run(build_cmd, capture_output=True).returncode != 0:
                invalid.append(fault["id"] + " (does not build)")
                continue
            try:
                caught = subprocess.run(test_cmd, capture_output=True, timeout=300).returncode != 0
            except subprocess.TimeoutExpired:
                caught = True
            (killed if caught else survived).append(fault["id"])
            print("%-8s %s" % ("killed" if caught else "SURVIVED", fault["id"]), flush=True)
        finally:
            source.write_text(original, encoding="utf-8")
    subprocess.run(build_cmd, capture_output=True)
    total = len(killed) + len(survived)
    for item in invalid:
        print("invalid  " + item)
    print("survived: " + " ".join(survived))
    print("killed %d of %d (%.0f%%), %d invalid" % (len(killed), total, 100.0 * len(killed) / max(total, 1), len(invalid)))


if __name__ == "__main__":
    main()
