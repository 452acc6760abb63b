#!/bin/sh
# A series in shards: 4 shards through GNU parallel, and as the tasks of a Slurm array, merged,
# print what the single series prints (text, --json, --csv; times aside); a shard cut short and
# resumed loses nothing; a merge that misses a shard names it.
# A survey in 4 shards merges into the single survey's output the same way.
# Usage: series_shards.sh QUIRA_CLI INSTANCES EXAMPLES
cli=$1
instances=$2
examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/untimed.sh"
command -v parallel >/dev/null || fail "GNU parallel is missing (scripts/install-deps.sh installs it)"

for series in "--nodes 9 --tests 14 --compare" "--nodes 9 --tests 10 --starts 3" "--graph --nodes 11 --tests 9"; do
    rm -f "$work"/p*.jsonl
    # shellcheck disable=SC2086
    parallel --will-cite -j 2 "$cli" series $series --jobs 1 --shard {}/4 --shard-out "$work/p{}.jsonl" ::: 1 2 3 4 \
        >/dev/null || fail "$series: a shard under GNU parallel"
    for format in "" --json --csv; do
        # shellcheck disable=SC2086
        "$cli" series $series --jobs 1 $format >"$work/single" 2>&1
        # shellcheck disable=SC2086
        "$cli" merge "$work"/p*.jsonl $format >"$work/merged" 2>&1 || fail "$series: merge $format"
        same "$work/single" "$work/merged" "$series: the merge ($format) is not the single series"
    done
done

# The tasks of a Slurm array 1-4, with the array's variables instead of --shard.
series="--nodes 9 --tests 14 --compare"
for id in 1 2 3 4; do
    # shellcheck disable=SC2086
    SLURM_ARRAY_TASK_ID=$id SLURM_ARRAY_TASK_MIN=1 SLURM_ARRAY_TASK_MAX=4 SLURM_ARRAY_TASK_COUNT=4 \
        "$cli" series $series --shard-out "$work/s$id.jsonl" >/dev/null || fail "Slurm task $id"
done
# shellcheck disable=SC2086
"$cli" series $series --json >"$work/single"
"$cli" merge "$work"/s*.jsonl --json >"$work/merged" || fail "merge of the Slurm tasks"
same "$work/single" "$work/merged" "the Slurm tasks' merge is not the single series"
# The Slurm example, unchanged, as the tasks of an array 0-3 would run it.
for id in 0 1 2 3; do
    SLURM_ARRAY_TASK_ID=$id SLURM_ARRAY_TASK_MIN=0 SLURM_ARRAY_TASK_MAX=3 SLURM_ARRAY_TASK_COUNT=4 \
        QUIRA_CLI="$cli" CAMPAIGN="series $series" OUT="$work/slurm" sh "$examples/slurm-series.sh" >/dev/null ||
        fail "the Slurm example's task $id"
done
"$cli" merge "$work"/slurm/series-part-*.jsonl --json >"$work/merged" || fail "merge of the Slurm example's tasks"
same "$work/single" "$work/merged" "the Slurm example's merge is not the single series"

# A shard cut short (its last line torn, as a kill leaves it) and resumed.
head -n 3 "$work/s2.jsonl" >"$work/cut.jsonl"
printf '{"first":' >>"$work/cut.jsonl"
# shellcheck disable=SC2086
"$cli" series $series --shard 2/4 --resume "$work/cut.jsonl" >/dev/null || fail "--resume"
"$cli" merge "$work/s1.jsonl" "$work/cut.jsonl" "$work/s3.jsonl" "$work/s4.jsonl" --json >"$work/merged" ||
    fail "merge of the resumed shard"
same "$work/single" "$work/merged" "the resumed shard's merge is not the single series"

# A missing shard is named.
"$cli" merge "$work/s1.jsonl" "$work/s2.jsonl" "$work/s4.jsonl" 2>"$work/err"
[ $? -eq 2 ] && grep -q 'problems 8-10 of 14 are missing (shard 3/4: no file given)' "$work/err" ||
    { cat "$work/err"; fail "a missing shard was not named"; }

# A survey: its instances in 4 shards (the rows' times are the CSV's ms and load columns).
# The CSV rows without their times (ms and load columns) and shares.
rows() { awk -F, 'BEGIN { OFS = "," } NF >= 11 && !/^#/ { $9 = "T"; $11 = "T" } { print }' | sed -E 's/ [a-z_]*(ms|share)=[0-9.]+//g'; }
survey="$instances --optima $instances/OPTIMA.tsv --max-nodes 60"
# shellcheck disable=SC2086
parallel --will-cite -j 2 "$cli" survey $survey --jobs 1 --shard {}/4 --shard-out "$work/v{}.jsonl" ::: 1 2 3 4 \
    >/dev/null 2>&1 || fail "a survey shard under GNU parallel"
for format in "" --json --csv; do
    # shellcheck disable=SC2086
    "$cli" survey $survey --jobs 1 $format 2>/dev/null | rows >"$work/single"
    # shellcheck disable=SC2086
    "$cli" merge "$work"/v*.jsonl $format | rows >"$work/merged" ||
        fail "survey merge $format"
    same "$work/single" "$work/merged" "the survey's merge ($format) is not the single survey"
done
echo "all series shard checks passed"
