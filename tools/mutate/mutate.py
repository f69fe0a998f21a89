#!/usr/bin/env python3
# Fault seeding: makes plausible faults (mutants) in the product's C++ sources one at a time, in a
# copy of the source tree with a build of its own, and tells which of them the tests catch.
#
#   tools/mutate/mutate.py [--build DIR] [--seed S] [--per-file N] [--changed [REV]]
#                          [--folders F ...] [--files F ...] [--jobs J] [--report FILE]
#
# See docs/testing.md ("Fault seeding") for how to read the report and mark equivalent mutants.
import argparse
import fcntl
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import buildinfo  # noqa: E402
import mutants as mutgen  # noqa: E402

HERE = Path(__file__).resolve().parent
DEFAULT_PER_FILE = 8
DEFAULT_SEED = 1


class Stop(Exception):
    """A termination signal, turned into an exception so that every finally block runs."""


def on_signal(signum, frame):
    raise Stop(f"signal {signum}")


def log(*parts):
    print(*parts, file=sys.stderr, flush=True)


# --- configuration ---


@dataclass
class Config:
    rules: list = field(default_factory=list)  # (folder, "include" | "exclude" | "tested")
    cmake: list = field(default_factory=list)
    exclude_labels: list = field(default_factory=list)


def read_config(path):
    config = Config()
    section = None
    for number, raw in enumerate(Path(path).read_text().splitlines(), 1):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
            continue
        if section == "product":
            words = line.split()
            if words[0].startswith("-"):
                config.rules.append((words[0][1:].strip("/"), "exclude"))
            elif len(words) == 2 and words[1] == "tested":
                config.rules.append((words[0].strip("/"), "tested"))
            elif len(words) == 1:
                config.rules.append((words[0].strip("/"), "include"))
            else:
                raise SystemExit(f"{path}:{number}: expected FOLDER, -FOLDER or FOLDER tested")
        elif section == "cmake":
            config.cmake.append(line)
        elif section == "tests":
            words = line.split()
            if len(words) != 2 or words[0] != "exclude-label":
                raise SystemExit(f"{path}:{number}: expected exclude-label LABEL")
            config.exclude_labels.append(words[1])
        else:
            raise SystemExit(f"{path}:{number}: outside [product], [cmake] or [tests]")
    return config


def rule_for(config, path):
    """The product rule that decides a source: the one of its longest matching folder."""
    best = None
    for folder, mode in config.rules:
        if path == folder or path.startswith(folder + "/") or folder == ".":
            if best is None or len(folder) > len(best[0]):
                best = (folder, mode)
    return best[1] if best else None


@dataclass
class Equivalent:
    file: str
    op: str
    original: str
    mutated: str
    reason: str
    used: bool = False


def read_equivalents(path):
    """Hand-marked equivalent mutants: blocks of "file:", "operator:", "original:", "mutated:"
    and "reason:" lines, separated by blank lines; lines starting with "#" are comments."""
    records = []
    if not path or not Path(path).exists():
        return records
    block = {}
    keys = ("file", "operator", "original", "mutated", "reason")

    def close(number):
        if not block:
            return
        missing = [k for k in keys if not block.get(k)]
        if missing:
            raise SystemExit(f"{path}:{number}: equivalent mutant without {', '.join(missing)}")
        records.append(Equivalent(block["file"], block["operator"], mutgen.normalize(block["original"]),
                                  mutgen.normalize(block["mutated"]), block["reason"]))
        block.clear()

    lines = Path(path).read_text().splitlines()
    for number, line in enumerate(lines, 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            close(number)
            continue
        key, sep, value = line.partition(":")
        if not sep or key.strip() not in keys:
            raise SystemExit(f"{path}:{number}: expected one of {', '.join(k + ':' for k in keys)}")
        block[key.strip()] = value.strip()
    close(len(lines) + 1)
    return records


def find_equivalent(records, file, op, original, mutated):
    for r in records:
        if r.file == file and r.op == op and r.original == original and r.mutated == mutated:
            return r
    return None


# --- the copy of the tree ---


def tree_files(root):
    """The files of the tree the developer works on: git's tracked and untracked-but-not-ignored
    files, or every file outside build folders when the tree is not a git work tree."""
    try:
        out = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=root,
                             capture_output=True, check=True)
        inside = subprocess.run(["git", "rev-parse", "--show-prefix"], cwd=root, capture_output=True,
                                text=True, check=True).stdout.strip()
        if inside == "":
            return sorted(p for p in out.stdout.decode().split("\0") if p and (Path(root) / p).is_file())
    except (OSError, subprocess.CalledProcessError):
        pass
    files = []
    for dirpath, dirnames, filenames in os.walk(root):
        rel = Path(dirpath).relative_to(root)
        dirnames[:] = [d for d in dirnames if not d.startswith("build") and d != ".git"]
        files += [(rel / f).as_posix() for f in filenames]
    return sorted(files)


