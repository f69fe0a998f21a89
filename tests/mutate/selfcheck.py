#!/usr/bin/env python3
# The fault seeding's quick self-check: the tokenizer skips what it must, and a run of the real
# tool over the little project in fixture/ (configured in a folder of its own) kills a known
# mutant, keeps a survivor, recognises the hand-marked equivalent one, counts a mutant that does
# not compile as invalid, writes both reports and leaves every source as it was.
import json
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
TOOL = HERE.parent.parent / "tools" / "mutate"
sys.path.insert(0, str(TOOL))
import mutants  # noqa: E402

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print(f"FAILED: {what}")


def tokenizer():
    text = r'''// a < b in a comment
#define LIMIT(a, b) ((a) < (b) ? 1 : 2) \
    + (a == b)
#include "x < y.h"
/* x == y && z
   on two lines */
const char* s = "p < q || r == 1";
const char* raw = R"x(a < b && c)x";
char c = '<';
std::vector<std::pair<int, int>> v;
int F(Widget&& w, int a, int b)
{
    if (a < b && b != 3)
        return -a;
    Use(std::move(w));
    return a * b;
}
'''
    tokens = mutants.tokenize(text)
    texts = [t.text for t in tokens]
    check("LIMIT" not in texts and "define" not in texts, "a preprocessor line with its continuation is skipped")
    check('"p < q || r == 1"' in texts and 'R"x(a < b && c)x"' in texts and "'<'" in texts,
          "string, raw string and character literals are single tokens")
    check(not any(t.text in ("comment", "lines") for t in tokens), "comments are skipped")
    lines = {t.text: t.line for t in tokens if t.kind == "id"}
    check(lines.get("F") == 11 and lines.get("Use") == 15, "tokens carry their line numbers")
    found = mutants.mutants(text)
    touched = {m.line for m in found}
    check(touched <= {13, 14, 15, 16}, f"only the function body is mutated (lines {sorted(touched)})")
    kinds = {(m.line, m.op, m.replacement) for m in found}
    check((13, "rel", "<=") in kinds, "a < b gets its boundary flip")
    check((13, "eq", "==") in kinds, "b != 3 gets its equality flip")
    check((13, "logic", "||") in kinds, "&& becomes ||")
    check((13, "const", "4") in kinds and (13, "const", "2") in kinds, "3 becomes 4 and 2")
    check((16, "arith", "/") in kinds, "a * b becomes a / b")
    check((15, "drop", ";") in kinds, "a call statement can be dropped")
    check((13, "negate", "!(a < b && b != 3)") in kinds, "the condition can be negated")
    check(not any(m.line == 11 for m in found), "an rvalue reference and a declaration are left alone")
    check(not any(m.op == "arith" and m.line == 14 for m in found), "a unary minus is no subtraction")
    check(not any(m.op == "rel" and m.line == 10 for m in found), "template brackets are not comparisons")
    source = "void H() { std::vector<std::pair<int, int>> v; std::sort(v.begin(), v.end()); }"
    dropped = [source[m.start : m.end] for m in mutants.mutants(source) if m.op == "drop"]
    check(dropped == ["std::sort(v.begin(), v.end());"], f"a declaration is never dropped, a call is ({dropped})")
    swap = mutants.mutants("void G() { Draw(nX, nY); Put(a, b + 1); }")
    check([m.replacement for m in swap if m.op == "args"] == ["nY, nX"], "look-alike arguments are swapped")


def run_tool(workdir, *extra):
    cmd = [sys.executable, str(TOOL / "mutate.py"), "--source", str(workdir / "tree"), "--build", str(workdir / "area"),
           "--config", str(workdir / "tree" / "mutate.conf"), "--equivalent", str(workdir / "tree" / "equivalent.txt"),
           "--jobs", "2", *extra]
    return subprocess.run(cmd, capture_output=True, text=True, timeout=300)


def line_of(text, start):
    return next(i for i, line in enumerate(text.splitlines(), 1) if line.strip().startswith(start))


