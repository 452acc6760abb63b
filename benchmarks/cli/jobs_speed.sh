#!/bin/sh
# --jobs speed: series and survey with --jobs 1 and --jobs 2, wall clock and processor time (user +
# system of the command and its workers), beside what the machine gives two busy processes at that
# moment (two single-job runs of the same series side by side against one alone), since other
# work on the machine distorts the wall clock.
# Usage: benchmarks/cli/jobs_speed.sh [QUIRA_CLI] [INSTANCES]   (from the repository's root)
cli=${1:-build/release/cli/quira-cli}
instances=${2:-../shared/instances}
series="series --nodes 10 --tests 40 --compare"
survey="survey $instances --optima $instances/OPTIMA.tsv --max-nodes 200"

# wall seconds and processor seconds of one command
measure() {
    /usr/bin/time -f "%e %U %S" -o /tmp/jobs_speed.$$ "$@" >/dev/null 2>&1
    awk '{printf "%.2f s wall, %.2f s processor", $1, $2 + $3}' /tmp/jobs_speed.$$
    rm -f /tmp/jobs_speed.$$
}

# shellcheck disable=SC2086
{
    echo "machine: $(nproc) hardware threads; load $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "one single-job series alone:   $(measure "$cli" $series --jobs 1)"
    start=$(date +%s.%N)
    "$cli" $series --jobs 1 >/dev/null 2>&1 &
    "$cli" $series --jobs 1 >/dev/null 2>&1
    wait
    echo "two of them side by side:      $(echo "$(date +%s.%N) - $start" | bc) s wall"
    echo "series --jobs 1:               $(measure "$cli" $series --jobs 1)"
    echo "series --jobs 2:               $(measure "$cli" $series --jobs 2)"
    echo "survey (33 instances) --jobs 1: $(measure "$cli" $survey --jobs 1)"
    echo "survey (33 instances) --jobs 2: $(measure "$cli" $survey --jobs 2)"
}
