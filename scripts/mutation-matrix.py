#!/usr/bin/env python3
"""Which tests catch which planted fault.

Plants one small fault at a time in the engine and the tools (a comparison
or a logical operator turned, true for false, a constant one off, a
statement left out), rebuilds the test program and runs it, and records the
tests that failed. Faults are drawn at random from every site of src/ and
tools/ built into the test program, so a run of an hour covers a sample;
the report then says, for each test, how many faults it caught and how many
no other test caught. A test
that is the only one to catch some fault is not redundant, whatever its
size; the faults nothing caught show where the tests are thin (or the fault
changes nothing).

    python3 scripts/mutation-matrix.py run --tree DIR --build DIR [--minutes 60] [--seed 1]
    python3 scripts/mutation-matrix.py report [--test NAME] [--missed]

run edits the sources of --tree, which must be a clean git checkout set
aside for it (git worktree add), one file at a time, putting each back
before the next; --build is a Ninja build of that checkout configured with
-DKELVANE_TESTS=ON. Results are appended to mutation-matrix.jsonl (--out), so
a run can be stopped and resumed.
"""
import argparse
import collections
import json
import os
import random
import re
import subprocess
import sys
import time

# Turns of one token; each site is one occurrence on one line.
TURNS = [
    (r"==", "!="), (r"!=", "=="), (r" <= ", " < "), (r" < ", " <= "), (r" >= ", " > "), (r" > ", " >= "),
    (r"&&", "||"), (r"\|\|", "&&"), (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"(?<![\w.])1(?![\w.])", "2"), (r"(?<![\w.])0(?![\w.x])", "1"), (r" \+ 1\b", ""), (r" - 1\b", ""),
    (r"\(!", "("),
]
# A statement that is a call or an assignment, which can be left out.
STATEMENT = re.compile(r"^\s*[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*\s*(?:\(.*\)|[+\-|&]?=[^=].*|\+\+|--);\s*$")
STRING = re.compile(r'"(?:\\.|[^"\\])*"')
# Left out of each run for their time (the kill loop, the five-second lock
# wait, the pass over every shipped zone): the rest take about 15 s on two
# cores. What only these catch counts as not caught.
DEFAULT_SKIP = "CrashConsistency.*:DataDirectoryLock.*:SystemPlatformEndToEnd.*"


def source_files(tree, build):
    """The engine's and the tools' sources built into the test program, and the headers beside them."""
    commands = subprocess.run(["ninja", "-C", build, "-t", "commands", "tests/kelvane_tests"], capture_output=True,
                              text=True, check=True).stdout
    sources = {os.path.realpath(m) for m in re.findall(r" -c (\S+\.cpp)", commands)}
    tree = os.path.realpath(tree)
    sources = {f for f in sources if f.startswith(os.path.join(tree, "src")) or f.startswith(os.path.join(tree, "tools"))}
    folders = {os.path.dirname(f) for f in sources}
    # Headers of Windows code are not built here.
    headers = {os.path.join(d, n) for d in folders for n in os.listdir(d) if n.endswith(".h") and "win32" not in n}
    return sorted(sources | headers)


def sites(tree, build):
    found = []
    for path in source_files(tree, build):
        in_comment = False
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines):
            text = line.strip()
            if text.startswith("/*"):
                in_comment = "*/" not in text
                continue
            if in_comment:
                in_comment = "*/" not in text
                continue
            if not text or text.startswith(("//", "#", "*")) or "static_assert" in text:
                continue
            code = line.split("//")[0]
            masked = STRING.sub(lambda m: "\0" * len(m.group(0)), code)
            for pattern, turned in TURNS:
                for m in re.finditer(pattern, masked):
                    found.append((path, number, m.start(), m.end(), turned))
            if STATEMENT.match(code) and not text.startswith("return"):
                found.append((path, number, -1, -1, ";"))
    return found


