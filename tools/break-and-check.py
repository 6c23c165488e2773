#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Tolvarn developers
#
# SPDX-License-Identifier: MIT

"""Breaks the game on purpose, one break at a time, and reports which test catches each.

    tools/break-and-check.py --check          every break still applies (no build; seconds)
    tools/break-and-check.py [--only WORDS ...] [--all] [--rev REV]

Each break of tools/breaks.txt is made in a copy of the tree (the working tree, or the
commit REV), which is built with the release preset and tested there; the tree itself
is never touched. By default the suite stops at the first failing test, which names the
catch; --all runs every test and names all that fail. A break whose old text is not in
its file exactly once is an error: rewrite it against the code as it stands.
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
    """'FILE | what a player sees | OLD => NEW' lines, and 'FILE | what' heads of
    <<< old === new >>> blocks."""
    breaks, block, mode = [], None, None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if mode == "old" and line == "===":
            mode = "new"
        elif mode == "new" and line == ">>>":
            block["old"], block["new"] = "\n".join(block["old"]), "\n".join(block["new"])
            mode = None
        elif mode:
            block[mode].append(line)
        elif line == "<<<" and block and "old" not in block:
            block.update(old=[], new=[])
            mode = "old"
        elif line.strip() and not line.startswith("#"):
            parts = line.split(" | ", 2)
            if len(parts) < 2:
                sys.exit(f"breaks.txt:{number}: not 'FILE | what | OLD => NEW': {line}")
            block = {"line": number, "file": parts[0], "name": parts[1]}
            breaks.append(block)
            if len(parts) == 3:
                old, arrow, new = parts[2].partition(" =>")
                if not arrow:
                    sys.exit(f"breaks.txt:{number}: no ' => ' between the old and the new text")
                block["old"], block["new"] = old, new.removeprefix(" ")
    if mode:
        sys.exit("breaks.txt: a block is not closed with >>>")
    return breaks


def misfits(breaks, tree):
    """The breaks that no longer apply to the code in tree, each with the reason."""
    found = []
    for brk in breaks:
        path = tree / brk["file"]
        count = path.read_text(encoding="utf-8").count(brk["old"]) if path.is_file() else -1
        if "old" not in brk or count != 1:
            why = "no such file" if count < 0 else f"its old text is there {count} times, not once"
            found.append(f"breaks.txt:{brk['line']}: {brk['name']}: {why}")
    return found


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
    return subprocess.run(["cmake", "--build", "--preset", "release"], cwd=tree, capture_output=True).returncode == 0


def failing_tests(tree, stop_at_first):
    """The quick tests first, and all of them, display tests too (minutes), only when those catch nothing."""
    caught = set()
    for preset in ("quick", "release"):
        command = ["ctest", "--preset", preset, f"-j{os.cpu_count()}", "--timeout", "180"]
        if stop_at_first:
            command.append("--stop-on-failure")
        output = subprocess.run(command, cwd=tree, capture_output=True, text=True).stdout
        failures = output.partition("The following tests FAILED:")[2]
        caught |= {match.group(1) for match in FAILED.finditer(failures)}
        if caught and stop_at_first:
            break
    return sorted(caught)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="only check that every break applies")
    parser.add_argument("--rev", help="test this commit instead of the working tree")
    parser.add_argument("--only", action="append", help="only the breaks whose name holds these words (repeatable)")
    parser.add_argument("--all", action="store_true", help="name every failing test, not just the first")
    args = parser.parse_args()

    breaks = read_breaks(ROOT / "tools" / "breaks.txt")
    if args.check:
        problems = misfits(breaks, ROOT)
        print("\n".join(problems) or f"{len(breaks)} breaks, each applies")
        sys.exit(1 if problems else 0)
    if args.only:
        breaks = [b for b in breaks if any(words in b["name"] for words in args.only)]
    with tempfile.TemporaryDirectory(prefix="tolvarn-breaks-") as temporary:
        tree = Path(temporary)
        copy_tree(tree, args.rev)
        if misfits(breaks, tree):
            sys.exit("\n".join(misfits(breaks, tree)))
        subprocess.run(["cmake", "--preset", "release"], cwd=tree, check=True, capture_output=True)
        if not build(tree) or failing_tests(tree, False):
            sys.exit("the unbroken tree does not build or pass its tests")

        uncaught = 0
        for number, brk in enumerate(breaks, 1):
            path = tree / brk["file"]
            original = path.read_text(encoding="utf-8")
            path.write_text(original.replace(brk["old"], brk["new"]), encoding="utf-8")
            if not build(tree):
                verdict = "DOES NOT BUILD"
                uncaught += 1
            else:
                caught = failing_tests(tree, not args.all)
                verdict = ", ".join(caught) if caught else "NOT CAUGHT"
                uncaught += 0 if caught else 1
            path.write_text(original, encoding="utf-8")
            print(f"{number:3} | {brk['file']} | {brk['name']} | {verdict}", flush=True)
        build(tree)
        print(f"{len(breaks)} breaks, {uncaught} not caught")
        sys.exit(1 if uncaught else 0)


if __name__ == "__main__":
    main()
