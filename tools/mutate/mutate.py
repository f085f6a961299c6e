#!/usr/bin/env python3
"""Mutation run over the library's own sources.

Puts one small fault at a time into a copy of the sources (a comparison
flipped, a constant moved by one, a condition negated, a call removed,
true and false swapped, && and || swapped), rebuilds what compiles that
file, and runs the suites: the mutated subsystem's first, then the rest,
stopping at the first failure. A fault no test notices survives. Usage:

    mutate.py SOURCE_DIR BUILD_DIR [count] [seed]

The sample is drawn with `seed` from every candidate, spread over the
subsystems in proportion to their number of candidates, so a run is
reproduced by its seed over the same sources.
"""

import json
import os
import random
import re
import shutil
import subprocess
import sys
import time
from collections import OrderedDict

# Tests that check the build or the package rather than the library's
# behaviour, and take minutes each: they would only slow the run. The heap
# checker's second run of each suite would double the run's time.
SKIPPED_TESTS = r"torv_package|torv_abi|torv_gdb|torv_kit|_heap$"

COMPARISONS = [(" == ", " != "), (" != ", " == "), (" < ", " <= "), (" <= ", " < "),
               (" > ", " >= "), (" >= ", " > "), (" && ", " || "), (" || ", " && ")]
WORDS = [("true", "false"), ("false", "true")]
CONDITION = re.compile(r"\b(if|while) \(")
CALL_STATEMENT = re.compile(r"^(\s*)([A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*)\(.*\);\s*$")
NOT_CALLS = {"return", "if", "while", "for", "switch", "sizeof", "static_assert", "throw", "delete"}
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")


