#!/bin/sh
# Shards against the single run, in processor time (user + system, GNU time), and the cycle of a
# 15-node enumeration in 8 shards against the single loop's.
#   1. PAIRS times, in turns: the single run of a 14-node enumeration (--threads 1) and 4 shards of
#      it (--threads 1, under GNU parallel, JOBS at a time: 1 by default, so that both sides run one
#      busy thread and the figure shows what cutting costs, not what a shared core costs) plus
#      their merge.
#   2. Once: the 15-node enumeration (14! = 8.7e10 orders) as the single loop and in 8 shards
#      through GNU parallel; the merged text must be the single loop's, times aside. The single
#      loop's estimate (--method estimate --threads 1) is set beside its real time.
# Usage: [JOBS=N] shards.sh QUIRA_CLI [PAIRS] [--no-15]
cli=${1:?usage: shards.sh QUIRA_CLI [PAIRS] [--no-15]}
pairs=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Processor seconds of a command (its children included), its output to $work/out.
cpu() { /usr/bin/time -f "%U %S" -o "$work/time" "$@" >"$work/out" && awk '{ print $1 + $2 }' "$work/time"; }
untimed() { sed -e 's/"ms":[0-9]*//' -e 's/^Time: .*$/Time:/' "$1"; }

echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
p14="--random --nodes 14 --seed 7"
for pair in $(seq "$pairs"); do
    single=$(cpu "$cli" solve $p14 --method exact --threads 1)
    cp "$work/out" "$work/single14.txt"
    rm -f "$work"/p14-*.jsonl
    shards=$(cpu parallel --will-cite -j "${JOBS:-1}" "$cli" solve $p14 --method exact --threads 1 --shard {}/4 \
        --shard-out "$work/p14-{}.jsonl" ::: 1 2 3 4)
    merge=$(cpu "$cli" merge "$work"/p14-*.jsonl)
    untimed "$work/out" >"$work/a"; untimed "$work/single14.txt" >"$work/b"
    cmp -s "$work/a" "$work/b" || { echo "14 nodes: the merge differs from the single run"; exit 1; }
    echo "14 nodes, pair $pair: single run $single s, 4 shards $shards s + merge $merge s, ratio" \
        "$(echo "$shards $merge $single" | awk '{ printf "%.3f", ($1 + $2) / $3 }')"
done
[ "${3:-}" = "--no-15" ] && exit 0

p15="--random --nodes 15 --seed 1"
"$cli" solve $p15 --method estimate --threads 1 --json >"$work/estimate.json"
echo "15 nodes: the single loop's estimate $(sed 's/.*"text":"\([^"]*\)".*/\1/' "$work/estimate.json")"
start=$(date +%s)
single=$(cpu "$cli" solve $p15 --method exact --threads 1)
echo "15 nodes: single loop $single s of processor, $(( $(date +%s) - start )) s"
cat "$work/out"
cp "$work/out" "$work/single15.txt"
start=$(date +%s)
shards=$(cpu parallel --will-cite -j 2 "$cli" solve $p15 --method exact --threads 1 --shard {}/8 \
    --shard-out "$work/p15-{}.jsonl" ::: 1 2 3 4 5 6 7 8)
echo "15 nodes: 8 shards $shards s of processor, $(( $(date +%s) - start )) s"
"$cli" merge "$work"/p15-*.jsonl >"$work/merged15.txt" || exit 1
cat "$work/merged15.txt"
untimed "$work/merged15.txt" >"$work/a"; untimed "$work/single15.txt" >"$work/b"
if cmp -s "$work/a" "$work/b"; then echo "15 nodes: the merged cycle is the single loop's"; else echo "15 nodes: DIFFERENT"; exit 1; fi