def sync_tree(root, copy):
    """Makes copy hold exactly the tree's files; returns how many it wrote. A file left mutated
    by a run that died is put right here too."""
    root, copy = Path(root), Path(copy)
    wanted = set(tree_files(root))
    written = 0
    for rel in sorted(wanted):
        src, dst = root / rel, copy / rel
        data = src.read_bytes()
        if dst.is_symlink() or not dst.exists() or dst.read_bytes() != data:
            dst.parent.mkdir(parents=True, exist_ok=True)
            if dst.is_symlink():
                dst.unlink()
            dst.write_bytes(data)
            shutil.copymode(src, dst)
            written += 1
    for dirpath, dirnames, filenames in os.walk(copy):
        for f in filenames:
            rel = (Path(dirpath) / f).relative_to(copy).as_posix()
            if rel not in wanted:
                (Path(dirpath) / f).unlink()
    return written


class Workspace:
    """The mutation area: a copy of the tree (src/) and its build (build/), a lock so that one
    run at a time uses it, and a journal naming the file that holds a mutant right now."""

    def __init__(self, root, area):
        self.root = Path(root).resolve()
        self.area = Path(area).resolve()
        self.src = self.area / "src"
        self.build = self.area / "build"
        self.journal = self.area / "journal"
        self.lock_file = None
        self.last_stamp = 0

    def __enter__(self):
        self.area.mkdir(parents=True, exist_ok=True)
        self.lock_file = open(self.area / "lock", "w")
        try:
            fcntl.flock(self.lock_file, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except BlockingIOError:
            raise SystemExit(f"{self.area} is in use by another run")
        self.restore()
        return self

    def __exit__(self, *exc):
        self.restore()
        self.lock_file.close()

    def stamp(self, path):
        """A modification time newer than any written before, so builds always see the change."""
        now = max(time.time_ns(), self.last_stamp + 1_000_000)
        self.last_stamp = now
        os.utime(path, ns=(now, now))

    def write_mutant(self, rel, text):
        self.journal.write_text(rel)
        path = self.src / rel
        path.write_text(text)
        self.stamp(path)

    def restore(self):
        """Puts back the file the journal names (from the developer's tree, which is never
        written)."""
        if not self.journal.exists():
            return
        rel = self.journal.read_text().strip()
        if rel:
            original = self.root / rel
            copy = self.src / rel
            copy.write_bytes(original.read_bytes())
            self.stamp(copy)
        self.journal.unlink()


# --- build and tests ---


def run(cmd, cwd=None, timeout=None, env=None, quiet=True):
    """(exit status, seconds, output); status None on a timeout. The command gets a process
    group of its own, killed whole on a timeout or an interruption."""
    start = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE if quiet else None,
                            stderr=subprocess.STDOUT if quiet else None, start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, time.monotonic() - start, (out or b"").decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, time.monotonic() - start, (out or b"").decode(errors="replace")
    except BaseException:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()
        raise


class Project:
    """The configured mutation build and what it knows."""

    def __init__(self, ws, config, jobs):
        self.ws = ws
        self.config = config
        self.jobs = jobs
        self.targets = {}
        self.tests = []
        self.commands = {}

    def configure(self):
        buildinfo.request_codemodel(self.ws.build)
        cmd = ["cmake", "-S", str(self.ws.src), "-B", str(self.ws.build), "-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"]
        if not (self.ws.build / "CMakeCache.txt").exists() and shutil.which("ninja"):
            cmd += ["-G", "Ninja"]
        cmd += self.config.cmake
        status, _, out = run(cmd)
        if status != 0:
            log(out)
            raise SystemExit("configuring the mutation build failed")
        self.targets = buildinfo.read_codemodel(self.ws.build, self.ws.src)
        self.commands = buildinfo.compile_commands(self.ws.build, self.ws.src)
        self.read_tests()
        if any(not t.command and not t.targets for t in self.tests):
            # CTest names a test's program only once it exists: build everything once.
            log("mutate: building all (some tests' programs are not built yet)")
            status, _, out = run(["cmake", "--build", str(self.ws.build), "-j", str(self.jobs)])
            if status != 0:
                log(out[-5000:])
                raise SystemExit("the unmutated build fails")
            self.read_tests()

    def read_tests(self):
        self.tests = [t for t in buildinfo.read_tests(self.ws.build, self.targets)
                      if not (t.labels & set(self.config.exclude_labels))]

    def build(self, targets, timeout=None):
        if not targets:
            return 0, 0.0, ""
        cmd = ["cmake", "--build", str(self.ws.build), "-j", str(self.jobs), "--target", *sorted(targets)]
        return run(cmd, timeout=timeout)

    def owners(self, rel):
        return {t.name for t in self.targets.values() if rel in t.sources}

    def dependents(self, rel):
        """The executables that contain the source, directly or through the libraries they link."""
        owners = self.owners(rel)
        return {name for name, t in self.targets.items()
                if t.type == "EXECUTABLE" and owners & buildinfo.closure(self.targets, name)}

    def tests_for(self, rel):
        exes = self.dependents(rel)
        return [t for t in self.tests if t.targets & exes]

    def behaviour_tests(self):
        """The tests that run a program of the build: the final word on a survivor (a test that
        only reads the sources, like a style check, says nothing about behaviour)."""
        return [t for t in self.tests if t.targets]

    def compiler(self, rel, mode):
        """The source's compile command with mode (-E, -fsyntax-only) in place of its output, and
        the folder it runs in; None without a compile command."""
        if rel not in self.commands:
            return None
        args, directory = self.commands[rel]
        args = list(args)
        if "-o" in args:
            i = args.index("-o")
            del args[i : i + 2]
        return [a for a in args if a != "-c"] + [mode], directory

    def live_lines(self, rel):
        """The lines of the source the compiler sees in this build (code under an #if that is
        false here, like another system's, is left out), or None when that cannot be told."""
        command = self.compiler(rel, "-E")
        if command is None:
            return None
        args, directory = command
        status, _, out = run(args, cwd=directory, timeout=600)
        if status != 0:
            return None
        source = os.path.realpath(self.ws.src / rel)
        live = set()
        current, line = None, 0
        for text in out.splitlines():
            if text.startswith("# ") and len(text) > 2 and text[2].isdigit():
                parts = text.split('"')
                line = int(text[2:].split()[0])
                current = os.path.realpath(os.path.join(directory, parts[1])) if len(parts) > 1 else current
                continue
            if current == source and text.strip():
                live.add(line)
            line += 1
        return live

    def syntax_ok(self, rel):
        """Whether the (mutated) source compiles on its own."""
        command = self.compiler(rel, "-fsyntax-only")
        if command is None:
            return None
        args, directory = command
        status, _, _ = run(args, cwd=directory, timeout=600)
        return status == 0


# Properties of a test that this runner honours itself; a test with any other runs under ctest.
SIMPLE_PROPERTIES = {"LABELS", "WORKING_DIRECTORY", "ENVIRONMENT", "TIMEOUT", "SKIP_REGULAR_EXPRESSION",
                     "DISCOVERY_TIMEOUT", "RESOURCE_LOCK", "PROCESSORS"}


def gtest_filter(test):
    args = test.command[1:]
    filters = [a for a in args if a.startswith("--gtest_filter=")]
    return filters[0][len("--gtest_filter="):] if len(filters) == 1 else None


def batches(tests):
    """Groups the tests into runs: the GoogleTest cases of one program with one working folder
    and environment run as one process with all their filters; anything else runs alone."""
    groups = {}
    order = []
    for t in tests:
        simple = set(t.properties) <= SIMPLE_PROPERTIES and t.command
        flt = gtest_filter(t) if simple else None
        if flt is not None:
            rest = tuple(a for a in t.command[1:] if not a.startswith("--gtest_filter="))
            key = ("gtest", t.command[0], rest, t.properties.get("WORKING_DIRECTORY"),
                   tuple(t.properties.get("ENVIRONMENT", [])))
        else:
            key = ("single", t.name)
        if key not in groups:
            groups[key] = []
            order.append(key)
        groups[key].append(t)
    return [(key, groups[key]) for key in order]


class Runner:
    """Runs tests for a verdict: stops at the first failure; a timeout is a failure."""

    def __init__(self, project):
        self.project = project
        self.baseline = {}  # batch key -> seconds on the unmutated build

    def timeout(self, key):
        base = self.baseline.get(key, 30.0)
        return max(20.0, 4.0 * base + 10.0)

    def run_batch(self, key, tests, timeout):
        build = self.project.ws.build
        if key[0] == "gtest":
            _, program, rest, cwd, env_list = key
            names = ":".join(gtest_filter(t) for t in tests)
            env = dict(os.environ)
            for item in env_list:
                name, _, value = item.partition("=")
                env[name] = value
            cmd = [program, *rest, f"--gtest_filter={names}"]
            status, seconds, out = run(cmd, cwd=cwd or build, timeout=timeout, env=env)
            if status is not None and status < 0:
                out += f"\n[ CRASHED  ] signal {-status}\n"
            return status == 0, status is None, seconds, out
        (test,) = tests
        cmd = ["ctest", "--test-dir", str(build), "-R", f"^{_regex_escape(test.name)}$", "--timeout",
               str(int(timeout)), "--output-on-failure"]
        status, seconds, out = run(cmd, timeout=timeout + 30)
        if status == 0 and "No tests were found" in out:
            return False, False, seconds, out
        timed_out = status is None or "***Timeout" in out
        return status == 0, timed_out, seconds, out

    def measure(self, tests):
        """Runs the tests on the unmutated build and keeps their times; fails when any fails."""
        failures = []
        for key, group in batches(tests):
            ok, timed_out, seconds, out = self.run_batch(key, group, timeout=1800)
            self.baseline[key] = seconds
            if not ok:
                failures.append((", ".join(t.name for t in group[:3]), out[-3000:]))
        return failures

    def verdict(self, tests, skip=()):
        """None when every test passes, else (test name, "failed" | "timeout")."""
        for key, group in batches([t for t in tests if t.name not in skip]):
            ok, timed_out, _, out = self.run_batch(key, group, self.timeout(key))
            if not ok:
                how = "timeout" if timed_out else "crashed" if "[ CRASHED  ]" in out else "failed"
                return (_first_failure(group, out), how)
        return None


def _regex_escape(name):
    return "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in name)


def _first_failure(group, out):
    for line in out.splitlines():
        if line.startswith("[  FAILED  ]") and "." in line:
            return line.split("]", 1)[1].strip().split(" ")[0]
    return group[0].name if len(group) == 1 else f"{group[0].command[0].rsplit('/', 1)[-1]} ({len(group)} cases)"


# --- choosing the files ---


def changed_files(root, rev):
    if rev is None:
        base = subprocess.run(["git", "merge-base", "HEAD", "main"], cwd=root, capture_output=True, text=True)
        rev = base.stdout.strip() if base.returncode == 0 and base.stdout.strip() else "HEAD"
    out = subprocess.run(["git", "diff", "--name-only", rev, "--"], cwd=root, capture_output=True, text=True,
                         check=True).stdout.split()
    untracked = subprocess.run(["git", "ls-files", "-o", "--exclude-standard"], cwd=root, capture_output=True,
                               text=True, check=True).stdout.split()
    return rev, set(out) | set(untracked)


def product_files(project):
    """The compiled sources the configuration calls product code. In a "tested" folder only the
    sources whose header a display-free test includes, and those their own sources include from
    the same folder."""
    config = project.config
    compiled = set()
    for t in project.targets.values():
        compiled |= t.sources
    chosen = {f for f in compiled if rule_for(config, f) == "include"}
    tested = {f for f in compiled if rule_for(config, f) == "tested"}
    if tested:
        test_exes = set()
        for t in project.tests:
            test_exes |= t.targets
        test_sources = set()
        for name in test_exes:
            if name in project.targets:
                test_sources |= {s for s in project.targets[name].sources if rule_for(config, s) is None}
        wanted = set()
        for s in test_sources:
            wanted |= set(buildinfo.includes(project.ws.src / s))
        picked = set()
        while True:
            new = {f for f in tested - picked if _header_of(f) in wanted}
            if not new:
                break
            picked |= new
            for f in new:
                wanted |= set(buildinfo.includes(project.ws.src / f))
                wanted |= set(buildinfo.includes(project.ws.src / _header_of(f)))
        chosen |= picked
    return sorted(chosen)


def _header_of(source):
    stem = source.rsplit(".", 1)[0]
    return stem + ".h"


# --- one run ---


@dataclass
class Result:
    file: str
    line: int
    op: str
    original: str
    mutated: str
    verdict: str  # killed, survived, equivalent, invalid
    by: str = ""  # the test that failed, or why it is equivalent
    seconds: float = 0.0


def mutate_file(project, runner, rel, args, equivalents, final_tests):
    text = (project.ws.src / rel).read_text()
    candidates = mutgen.mutants(text)
    live = project.live_lines(rel)
    if live is not None:
        candidates = [m for m in candidates if m.line in live]
    if args.pick:
        wanted = []
        for p in args.pick:
            line, op, *needle = p.split(":", 2)
            wanted += [m for m in candidates if m.line == int(line) and m.op == op
                       and (not needle or needle[0] in mutgen.lines_around(text, m)[1])]
        order = wanted
        per_file = len(order)
    else:
        order = mutgen.sample(candidates, args.seed, rel)
        per_file = args.per_file
    tests = project.tests_for(rel)
    targets = set()
    for t in tests:
        targets |= t.targets
    owners = project.owners(rel)
    results = []
    valid = 0
    attempts = 0
    for m in order:
        if valid >= per_file or attempts >= 3 * per_file:
            break
        attempts += 1
        original, mutated = mutgen.lines_around(text, m)
        result = Result(rel, m.line, m.op, original, mutated, "survived")
        start = time.monotonic()
        project.ws.write_mutant(rel, m.apply(text))
        status, _, out = project.build(targets or owners, timeout=1800)
        if status != 0:
            if project.syntax_ok(rel) is False or status is None:
                result.verdict = "invalid"
            else:
                result.verdict, result.by = "killed", "build (a step after compiling failed)"
        elif not tests:
            result.by = "no test runs this file"
        else:
            failure = runner.verdict(tests)
            if failure:
                result.verdict, result.by = "killed", f"{failure[0]} ({failure[1]})"
            elif not args.no_final:
                # The final word: every test that runs a program, rebuilt as needed.
                final_targets = set()
                for t in final_tests:
                    final_targets |= t.targets
                status, _, out = project.build(final_targets, timeout=1800)
                if status != 0:
                    result.verdict, result.by = "killed", "build of the full run failed"
                else:
                    failure = runner.verdict(final_tests, skip={t.name for t in tests})
                    if failure:
                        result.verdict, result.by = "killed", f"{failure[0]} ({failure[1]}, full run)"
        if result.verdict == "survived":
            eq = find_equivalent(equivalents, rel, m.op, original, mutated)
            if eq:
                eq.used = True
                result.verdict, result.by = "equivalent", eq.reason
        if result.verdict != "invalid":
            valid += 1
        result.seconds = round(time.monotonic() - start, 1)
        results.append(result)
        log(f"  {rel}:{m.line} {m.op:6} {result.verdict:10} {result.seconds:6.1f}s  {mutated[:90]}")
    project.ws.restore()
    return results


def summarize(results):
    counts = {"killed": 0, "survived": 0, "equivalent": 0, "invalid": 0}
    for r in results:
        counts[r.verdict] += 1
    valid = counts["killed"] + counts["survived"] + counts["equivalent"]
    counts["valid"] = valid
    scored = valid - counts["equivalent"]
    counts["score"] = round(100.0 * counts["killed"] / scored, 1) if scored else None
    return counts


def folder_of(rel):
    return rel.rsplit("/", 1)[0] if "/" in rel else "."


def write_reports(path, meta, results, equivalents):
    files = {}
    for r in results:
        files.setdefault(r.file, []).append(r)
    folders = {}
    for r in results:
        folders.setdefault(folder_of(r.file), []).append(r)
    report = {
        **meta,
        "totals": summarize(results),
        "folders": {f: summarize(rs) for f, rs in sorted(folders.items())},
        "files": {f: {**summarize(rs), "mutants": [vars(r) for r in rs]} for f, rs in sorted(files.items())},
        "unused_equivalents": [vars(e) for e in equivalents if not e.used],
    }
    path = Path(path)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(json.dumps(report, indent=1) + "\n")
    md = path.with_suffix(".md")
    md.write_text(markdown(report))
    return report, md


def _row(name, c):
    score = "–" if c["score"] is None else f"{c['score']:.1f} %"
    return f"| {name} | {c['killed']} | {c['survived']} | {c['equivalent']} | {c['invalid']} | {c['valid']} | {score} |"


def markdown(report):
    head = "| {} | killed | survived | equivalent | invalid | valid | score |\n|---|---:|---:|---:|---:|---:|---:|"
    out = [
        "# Fault seeding report",
        "",
        f"Seed {report['seed']}, {report['per_file']} valid mutants per file, {report['minutes']} minutes, "
        f"{len(report['files'])} files. Score = killed / (valid − equivalent).",
        "",
        "## Folders",
        "",
        head.format("folder"),
        *[_row(f, c) for f, c in report["folders"].items()],
        _row("**all**", report["totals"]),
        "",
        "## Files",
        "",
        head.format("file"),
        *[_row(f, c) for f, c in report["files"].items()],
        "",
        "## Survivors",
        "",
    ]
    any_survivor = False
    for f, data in report["files"].items():
        for m in data["mutants"]:
            if m["verdict"] != "survived":
                continue
            any_survivor = True
            out += [f"- `{f}:{m['line']}` {m['op']} ({mutgen.OPERATOR_TEXT[m['op']]}){': ' + m['by'] if m['by'] else ''}",
                    f"  - was: `{m['original']}`", f"  - now: `{m['mutated']}`"]
    if not any_survivor:
        out.append("None.")
    if report["unused_equivalents"]:
        out += ["", "## Equivalent records that matched no mutant of this run", ""]
        out += [f"- {e['file']} {e['op']}: `{e['original']}` → `{e['mutated']}`" for e in report["unused_equivalents"]]
    return "\n".join(out) + "\n"


def rescore(path, equivalents):
    """Judges the survivors and equivalents of an earlier report by the equivalent file as it is
    now, and writes that report and its .md again."""
    old = json.loads(path.read_text())
    results = []
    for file, data in old["files"].items():
        for m in data["mutants"]:
            r = Result(**m)
            if r.verdict in ("survived", "equivalent"):
                eq = find_equivalent(equivalents, r.file, r.op, r.original, r.mutated)
                if eq:
                    eq.used = True
                r.verdict, r.by = ("equivalent", eq.reason) if eq else ("survived", "")
            results.append(r)
    meta = {k: old[k] for k in ("seed", "per_file", "changed_since", "minutes")}
    report, md = write_reports(path, meta, results, equivalents)
    print(markdown(report).split("## Files")[0].rstrip())
    print(f"\nreport: {path} and {md}")
    return 0 if report["totals"]["survived"] == 0 else 1


def main(argv=None):
    parser = argparse.ArgumentParser(description="Seeds faults into the product code and reports which the tests catch.")
    parser.add_argument("--source", default=str(HERE.parent.parent), help="the source tree (default: this repository)")
    parser.add_argument("--build", help="the mutation area (default: SOURCE/build-mutate)")
    parser.add_argument("--config", help="product folders and build options (default: tools/mutate/mutate.conf)")
    parser.add_argument("--equivalent", help="hand-marked equivalent mutants (default: tools/mutate/equivalent.txt)")
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    parser.add_argument("--per-file", type=int, default=DEFAULT_PER_FILE, help="valid mutants per file")
    parser.add_argument("--changed", nargs="?", const="", metavar="REV",
                        help="only files changed since REV (default: the merge base with main)")
    parser.add_argument("--folders", nargs="+", help="only files in these folders")
    parser.add_argument("--files", nargs="+", help="only these files")
    parser.add_argument("--pick", action="append", metavar="LINE:OP[:TEXT]",
                        help="only the mutants of this operator on this line (whose mutated line holds TEXT)")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--report", help="the JSON report (a .md beside it); default BUILD/report.json")
    parser.add_argument("--list", action="store_true", help="print the chosen files and their mutants; build nothing")
    parser.add_argument("--no-final", action="store_true", help="no full test run for survivors")
    parser.add_argument("--rescore", metavar="REPORT",
                        help="apply the equivalent mutants file to an earlier JSON report again; builds nothing")
    args = parser.parse_args(argv)

    root = Path(args.source).resolve()
    area = Path(args.build).resolve() if args.build else root / "build-mutate"
    config = read_config(args.config or root / "tools/mutate/mutate.conf")
    equivalents = read_equivalents(args.equivalent or root / "tools/mutate/equivalent.txt")
    report_path = Path(args.report).resolve() if args.report else area / "report.json"

    if args.rescore:
        return rescore(Path(args.rescore), equivalents)

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    started = time.monotonic()
    with Workspace(root, area) as ws:
        written = sync_tree(root, ws.src)
        log(f"mutate: {written} files copied into {ws.src}")
        project = Project(ws, config, args.jobs)
        project.configure()
        files = product_files(project)
        if args.folders:
            folders = [f.strip("/") for f in args.folders]
            files = [f for f in files if any(f == d or f.startswith(d + "/") for d in folders)]
        if args.files:
            wanted = {Path(f).as_posix() for f in args.files}
            unknown = wanted - set(files)
            if unknown:
                raise SystemExit(f"not product sources of this build: {', '.join(sorted(unknown))}")
            files = [f for f in files if f in wanted]
        meta_rev = None
        if args.changed is not None:
            meta_rev, touched = changed_files(root, args.changed or None)
            files = [f for f in files if f in touched]
        if args.list:
            for f in files:
                text = (ws.src / f).read_text()
                live = project.live_lines(f)
                ms = [m for m in mutgen.mutants(text) if live is None or m.line in live]
                print(f"{f}: {len(ms)} mutants")
                for m in ms:
                    original, mutated = mutgen.lines_around(text, m)
                    print(f"  {m.line}:{m.op}: {original}  =>  {mutated}")
            return 0
        if not files:
            log("mutate: no product file to mutate")

        # Everything the chosen files' tests and the full runs need, built and green first.
        runner = Runner(project)
        final_tests = project.behaviour_tests()
        needed = set()
        for t in final_tests:
            needed |= t.targets
        for f in files:
            needed |= project.owners(f)
        log(f"mutate: building {len(needed)} targets")
        status, seconds, out = project.build(needed)
        if status != 0:
            log(out[-5000:])
            raise SystemExit("the unmutated build fails")
        project.read_tests()  # the GoogleTest cases are known once their programs are built
        final_tests = project.behaviour_tests()
        log(f"mutate: {len(final_tests)} tests on the unmutated build ({seconds:.0f} s to build)")
        failures = runner.measure(final_tests)
        if failures:
            for name, out in failures:
                log(f"--- {name}\n{out}")
            raise SystemExit("tests fail on the unmutated build: nothing to measure against")

        results = []
        for i, f in enumerate(files, 1):
            log(f"mutate: [{i}/{len(files)}] {f}")
            results += mutate_file(project, runner, f, args, equivalents, final_tests)
        meta = {
            "seed": args.seed,
            "per_file": args.per_file,
            "changed_since": meta_rev,
            "minutes": round((time.monotonic() - started) / 60, 1),
        }
        report, md = write_reports(report_path, meta, results, equivalents)
    totals = report["totals"]
    print(markdown(report).split("## Files")[0].rstrip())
    print(f"\nreport: {report_path} and {md}")
    return 0 if totals["survived"] == 0 else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (KeyboardInterrupt, Stop) as e:
        log(f"mutate: stopped ({e or 'interrupted'}); the sources are as they were")
        sys.exit(130)