def blank_literals(line):
    """The line with string and character literals and a trailing //
    comment replaced by spaces, so that matches fall only on code."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" ")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def closing_paren(code, start):
    depth = 0
    for i in range(start, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def line_mutants(line):
    """(column, original, replacement) for each fault this line can take."""
    code = blank_literals(line)
    found = []
    for old, new in COMPARISONS:
        found += [(m.start(), old, new) for m in re.finditer(re.escape(old), code)]
    for old, new in WORDS:
        found += [(m.start(), old, new) for m in re.finditer(r"\b%s\b" % old, code)]
    for m in NUMBER.finditer(code):
        value = int(m.group(1))
        found.append((m.start(), m.group(1), str(value + 1)))
        if value > 0:
            found.append((m.start(), m.group(1), str(value - 1)))
    for m in CONDITION.finditer(code):
        open_at = m.end() - 1
        close_at = closing_paren(code, open_at)
        if close_at > 0:
            condition = line[open_at + 1:close_at]
            found.append((open_at + 1, condition, "!(%s)" % condition))
    call = CALL_STATEMENT.match(code)
    if call and call.group(2).split("::")[-1] not in NOT_CALLS and closing_paren(code, call.end(2)) == len(code.rstrip()) - 2:
        statement = line[len(call.group(1)):].rstrip()
        found.append((len(call.group(1)), statement, "(void)0;"))
    return found


def checked_only_lines(lines):
    """Line numbers inside `#if defined(TORV_CHECKED)` blocks: the checked
    build's own consistency checks and fault injection, which a correct
    library never sets off, so no test of its behaviour can tell them apart."""
    skipped, depth, checked_at = set(), 0, None
    for number, line in enumerate(lines, 1):
        directive = line.strip()
        if directive.startswith("#if"):
            depth += 1
            if checked_at is None and "TORV_CHECKED" in directive and "!" not in directive:
                checked_at = depth
        elif directive.startswith(("#else", "#elif", "#endif")) and checked_at == depth:
            checked_at = None
        if directive.startswith("#endif"):
            depth -= 1
        if checked_at is not None:
            skipped.add(number)
    return skipped


def file_mutants(path, relative):
    mutants = []
    in_comment = False
    with open(path, encoding="utf-8") as source:
        lines = source.read().split("\n")
    checked_only = checked_only_lines(lines)
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if in_comment:
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if number in checked_only:
            continue
        if not stripped or stripped.startswith(("//", "#", "static_assert", "template")):
            continue
        for column, old, new in line_mutants(line):
            mutants.append({"file": relative, "line": number, "column": column, "old": old, "new": new,
                            "text": stripped})
    return mutants


def describe(mutant):
    return "%s:%d: '%s' -> '%s'" % (mutant["file"], mutant["line"], mutant["old"].strip() or mutant["old"],
                                   mutant["new"].strip() or mutant["new"])


def read_equivalents(path):
    """Mutants that cannot change behaviour: `file | line text | old -> new | why`,
    the change narrowed to one place of the line with `at column N`."""
    keys = set()
    if not os.path.exists(path):
        return keys
    for raw in open(path, encoding="utf-8"):
        if raw.strip() and not raw.lstrip().startswith("#"):
            parts = [part.strip() for part in raw.split(" | ")]
            if len(parts) == 4:
                keys.add(tuple(parts[:3]))
    return keys


def equivalence_keys(mutant):
    change = "%s -> %s" % (mutant["old"].strip(), mutant["new"].strip())
    return [(mutant["file"], mutant["text"], change),
            (mutant["file"], mutant["text"], "%s at column %d" % (change, mutant["column"]))]


def run(command, cwd=None, timeout=None):
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        return done.returncode, done.stdout.decode(errors="replace")
    except subprocess.TimeoutExpired:
        return None, ""


class Workspace:
    """A copy of the sources and its build tree, kept between runs so that
    only what changed is copied and rebuilt."""

    def __init__(self, source_dir, build_dir):
        self.source_dir = source_dir
        self.copy = os.path.join(build_dir, "src")
        self.tree = os.path.join(build_dir, "tree")
        self.prefix = os.path.join(self.tree, "wineprefix")

    def sync(self):
        code, listing = run(["git", "ls-files", "-co", "--exclude-standard"], cwd=self.source_dir)
        if code != 0:
            sys.exit("mutate: the sources must be a git checkout")
        listed = set(filter(None, listing.split("\n")))
        # A file gone from the checkout goes from the copy, or the build would still find it.
        for folder, _, names in os.walk(self.copy):
            for name in names:
                path = os.path.join(folder, name)
                if os.path.relpath(path, self.copy) not in listed:
                    os.remove(path)
        for relative in listed:
            source = os.path.join(self.source_dir, relative)
            if not os.path.isfile(source):
                continue
            target = os.path.join(self.copy, relative)
            if os.path.exists(target) and open(source, "rb").read() == open(target, "rb").read():
                continue
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
            shutil.copymode(source, target)

    def configure(self):
        if os.path.exists(os.path.join(self.tree, "build.ninja")):
            return
        toolchain = os.path.join(self.copy, "cmake", "mingw-w64-x86_64.cmake")
        # The checked build, as CI runs it: a fault that trips an assertion,
        # a bounds check or an injected allocation failure there is caught.
        # The fuzz tests replay their corpus only, so that a verdict does not
        # depend on what random inputs found in the time given.
        code, output = run(["cmake", "-S", self.copy, "-B", self.tree, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                            "-DCMAKE_TOOLCHAIN_FILE=" + toolchain, "-DTORV_CHECKED=ON", "-DTORV_FUZZ_SECONDS=0",
                            "-DTORV_BUILD_BENCH=OFF", "-DTORV_BUILD_EXAMPLES=OFF", "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"])
        if code != 0:
            sys.exit("mutate: configuring failed\n" + output)

    def library_sources(self):
        """Every .cpp of the library, with the build targets that compile it."""
        commands = json.load(open(os.path.join(self.tree, "compile_commands.json")))
        sources = OrderedDict()
        for entry in commands:
            relative = os.path.relpath(entry["file"], self.copy)
            target = re.search(r"CMakeFiles/([^/]+)\.dir/", entry.get("output", entry["command"]))
            if target:
                sources.setdefault(relative, set()).add(target.group(1))
        # The C++ files only: the faults below are C++ faults.
        return OrderedDict((path, targets) for path, targets in sorted(sources.items())
                           if "TorvBase" in targets and path.endswith(".cpp"))

    def build(self, targets, timeout=900):
        code, output = run(["cmake", "--build", self.tree, "--target"] + sorted(targets), timeout=timeout)
        return code == 0, output

    def tests(self):
        code, output = run(["ctest", "--test-dir", self.tree, "-N", "-E", SKIPPED_TESTS])
        return re.findall(r"Test +#\d+: (\S+)", output)

    def run_tests(self, names, timeout):
        """True when every named test passes within `timeout` seconds."""
        pattern = "^(%s)$" % "|".join(re.escape(name) for name in names)
        code, output = run(["ctest", "--test-dir", self.tree, "-j2", "--stop-on-failure", "-R", pattern],
                           timeout=timeout)
        if code is None:
            self.stop_wine()
        return code == 0

    def stop_wine(self):
        environment = dict(os.environ, WINEPREFIX=self.prefix)
        subprocess.run(["wineserver", "-k"], env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def subsystem_of(path):
    return path.split("/")[0]


def sample(candidates, count, seed):
    """`count` mutants spread over the subsystems by their share of candidates."""
    groups = OrderedDict()
    for mutant in candidates:
        groups.setdefault(subsystem_of(mutant["file"]), []).append(mutant)
    # Largest remainders: the shares add up to `count` exactly.
    exact = {name: count * len(group) / len(candidates) for name, group in groups.items()}
    shares = {name: int(share) for name, share in exact.items()}
    by_remainder = sorted(groups, key=lambda name: (shares[name] - exact[name], name))
    for name in by_remainder[: count - sum(shares.values())]:
        shares[name] += 1
    chosen = []
    for name, group in groups.items():
        # One generator per subsystem: an edit in one leaves the others' draws as they were.
        rng = random.Random("%d/%s" % (seed, name))
        chosen += rng.sample(group, min(shares[name], len(group)))
    return chosen


def apply(workspace, mutant):
    path = os.path.join(workspace.copy, mutant["file"])
    original = open(path, encoding="utf-8").read()
    lines = original.split("\n")
    line = lines[mutant["line"] - 1]
    column = mutant["column"]
    lines[mutant["line"] - 1] = line[:column] + mutant["new"] + line[column + len(mutant["old"]):]
    write_source(path, "\n".join(lines))
    return original


def write_source(path, text):
    with open(path, "w", encoding="utf-8") as out:
        out.write(text)


def tests_in_order(tests, subsystem):
    own = [name for name in tests if ("_%s_" % subsystem) in name]
    return own, [name for name in tests if name not in own]


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    source_dir, build_dir = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 100
    seed = int(sys.argv[4]) if len(sys.argv) > 4 else 1
    workspace = Workspace(source_dir, build_dir)
    workspace.sync()
    workspace.configure()
    built, output = workspace.build(["all"], timeout=None)
    if not built:
        sys.exit("mutate: the unmutated sources do not build\n" + output)
    tests = workspace.tests()
    started = time.time()
    if not workspace.run_tests(tests, timeout=None):
        sys.exit("mutate: the suite fails without any mutant; fix that first")
    suite_seconds = time.time() - started
    sources = workspace.library_sources()
    candidates = []
    for relative in sources:
        candidates += file_mutants(os.path.join(workspace.copy, relative), relative)
    equivalents = read_equivalents(os.path.join(source_dir, "tools", "mutate", "equivalent.txt"))
    chosen = sample(candidates, count, seed)
    print("mutate: %d candidates, %d sampled with seed %d; the suite takes %.0f s" %
          (len(candidates), len(chosen), seed, suite_seconds), flush=True)
    results = OrderedDict()
    survivors = []
    for index, mutant in enumerate(chosen, 1):
        subsystem = subsystem_of(mutant["file"])
        tally = results.setdefault(subsystem, OrderedDict(caught=0, survived=0, uncompiled=0, equivalent=0))
        if any(key in equivalents for key in equivalence_keys(mutant)):
            tally["equivalent"] += 1
            continue
        original = apply(workspace, mutant)
        try:
            compiled, _ = workspace.build(sources[mutant["file"]])
            if not compiled:
                verdict = "uncompiled"
            else:
                own, rest = tests_in_order(tests, subsystem)
                limit = 3 * suite_seconds + 60
                caught = (own and not workspace.run_tests(own, limit)) or not workspace.run_tests(rest, limit)
                verdict = "caught" if caught else "survived"
        finally:
            write_source(os.path.join(workspace.copy, mutant["file"]), original)
        tally[verdict] += 1
        if verdict == "survived":
            survivors.append(mutant)
        print("[%d/%d] %s: %s" % (index, len(chosen), verdict, describe(mutant)), flush=True)
    workspace.build(["all"], timeout=None)
    report(results, survivors, seed)
    print("mutate: %d mutant(s) in %.0f minutes" % (len(chosen), (time.time() - started) / 60))
    return 0


def report(results, survivors, seed):
    print("\nmutate: seed %d" % seed)
    print("%-12s %7s %9s %11s %11s %7s" % ("subsystem", "caught", "survived", "uncompiled", "equivalent", "score"))
    total = OrderedDict(caught=0, survived=0, uncompiled=0, equivalent=0)
    for name, tally in list(results.items()) + [("all", total)]:
        if name != "all":
            for key in total:
                total[key] += tally[key]
        judged = tally["caught"] + tally["survived"]
        score = "%.1f%%" % (100.0 * tally["caught"] / judged) if judged else "-"
        print("%-12s %7d %9d %11d %11d %7s" % (name, tally["caught"], tally["survived"], tally["uncompiled"],
                                              tally["equivalent"], score))
    for mutant in survivors:
        print("survived: " + describe(mutant))


if __name__ == "__main__":
    sys.exit(main())
