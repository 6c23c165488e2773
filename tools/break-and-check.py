#!/usr/bin/env python3
"""Breaks the game on purpose, one break at a time, and reports which test catches each.

    tools/break-and-check.py [--rev REV] [--only WORDS] [--all]

Each break of tools/breaks.txt is made in a copy of the tree (the working tree, or the
commit REV), which is built and tested there; the tree itself is never touched. By
default the suite stops at the first failing test, which names the catch; --all runs
every test and names all that fail. A break no test catches is the suite's blind spot.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FAILED = re.compile(r"^\s+\d+ - (\S+).*\((?!Skipped|Disabled)[^)]*\)$", re.MULTILINE)


def read_breaks(path):
    """Blocks of '## name', a file, and <<< old === new >>> replacements."""
    breaks, block, mode, old, new = [], None, None, [], []
    for line in path.read_text(encoding="utf-8").splitlines():
        if mode is None and line.startswith("## "):
            block = {"name": line[3:].strip(), "file": None, "replacements": []}
            breaks.append(block)
        elif mode is None and block and block["file"] is None and line.strip() and not line.startswith("#"):
            block["file"] = line.strip()
        elif line == "<<<":
            mode, old, new = "old", [], []
        elif line == "===" and mode == "old":
            mode = "new"
        elif line == ">>>" and mode == "new":
            block["replacements"].append(("\n".join(old), "\n".join(new)))
            mode = None
        elif mode == "old":
            old.append(line)
        elif mode == "new":
            new.append(line)
    return breaks


def copy_tree(destination, rev):
    if rev:
        archive = subprocess.run(["git", "-C", ROOT, "archive", rev], check=True, capture_output=True).stdout
        subprocess.run(["tar", "-x", "-C", destination], input=archive, check=True)
        return
    files = subprocess.run(["git", "-C", ROOT, "ls-files", "-co", "--exclude-standard", "-z"],
                           check=True, capture_output=True, text=True).stdout.split("\0")
    for name in filter(None, files):
        source = ROOT / name
        if source.is_file():
            (destination / name).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy2(source, destination / name)


def build(tree):
    result = subprocess.run(["cmake", "--build", tree / "build", "--target", "tolvarn_tests", "tolvarn"],
                            capture_output=True, text=True)
    return result.returncode == 0


def failing_tests(tree, stop_at_first):
    command = ["ctest", "--test-dir", tree / "build", "-j2", "--timeout", "180"]
    if stop_at_first:
        command.append("--stop-on-failure")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    output = subprocess.run(command, capture_output=True, text=True, env=env).stdout
    failures = output.partition("The following tests FAILED:")[2]
    return sorted({match.group(1) for match in FAILED.finditer(failures)})


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--rev", help="test this commit instead of the working tree")
    parser.add_argument("--only", help="only the breaks whose name holds these words")
    parser.add_argument("--all", action="store_true", help="name every failing test, not just the first")
    args = parser.parse_args()

    breaks = read_breaks(ROOT / "tools" / "breaks.txt")
    if args.only:
        breaks = [b for b in breaks if args.only in b["name"]]
    with tempfile.TemporaryDirectory(prefix="tolvarn-breaks-") as temporary:
        tree = Path(temporary)
        copy_tree(tree, args.rev)
        subprocess.run(["cmake", "-S", tree, "-B", tree / "build", "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"],
                       check=True, capture_output=True)
        if not build(tree) or failing_tests(tree, False):
            sys.exit("the unbroken tree does not build or pass its tests")

        uncaught = 0
        for number, brk in enumerate(breaks, 1):
            path = tree / brk["file"]
            original = path.read_text(encoding="utf-8") if path.exists() else ""
            applicable = [(old, new) for old, new in brk["replacements"] if original.count(old) == 1]
            if not applicable:
                verdict = "not applicable here"
            else:
                old, new = applicable[0]
                path.write_text(original.replace(old, new), encoding="utf-8")
                if not build(tree):
                    verdict = "does not build"
                else:
                    caught = failing_tests(tree, not args.all)
                    verdict = ", ".join(caught) if caught else "NOT CAUGHT"
                    uncaught += 0 if caught else 1
                path.write_text(original, encoding="utf-8")
            print(f"{number:3} | {brk['name']} | {verdict}", flush=True)
        build(tree)
        print(f"{len(breaks)} breaks, {uncaught} not caught")


if __name__ == "__main__":
    main()
