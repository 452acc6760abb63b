#!/bin/sh
# Ctrl+C during the exact method: the method stops at its next poll, the best cycle so far is
# printed with "aborted": true, and the exit status is 130.
# Usage: interrupt.sh QUIRA_CLI MATRIX
cli=$1
matrix=$2
out=$(mktemp)
"$cli" solve --matrix "$matrix" --method exact --json >"$out" &
pid=$!
sleep 1
kill -INT $pid
wait $pid
status=$?
cat "$out"
grep -q '"aborted":true' "$out" || { echo "no aborted result printed"; exit 1; }
grep -q '"cycle":\[1,' "$out" || { echo "no cycle printed"; exit 1; }
[ "$status" -eq 130 ] || { echo "exit status $status, expected 130"; exit 1; }
rm -f "$out"
