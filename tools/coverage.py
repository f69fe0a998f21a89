#!/usr/bin/env python3
# Line and branch coverage per folder of the product code, from gcovr's JSON summary of a
# coverage build (tools/coverage.sh makes both). Product code is what the fault seeding
# mutates (tools/mutate/mutate.conf): the toolkit-free folders, and the desktop helpers that a
# test without a display includes; headers count with their folder or their source.
#   usage: tools/coverage.py BUILD_DIR SUMMARY_JSON
import json
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


def main(build, summary):
    sources, config = product(build)
    stems = {s.rsplit(".", 1)[0] for s in sources}
    groups = {}
    for entry in json.loads(Path(summary).read_text())["files"]:
        name = entry["filename"]
        rule = mutate.rule_for(config, name)
        if name in sources or (name.endswith(".h") and (rule == "include" or name.rsplit(".", 1)[0] in stems)):
            kind = "desktop helpers" if rule == "tested" else "toolkit-free"
            folder = mutate.folder_of(name)
            counts = groups.setdefault((kind, folder), [0, 0, 0, 0])
            counts[0] += entry["line_covered"]
            counts[1] += entry["line_total"]
            counts[2] += entry["branch_covered"]
            counts[3] += entry["branch_total"]
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
        sys.exit("usage: tools/coverage.py BUILD_DIR SUMMARY_JSON")
    main(Path(sys.argv[1]), Path(sys.argv[2]))