def whole_run():
    with tempfile.TemporaryDirectory(prefix="mutate-selfcheck-") as tmp:
        work = Path(tmp)
        shutil.copytree(HERE / "fixture", work / "tree")
        source = work / "tree" / "lib" / "Clamp.cpp"
        before = source.read_text()

        listing = run_tool(work, "--list")
        check(listing.returncode == 0, f"--list runs ({listing.stderr[-2000:]})")
        files = [line.split(":")[0] for line in listing.stdout.splitlines() if not line.startswith(" ")]
        check(files == ["helpers/Used.cpp", "lib/Clamp.cpp"],
              f"the product files are the configured ones, a helper only when a test includes it ({files})")
        describe = line_of(before, "return \"a < b")
        check(f"  {describe}:" not in listing.stdout, "nothing in a string or comment is mutated")
        check("return n * 2" in listing.stdout and "return n + 1" not in listing.stdout,
              "code the build's preprocessor leaves out is not mutated")

        guard = line_of(before, "if (value < low)")
        larger = line_of(before, "return a >= b")
        case = line_of(before, "case 1:")
        twice = line_of((work / "tree" / "helpers" / "Used.cpp").read_text(), "return n * 2")
        picks = [f"{guard}:negate", f"{guard}:rel", f"{larger}:rel", f"{case}:const:case 0:", f"{twice}:arith"]
        result = run_tool(work, "--files", "lib/Clamp.cpp", "helpers/Used.cpp", *sum((["--pick", p] for p in picks), []),
                          "--report", str(work / "report.json"))
        check(result.returncode == 1, f"a run with a survivor exits 1 (got {result.returncode}: {result.stderr[-3000:]})")
        report_file = work / "report.json"
        if not report_file.exists():
            check(False, "the JSON report is written")
            return
        report = json.loads(report_file.read_text())
        verdicts = {(m["line"], m["op"]): m for m in report["files"]["lib/Clamp.cpp"]["mutants"]}
        expect = {(guard, "negate"): "killed", (guard, "rel"): "survived", (larger, "rel"): "equivalent",
                  (case, "const"): "invalid"}
        for key, verdict in expect.items():
            got = verdicts.get(key, {}).get("verdict")
            check(got == verdict, f"the mutant {key[1]} on line {key[0]} is {verdict} (got {got})")
        check(verdicts.get((guard, "negate"), {}).get("by", "").startswith("ClampTest.Bounds"),
              "a kill names the failing case of a GoogleTest-style program")
        helper = report["files"].get("helpers/Used.cpp", {}).get("mutants", [])
        check([(m["verdict"], m["by"].split(" ")[0]) for m in helper] == [("killed", "twice")],
              f"a mutant of the helper is killed by the plain test that includes it ({helper})")
        check(verdicts.get((guard, "rel"), {}).get("mutated") == "if (value <= low)", "the report shows the mutated line")
        totals = report["totals"]
        check((totals["killed"], totals["valid"], totals["equivalent"], totals["score"]) == (2, 4, 1, 66.7),
              f"killed / valid / equivalent / score are 2 / 4 / 1 / 66.7 (got {totals})")
        markdown = (work / "report.md").read_text() if (work / "report.md").exists() else ""
        check(f"`lib/Clamp.cpp:{guard}` rel" in markdown and "| lib | 1 | 1 | 1 | 1 | 3 | 50.0 % |" in markdown
              and "| helpers | 1 | 0 | 0 | 0 | 1 | 100.0 % |" in markdown,
              "the readable report lists the survivor and the folder's row")
        check(source.read_text() == before, "the source tree is left as it was")
        check((work / "area" / "src" / "lib" / "Clamp.cpp").read_text() == before, "the mutation copy is restored")
        check(not (work / "area" / "journal").exists(), "no mutant is left in the journal")

        # Marking the survivor equivalent afterwards and judging the report again.
        with open(work / "tree" / "equivalent.txt", "a") as f:
            f.write("\nfile: lib/Clamp.cpp\noperator: rel\noriginal: if (value < low)\n"
                    "mutated: if   (value <= low)\nreason: at the bound both return it\n")
        again = run_tool(work, "--rescore", str(report_file))
        totals = json.loads(report_file.read_text())["totals"]
        check(again.returncode == 0 and (totals["survived"], totals["equivalent"], totals["score"]) == (0, 2, 100.0),
              f"--rescore applies a new equivalent record (got {again.returncode}, {totals})")


tokenizer()
whole_run()
if failures:
    print(f"{len(failures)} checks failed")
    sys.exit(1)
print("fault seeding self-check: all checks passed")
