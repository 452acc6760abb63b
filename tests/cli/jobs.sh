#!/bin/sh
# --jobs: a series (compared, with several starts, of graphs, against the optimum) and a survey run
# in worker processes print what --jobs 1 prints, times aside, in every format.
# Usage: jobs.sh QUIRA_CLI INSTANCES
cli=$1
instances=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$(dirname "$0")/untimed.sh"
check() {  # what: the command's arguments
    # shellcheck disable=SC2068
    "$cli" $@ --jobs 1 >"$work/one" 2>/dev/null
    one=$?
    # shellcheck disable=SC2068
    "$cli" $@ --jobs 3 >"$work/three" 2>/dev/null
    three=$?
    [ "$one" = "$three" ] || fail "$*: exit status $one with --jobs 1, $three with --jobs 3"
    same "$work/one" "$work/three" "$*: --jobs 3 differs from --jobs 1"
}
check series --nodes 9 --tests 12 --compare
check series --nodes 9 --tests 12 --compare --json
check series --nodes 9 --tests 12 --compare --csv
check series --nodes 10 --tests 14 --starts 3 --json
check series --graph --nodes 12 --tests 10 --json
check series --nodes 9 --tests 6 --reference optimum --json
check survey "$instances" --max-nodes 60 --json
check survey "$instances" --max-nodes 60

# The time limit stops the workers: the series ends with what was finished, as a stopped single run.
"$cli" series --nodes 12 --tests 400 --compare --jobs 2 --time-limit 2 >"$work/stopped" 2>/dev/null
status=$?
[ "$status" = 124 ] || fail "series --jobs 2 --time-limit 2: exit status $status; expected 124"
grep -q "Testing is aborted by user" "$work/stopped" || fail "the stopped series does not say so"
grep -q "Number of random tests" "$work/stopped" || fail "the stopped series prints no statistics"
sleep 1
pgrep -f "series --nodes 12 --tests 400" >/dev/null && fail "a worker outlived the stopped series"
echo "all jobs checks passed"
