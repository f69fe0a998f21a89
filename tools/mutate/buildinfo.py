# What the build knows about the program: which target compiles which source, which targets a
# target needs, which executables each CTest test runs, and each source's compile command.
# Read from CMake's file API, compile_commands.json and `ctest --show-only=json-v1`, so that no
# list of files, libraries or tests is kept by hand.
import json
import os
import re
import shlex
import subprocess
from dataclasses import dataclass, field
from pathlib import Path

QUERY = Path(".cmake/api/v1/query/codemodel-v2")
REPLY = Path(".cmake/api/v1/reply")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


@dataclass
class Target:
    name: str
    type: str  # "EXECUTABLE", "STATIC_LIBRARY", "UTILITY", ...
    sources: set  # compiled sources, relative to the source tree
    artifacts: list  # absolute paths of what it makes
    deps: set = field(default_factory=set)  # names of the targets it needs directly


@dataclass
class Test:
    name: str
    command: list
    labels: set
    properties: dict
    targets: set = field(default_factory=set)  # executables its command runs


def request_codemodel(build):
    query = Path(build) / QUERY
    query.parent.mkdir(parents=True, exist_ok=True)
    query.touch()


def read_codemodel(build, source):
    """The targets of a configured build (request_codemodel before configuring)."""
    build, source = Path(build).resolve(), Path(source).resolve()
    reply = build / REPLY
    indexes = sorted(reply.glob("index-*.json"))
    if not indexes:
        raise RuntimeError(f"{build}: no CMake file API reply (configure with the query in place)")
    index = json.loads(indexes[-1].read_text())
    model_file = next(
        r["jsonFile"] for r in index["reply"].values() if isinstance(r, dict) and r.get("kind") == "codemodel"
    )
    model = json.loads((reply / model_file).read_text())
    config = model["configurations"][0]
    by_id = {}
    raw = {}
    for entry in config["targets"]:
        data = json.loads((reply / entry["jsonFile"]).read_text())
        sources = set()
        for s in data.get("sources", []):
            if "compileGroupIndex" not in s:
                continue
            path = Path(s["path"])
            path = path if path.is_absolute() else source / path
            try:
                sources.add(path.resolve().relative_to(source).as_posix())
            except ValueError:
                pass  # generated or outside the tree
        artifacts = [str((build / a["path"]).resolve()) if not os.path.isabs(a["path"]) else a["path"]
                     for a in data.get("artifacts", [])]
        by_id[entry["id"]] = data["name"]
        raw[data["name"]] = (data, Target(data["name"], data["type"], sources, artifacts))
    targets = {}
    for name, (data, target) in raw.items():
        target.deps = {by_id[d["id"]] for d in data.get("dependencies", []) if d["id"] in by_id}
        targets[name] = target
    return targets


def closure(targets, name):
    """The target and every target it needs, directly or not."""
    seen = set()
    todo = [name]
    while todo:
        t = todo.pop()
        if t in seen or t not in targets:
            continue
        seen.add(t)
        todo.extend(targets[t].deps)
    return seen


def read_tests(build, targets):
    out = subprocess.run(["ctest", "--show-only=json-v1"], cwd=build, capture_output=True, text=True, check=True)
    data = json.loads(out.stdout)
    executables = [(t.name, a) for t in targets.values() if t.type == "EXECUTABLE" for a in t.artifacts]
    tests = []
    for entry in data.get("tests", []):
        props = {p["name"]: p["value"] for p in entry.get("properties", [])}
        labels = set(props.get("LABELS", []))
        command = entry.get("command") or []
        test = Test(entry["name"], command, labels, props)
        for arg in command:
            for name, artifact in executables:
                if artifact in arg:
                    test.targets.add(name)
        if not command and entry["name"].endswith("_NOT_BUILT"):
            test.targets.add(entry["name"][: -len("_NOT_BUILT")])  # gtest_discover_tests before the build
        tests.append(test)
    return tests


def compile_commands(build, source):
    """Each source's compile command (argument list) and folder, by its path in the tree."""
    path = Path(build) / "compile_commands.json"
    if not path.exists():
        return {}
    source = Path(source).resolve()
    result = {}
    for entry in json.loads(path.read_text()):
        file = Path(entry["file"])
        if not file.is_absolute():
            file = Path(entry["directory"]) / file
        try:
            rel = file.resolve().relative_to(source).as_posix()
        except ValueError:
            continue
        args = entry.get("arguments") or shlex.split(entry["command"])
        result[rel] = (args, entry["directory"])
    return result


def includes(path):
    """The quoted includes of a source file."""
    try:
        return INCLUDE.findall(Path(path).read_text(errors="replace"))
    except OSError:
        return []
