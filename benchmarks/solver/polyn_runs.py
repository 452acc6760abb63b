#!/usr/bin/env python3
"""Runs the polynomial method over fixed inputs and records, or checks, every result.

Inputs: the published instances up to a node count (converted by TOURCHK, solved by
`quira-cli solve --matrix`), and a few random networks and graphs made by quira-cli's own generators.
Each result line holds the case, n, cost, passes and the best cycle; the time is recorded beside it
but never compared.

  benchmarks/solver/polyn_runs.py --record benchmarks/solver/polyn-results.tsv
  benchmarks/solver/polyn_runs.py --check benchmarks/solver/polyn-results.tsv   # exit 1 on a change
  benchmarks/solver/polyn_runs.py --only instances --level short               # just print

Options: --build DIR (default build/release), --instances DIR (default ../shared/instances beside the
checkout), --max-nodes N (default 200), --only instances|random|all.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# Random cases: (label, quira-cli arguments).
RANDOM_CASES = (
    [(f"net{n}-s{s}-{lv}", ["--random", "--nodes", str(n), "--amplitude", "100", "--seed", str(s),
                            "--level", lv])
     for n, s in ((20, 1), (40, 2), (60, 3), (90, 4), (130, 5)) for lv in ("short", "full")]
    + [(f"net{n}-s{s}-a{a}", ["--random", "--nodes", str(n), "--amplitude", str(a), "--seed", str(s)])
       for n, s, a in ((50, 6, 10000), (70, 7, 3))]
    + [(f"graph{n}-d{d}-s{s}", ["--random", "--kind", "graph", "--nodes", str(n), "--degree", str(d),
                               "--seed", str(s)])
       for n, d, s in ((30, 3, 1), (60, 3, 2), (120, 3, 3), (200, 3, 4), (80, 5, 5))]
)


def solve(cli, args):
    t0 = time.monotonic()
    out = subprocess.run([cli, "solve", "--method", "polyn", "--json"] + args, check=True,
                         capture_output=True, text=True).stdout
    seconds = time.monotonic() - t0
    p = json.loads(out)["polyn"]
    return p["cost"], p.get("passes", "-"), "-".join(map(str, p["cycle"])), seconds


def instance_cases(directory, max_nodes, level):
    with open(os.path.join(directory, "OPTIMA.tsv")) as f:
        rows = [line.rstrip("\n").split("\t") for line in f][1:]
    for name, dim, *_rest in rows:
        if int(dim) <= max_nodes:
            yield name, int(dim), level


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "release"))
    ap.add_argument("--instances", default=os.path.join(os.path.dirname(ROOT), "shared", "instances"))
    ap.add_argument("--max-nodes", type=int, default=200)
    ap.add_argument("--level", default="short")
    ap.add_argument("--only", default="all", choices=["instances", "random", "all"])
    ap.add_argument("--record")
    ap.add_argument("--check")
    a = ap.parse_args()
    cli = os.path.join(a.build, "cli", "quira-cli")
    tourchk = os.path.join(a.build, "tourchk", "TOURCHK")

    lines = []
    total = 0.0
    with tempfile.TemporaryDirectory() as tmp:
        if a.only in ("instances", "all"):
            if not os.path.isdir(a.instances):
                print(f"no instances at {a.instances}; skipped", file=sys.stderr)
            else:
                for name, dim, level in instance_cases(a.instances, a.max_nodes, a.level):
                    src = os.path.join(tmp, name)
                    with open(os.path.join(a.instances, name), "rb") as f, open(src, "wb") as g:
                        g.write(f.read())
                    subprocess.run([tourchk, src], check=True, capture_output=True)
                    matrix = os.path.splitext(src)[0] + ".txt"
                    cost, passes, cycle, s = solve(cli, ["--matrix", matrix, "--level", level])
                    total += s
                    lines.append((f"{name}-{level}", dim, cost, passes, cycle, s))
                    print(f"{name}-{level}\t{dim}\t{cost}\t{passes}\t{s:.2f} s", file=sys.stderr)
        if a.only in ("random", "all"):
            for label, args in RANDOM_CASES:
                cost, passes, cycle, s = solve(cli, args)
                n = int(args[args.index("--nodes") + 1])
                lines.append((label, n, cost, passes, cycle, s))
                print(f"{label}\t{n}\t{cost}\t{passes}\t{s:.2f} s", file=sys.stderr)
    print(f"instances: {total:.1f} s in all", file=sys.stderr)

    if a.record:
        with open(a.record, "w") as f:
            f.write("case\tn\tcost\tpasses\tcycle\tseconds\n")
            for c, n, cost, passes, cycle, s in lines:
                f.write(f"{c}\t{n}\t{cost}\t{passes}\t{cycle}\t{s:.2f}\n")
    if a.check:
        with open(a.check) as f:
            want = {r[0]: r[1:5] for r in (line.rstrip("\n").split("\t") for line in list(f)[1:])}
        bad = 0
        for c, n, cost, passes, cycle, _s in lines:
            got = [str(n), str(cost), str(passes), cycle]
            if c not in want:
                print(f"{c}: not in {a.check}", file=sys.stderr)
                bad += 1
            elif want[c] != got:
                print(f"{c}: CHANGED: was cost {want[c][1]} passes {want[c][2]}, now cost {cost} "
                      f"passes {passes}{'' if want[c][3] == cycle else ' (cycle differs)'}",
                      file=sys.stderr)
                bad += 1
        print(f"{len(lines) - bad} of {len(lines)} results unchanged", file=sys.stderr)
        return 1 if bad else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())
