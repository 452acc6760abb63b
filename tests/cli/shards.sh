#!/bin/sh
# The exact enumeration in shards: a 12-node enumeration in 4 shards through GNU parallel, and the
# Slurm example's body with the array variables of each task, merged, print what the single run
# prints (times aside); a shard killed and resumed loses nothing; merges that miss or repeat a part
# are refused and say which.
# Usage: shards.sh QUIRA_CLI EXAMPLES
cli=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# The output without its times.
untimed() { sed -e 's/"ms":[0-9]*//' -e 's/^Time: .*$/Time:/' "$1"; }
same() { untimed "$1" >"$work/a"; untimed "$2" >"$work/b"; cmp -s "$work/a" "$work/b" || { diff "$work/a" "$work/b"; fail "$3"; }; }

problem="--random --nodes 12 --seed 3 --maximum"
"$cli" solve $problem --method exact >"$work/single.txt" || fail "the single run"
"$cli" solve $problem --method exact --json >"$work/single.json" || fail "the single run (--json)"

command -v parallel >/dev/null || fail "GNU parallel is missing (scripts/install-deps.sh installs it)"
# shellcheck disable=SC2086
parallel --will-cite -j 2 "$cli" solve $problem --method exact --threads 1 --shard {}/4 \
    --shard-out "$work/part{}.jsonl" ::: 1 2 3 4 >/dev/null || fail "a shard under GNU parallel"
"$cli" merge "$work"/part*.jsonl >"$work/merged.txt" || fail "merge"
"$cli" merge "$work"/part*.jsonl --json >"$work/merged.json" || fail "merge --json"
cat "$work/merged.txt"
same "$work/single.txt" "$work/merged.txt" "the merged text is not the single run's"
same "$work/single.json" "$work/merged.json" "the merged JSON is not the single run's"

# The Slurm example, unchanged, as the tasks of an array 1-4 would run it.
for id in 1 2 3 4; do
    SLURM_ARRAY_TASK_ID=$id SLURM_ARRAY_TASK_MIN=1 SLURM_ARRAY_TASK_MAX=4 SLURM_ARRAY_TASK_COUNT=4 \
        QUIRA_CLI="$cli" PROBLEM="$problem" OUT="$work/slurm" sh "$examples/slurm-exact.sh" >/dev/null ||
        fail "the Slurm example's task $id"
done
"$cli" merge "$work"/slurm/exact-part-*.jsonl >"$work/slurm.txt" || fail "merge of the Slurm tasks"
same "$work/single.txt" "$work/slurm.txt" "the Slurm tasks' merge is not the single run's"
SLURM_ARRAY_TASK_ID=3 SLURM_ARRAY_TASK_MIN=1 SLURM_ARRAY_TASK_MAX=7 SLURM_ARRAY_TASK_COUNT=4 \
    "$cli" solve $problem --method exact --resume "$work/gap.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'has gaps; expected a contiguous array' "$work/err" || fail "an array with gaps was not refused"

# Refused merges name what is wrong.
"$cli" merge "$work/part1.jsonl" "$work/part2.jsonl" "$work/part4.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'blocks 495-741 of 990 are missing (shard 3/4: no file given)' "$work/err" ||
    { cat "$work/err"; fail "a missing shard was not named"; }
"$cli" merge "$work"/part*.jsonl "$work/slurm/exact-part-2.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'part2.jsonl:2 and .*exact-part-2.jsonl:2 overlap: blocks 247-494 are in both' "$work/err" ||
    { cat "$work/err"; fail "an overlap was not named"; }
"$cli" solve --random --nodes 12 --seed 4 --method exact --shard 3/4 --shard-out "$work/other.jsonl" >/dev/null
"$cli" merge "$work/part1.jsonl" "$work/part2.jsonl" "$work/other.jsonl" "$work/part4.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'other.jsonl is of another run than .*part1.jsonl (its problem.maximum differs)' "$work/err" ||
    { cat "$work/err"; fail "a shard of another problem was merged"; }
"$cli" solve $problem --method exact --shard 1/4 --shard-out "$work/part1.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'the file exists; expected a new file, or --resume' "$work/err" || fail "a result file was overwritten"

# A shard killed while it runs keeps every line it finished; --resume continues it.
problem="--random --nodes 13 --seed 5"
"$cli" solve $problem --method exact --json >"$work/single13.json"
# On a loaded machine the shard may end before the kill reaches it; then it is run again.
killed=no
for try in 1 2 3 4 5; do
    rm -f "$work/r.jsonl"
    "$cli" solve $problem --method exact --threads 1 --shard 1/1 --blocks-per-line 5 --shard-out "$work/r.jsonl" >/dev/null &
    pid=$!
    i=0
    until [ "$(cat "$work/r.jsonl" 2>/dev/null | wc -l)" -ge 4 ]; do
        i=$((i + 1)); [ $i -le 400 ] || fail "the shard wrote no lines"; sleep 0.05
    done
    kill -KILL $pid 2>/dev/null
    wait $pid
    "$cli" merge "$work/r.jsonl" >/dev/null 2>"$work/err"
    status=$?
    [ $status -eq 0 ] && continue  # it finished first
    [ $status -eq 2 ] && grep -q 'r.jsonl stopped before its end; continue it with --resume' "$work/err" ||
        { cat "$work/err"; fail "an unfinished shard was merged"; }
    killed=yes
    break
done
[ $killed = yes ] || fail "the shard always ended before the kill"
# Stopped by its time limit, it keeps what it finished too (every finished block of its pieces).
"$cli" solve $problem --method exact --threads 1 --resume "$work/r.jsonl" --shard 1/1 --blocks-per-line 5 \
    --time-limit 0.2 >/dev/null
status=$?
[ $status -eq 124 ] || [ $status -eq 0 ] || fail "--resume --time-limit: exit status $status"
"$cli" solve $problem --method exact --threads 1 --resume "$work/r.jsonl" --shard 1/1 --blocks-per-line 5 >/dev/null ||
    fail "--resume"
"$cli" merge "$work/r.jsonl" --json >"$work/resumed.json" || fail "merge of the resumed shard"
same "$work/single13.json" "$work/resumed.json" "the resumed shard's merge is not the single run's"
echo "all shard checks passed"
