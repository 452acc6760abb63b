#!/bin/sh
# Ctrl+C early in a proven optimum and in the middle of a series: the optimum has no bound yet
# (null, or a number no cycle falls below), and the series' interrupted problem writes no row:
# every format holds exactly the tests it counts.
# Usage: interrupted.sh QUIRA_CLI
cli=$1
out=$(mktemp)
fail() { echo "$1"; cat "$out"; rm -f "$out"; exit 1; }

"$cli" solve --random --nodes 150 --method optimum --json >"$out" 2>/dev/null &
pid=$!
sleep 0.3
kill -INT $pid
wait $pid
grep -q -- '-9223372036854775808' "$out" && fail "a bound that is no bound"
grep -q '"aborted":true' "$out" || grep -q '"proven":true' "$out" || fail "no optimum printed"

"$cli" series --nodes 60 --tests 100000 --csv >"$out" 2>/dev/null &
pid=$!
sleep 1.5
kill -INT $pid
wait $pid
rows=$(grep -c '^[0-9]' "$out")
tests=$(sed -n 's/^# summary: tests=\([0-9]*\) .*interrupted=yes$/\1/p' "$out")
[ -n "$tests" ] || fail "no interrupted summary line"
[ "$rows" -eq "$tests" ] || fail "$rows rows for $tests tests"

"$cli" series --nodes 60 --tests 100000 --json >"$out" 2>/dev/null &
pid=$!
sleep 1.5
kill -INT $pid
wait $pid
runs=$(grep -o '"problem":' "$out" | wc -l)
tests=$(grep -o '"tests":[0-9]*' "$out" | cut -d: -f2)
[ "$runs" -eq "$tests" ] || fail "$runs runs for $tests tests"
rm -f "$out"
echo "interrupted runs are reported as they ended"
