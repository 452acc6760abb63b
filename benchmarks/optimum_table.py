#!/usr/bin/env python3
"""The proven optimum over every published instance: the table of docs/benchmarks.md, in one command.

Runs build/release/benchmarks/optimum_instance (the optimum method's branch and cut on pathkit's
64-bit distances, the instance's fixed edges honoured) once per instance of OPTIMA.tsv up to a node
count, one process each with a time limit, and prints a Markdown table: n, published optimum, the
proven value (or the best cycle and bound where the limit stopped it), wall and processor time,
branch-and-bound nodes, cuts by kind and the process's peak memory. A published optimum of an
instance with fixed edges is the tour less those edges (a Hamiltonian path), so the table shows both.

  benchmarks/optimum_table.py                       # every instance up to 1,002 nodes, 900 s each
  benchmarks/optimum_table.py --max-nodes 300 --time-limit 60 --lp glpk --json runs.jsonl

Exit status 1 when a proven value differs from the published optimum.
"""
import argparse
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(ROOT, "build", "release"))
    ap.add_argument("--instances", default=os.path.join(ROOT, "..", "shared", "instances"))
    ap.add_argument("--max-nodes", type=int, default=1002)
    ap.add_argument("--min-nodes", type=int, default=1)
    ap.add_argument("--time-limit", type=float, default=900)
    ap.add_argument("--lp", choices=["clp", "glpk"], default="clp")
    ap.add_argument("--processor-time", action="store_true",
                    help="the limit counts processor time, not wall time (a shared, loaded machine)")
    ap.add_argument("--only", nargs="*", help="instance names (without .tsp) to run")
    ap.add_argument("--json", help="also append each run's JSON line to this file")
    a = ap.parse_args()

    program = os.path.join(a.build, "benchmarks", "optimum_instance")
    rows = []
    with open(os.path.join(a.instances, "OPTIMA.tsv")) as f:
        header = f.readline().rstrip("\n").split("\t")
        for line in f:
            r = dict(zip(header, line.rstrip("\n").split("\t")))
            n = int(r["dimension"])
            name = r["file"][:-4] if r["file"].endswith(".tsp") else r["file"]
            if a.min_nodes <= n <= a.max_nodes and (not a.only or name in a.only):
                rows.append((n, name, r["file"], int(r["optimal_length"])))
    rows.sort()

    print(f"Measured {time.strftime('%Y-%m-%d %H:%M')} on {os.uname().nodename}, {os.cpu_count()} processors, "
          f"load average {os.getloadavg()[0]:.1f}; LP {a.lp}; limit {a.time_limit:g} s "
          f"{'of processor time' if a.processor_time else ''} per instance.\n")
    print("| instance | n | published optimum | proven value | time (wall) | processor | nodes "
          "| cuts: subtour / blossom / comb | peak memory |")
    print("|---|---|---|---|---|---|---|---|---|")
    wrong = 0
    for n, name, file, optimum in rows:
        cmd = [program, os.path.join(a.instances, file), "--lp", a.lp, "--time-limit", str(a.time_limit)]
        if a.processor_time:
            cmd.append("--limit-processor-time")
        p = subprocess.run(cmd, capture_output=True, text=True, timeout=a.time_limit * 20 + 120)
        lines = [l for l in p.stdout.splitlines() if l.startswith("{")]
        if not lines:
            print(f"| {name} | {n} | {optimum:,} | failed ({p.returncode}) | | | | | |")
            continue
        d = json.loads(lines[-1])
        if a.json:
            with open(a.json, "a") as out:
                out.write(lines[-1] + "\n")
        # With fixed edges the published optimum leaves them out.
        comparable = d["cost"] - d["fixed_weight"]
        if d["proven"]:
            value = f"{d['cost']:,}"
            if d["fixed_edges"]:
                value += f" ({comparable:,} + {d['fixed_weight']:,} of {d['fixed_edges']} fixed edge)"
            if comparable != optimum:
                value += " **differs**"
                wrong += 1
        else:
            bound = "-" if d["bound"] is None else f"{d['bound']:,}"
            value = f"not proven: best {d['cost']:,}, bound {bound}"
        cuts = d["cuts"]
        print(f"| {name} | {n} | {optimum:,} | {value} | {d['wall_s']:.2f} s | {d['cpu_s']:.2f} s | "
              f"{d['branches']:,} | {cuts['subtour']:,} / {cuts['blossom']:,} / {cuts['comb']:,} | "
              f"{d['peak_kb'] / 1024:.0f} MB |", flush=True)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