def run_tests(build, skip):
    """The tests that failed; a crash or a hang counts against the test that was running."""
    shards = []
    for index in range(2):
        env = dict(os.environ, GTEST_TOTAL_SHARDS="2", GTEST_SHARD_INDEX=str(index),
                   KELVANE_ZONE_FILE=os.path.join(build, f"mutation-zone-{index}"))
        shards.append(subprocess.Popen([os.path.join(build, "tests", "kelvane_tests"), "--gtest_filter=-" + skip],
                                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, text=True,
                                       errors="replace"))
    failed = set()
    for shard in shards:
        try:
            output, _ = shard.communicate(timeout=120)
        except subprocess.TimeoutExpired:
            shard.kill()
            output, _ = shard.communicate()
        running = None
        for line in output.splitlines():
            if m := re.match(r"\[ RUN      \] (\S+)", line):
                running = m.group(1)
            elif m := re.match(r"\[ +(FAILED|OK) +\] (\S+\.\S+)", line):
                if m.group(1) == "FAILED":
                    failed.add(m.group(2).rstrip(","))
                running = None
        if running is not None:
            failed.add(running + " (crashed or hung)")
    return sorted(failed)


def plant(path, number, start, end, turned):
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[number]
    lines[number] = line[:start] + turned + line[end:] if start >= 0 else line[: len(line) - len(line.lstrip())] + ";"
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return original, line.strip(), lines[number].strip()


def run(args):
    tree = os.path.abspath(args.tree)
    if subprocess.run(["git", "-C", tree, "status", "--porcelain"], capture_output=True, text=True).stdout:
        sys.exit(f"{tree} has uncommitted changes: give run a checkout of its own")
    done = set()
    if os.path.exists(args.out):
        with open(args.out) as f:
            done = {(r["file"], r["line"], r["column"], r["turned"]) for r in map(json.loads, f)}
    todo = sites(tree, args.build)
    random.Random(args.seed).shuffle(todo)
    deadline = time.time() + 60 * args.minutes
    for path, number, start, end, turned in todo:
        if time.time() > deadline:
            break
        name = os.path.relpath(path, tree)
        if (name, number + 1, start, turned) in done:
            continue
        original, before, after = plant(path, number, start, end, turned)
        try:
            built = subprocess.run(["cmake", "--build", args.build, "--target", "kelvane_tests"],
                                   capture_output=True).returncode == 0
            failed = run_tests(args.build, args.skip) if built else None
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        record = {"file": name, "line": number + 1, "column": start, "turned": turned, "before": before,
                  "after": after, "built": built, "failed": failed}
        with open(args.out, "a") as f:
            f.write(json.dumps(record) + "\n")
        print(f"{name}:{number + 1}: {'not built' if not built else len(failed)}", flush=True)


def report(args):
    with open(args.out) as f:
        records = [r for r in map(json.loads, f) if r["built"]]
    # A parameterised test's instances count as one test.
    test_of = lambda name: re.sub(r"^\w+/|/\d+$", "", name.replace(" (crashed or hung)", ""))
    caught = [r for r in records if r["failed"]]
    alone = collections.defaultdict(list)
    catches = collections.Counter()
    for r in caught:
        tests = {test_of(t) for t in r["failed"]}
        catches.update(tests)
        if len(tests) == 1:
            alone[tests.pop()].append(r)
    print(f"{len(records)} faults built and run: {len(caught)} caught, {len(records) - len(caught)} not; "
          f"{sum(map(len, alone.values()))} caught by one test alone")
    for test in sorted(catches, key=lambda t: (-len(alone[t]), -catches[t])):
        if args.test is None or args.test in test:
            print(f"{len(alone[test]):4d} alone {catches[test]:4d} in all  {test}")
            for r in alone[test] if args.test else []:
                print(f"        {r['file']}:{r['line']}: {r['before']}  ->  {r['after']}")
    for r in records if args.missed else []:
        if not r["failed"]:
            print(f"not caught: {r['file']}:{r['line']}: {r['before']}  ->  {r['after']}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    run_parser = commands.add_parser("run")
    run_parser.add_argument("--out", default="mutation-matrix.jsonl")
    run_parser.add_argument("--tree", required=True)
    run_parser.add_argument("--build", required=True)
    run_parser.add_argument("--minutes", type=float, default=60)
    run_parser.add_argument("--seed", type=int, default=1)
    run_parser.add_argument("--skip", default=DEFAULT_SKIP)
    report_parser = commands.add_parser("report")
    report_parser.add_argument("--out", default="mutation-matrix.jsonl")
    report_parser.add_argument("--test", help="list the faults each test matching this caught alone")
    report_parser.add_argument("--missed", action="store_true", help="list the faults no test caught")
    args = parser.parse_args()
    run(args) if args.command == "run" else report(args)


if __name__ == "__main__":
    main()
