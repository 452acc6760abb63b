#!/bin/sh
# --progress: one line a second on a standard error that is not a terminal, with the elapsed time,
# the best cost so far and, for the exact method, the share of the (n-1)! orders done and the time
# left; Ctrl+C still stops the method with its best cycle. A series counts its tests.
# Usage: progress.sh QUIRA_CLI
cli=$1
err=$(mktemp)
out=$(mktemp)
"$cli" solve --random --nodes 14 --method exact --threads 1 --progress >"$out" 2>"$err" &
pid=$!
sleep 3
kill -INT $pid
wait $pid
status=$?
cat "$err" "$out"
[ "$status" -eq 130 ] || { echo "exit status $status, expected 130"; exit 1; }
lines=$(grep -c '^Exp. Method: [0-9] sec  best (-\?[0-9]*)  [0-9.]*% of 6227020800 orders, about .* left$' "$err")
[ "$lines" -ge 2 ] && [ "$lines" -le 4 ] || { echo "$lines progress lines in 3 seconds, expected 2 to 4"; exit 1; }
grep -q '^Exp. Method: ( *-\?[0-9]*) 1-' "$out" || { echo "no best cycle printed"; exit 1; }
"$cli" series --nodes 9 --tests 1000 --compare --progress >/dev/null 2>"$err" &
pid=$!
sleep 2
kill -INT $pid
wait $pid
cat "$err"
grep -q '[0-9]* of 1000 tests done$' "$err" || { echo "no count of the series' tests"; exit 1; }
if grep -q '^$' "$err"; then echo "an empty progress line"; exit 1; fi
# On a terminal the progress line is erased before the result is printed on it.
if command -v script >/dev/null; then
    script -qc "$cli solve --random --nodes 130 --method polyn" /dev/null </dev/null >"$out"
    grep -q ')Polyn. Method: (' "$out" && { echo "the result follows the progress line"; cat -v "$out"; exit 1; }
    grep -q 'Polyn. Method: [0-9]* sec  best' "$out" || { echo "no progress line on the terminal"; exit 1; }
fi
rm -f "$err" "$out"
