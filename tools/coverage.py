#!/usr/bin/env python3
# Line and branch coverage per folder of the product code, from gcovr's JSON report of a
# coverage build (tools/coverage.sh makes both). Product code is what the fault seeding
# mutates (tools/mutate/mutate.conf): the toolkit-free folders, and the desktop helpers that a
# test without a display includes; headers count with their folder or their source.
#   usage: tools/coverage.py BUILD_DIR GCOVR_JSON
import json
import os
import sys
import types
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tools" / "mutate"))
import buildinfo  # noqa: E402
import mutate  # noqa: E402


def product(build):
    """(sources, config): the product sources of the build, as the fault seeding picks them."""
    config = mutate.read_config(ROOT / "tools" / "mutate" / "mutate.conf")
    targets = buildinfo.read_codemodel(build, ROOT)
    tests = [t for t in buildinfo.read_tests(build, targets) if not (t.labels & set(config.exclude_labels))]
    project = types.SimpleNamespace(config=config, targets=targets, tests=tests, ws=types.SimpleNamespace(src=ROOT))
    return set(mutate.product_files(project)), config


def percent(covered, total):
    return "–" if total == 0 else f"{100.0 * covered / total:.1f} %"


def merged_lines(report):
    """Per file of the tree, per line: (count, branch counts), summed over every path the
    compiler saw the file by (a header reached through a layer's link in the build folder is
    the same file as the one in the tree)."""
    files = {}
    for entry in json.loads(Path(report).read_text())["files"]:
        real = Path(os.path.realpath(ROOT / entry["file"]))
        try:
            name = real.relative_to(ROOT).as_posix()
        except ValueError:
            continue
        lines = files.setdefault(name, {})
        for line in entry["lines"]:
            if line.get("gcovr/noncode") or line.get("gcovr/excluded"):
                continue
            count, branches = lines.get(line["line_number"], (0, []))
            counts = [b["count"] for b in line["branches"]]
            if len(counts) > len(branches):
                branches = branches + [0] * (len(counts) - len(branches))
            branches = [a + (counts[i] if i < len(counts) else 0) for i, a in enumerate(branches)]
            lines[line["line_number"]] = (count + line["count"], branches)
    return files


def main(build, report):
    sources, config = product(build)
    stems = {s.rsplit(".", 1)[0] for s in sources}
    groups = {}
    for name, lines in merged_lines(report).items():
        rule = mutate.rule_for(config, name)
        if name in sources or (name.endswith(".h") and (rule == "include" or name.rsplit(".", 1)[0] in stems)):
            kind = "desktop helpers" if rule == "tested" else "toolkit-free"
            counts = groups.setdefault((kind, mutate.folder_of(name)), [0, 0, 0, 0])
            counts[0] += sum(1 for count, _ in lines.values() if count > 0)
            counts[1] += len(lines)
            counts[2] += sum(1 for _, branches in lines.values() for b in branches if b > 0)
            counts[3] += sum(len(branches) for _, branches in lines.values())
    print("| code | folder | lines | line coverage | branches | branch coverage |")
    print("|---|---|---:|---:|---:|---:|")
    for kind in ("toolkit-free", "desktop helpers"):
        total = [0, 0, 0, 0]
        for (k, folder), c in sorted(groups.items()):
            if k != kind:
                continue
            total = [a + b for a, b in zip(total, c)]
            print(f"| {kind} | {folder} | {c[1]} | {percent(c[0], c[1])} | {c[3]} | {percent(c[2], c[3])} |")
        print(f"| **{kind}** | **all** | {total[1]} | {percent(total[0], total[1])} | {total[3]} | "
              f"{percent(total[2], total[3])} |")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: tools/coverage.py BUILD_DIR GCOVR_JSON")
    main(Path(sys.argv[1]), Path(sys.argv[2]))
