#!/bin/sh
# Stops that keep their work: SIGTERM and SIGHUP stop a method as Ctrl+C does (the best cycle so far
# is printed, "aborted": true) with exit status 143 and 129; --time-limit does the same with 124,
# also between a survey's instances; a run waiting for its input ends at once; an exact run
# estimated beyond a day is refused (status 2) unless --force.
# Usage: signals.sh QUIRA_CLI DATA
cli=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Waits (at most 20 s) until the file holds the pattern.
await() {
    i=0
    until grep -q "$2" "$1" 2>/dev/null; do
        i=$((i + 1))
        [ $i -le 200 ] || fail "no '$2' in $1"
        sleep 0.1
    done
}

# A method stopped by a signal, once its progress line shows that it runs.
for sig in TERM HUP; do
    "$cli" solve --random --nodes 14 --method exact --threads 1 --progress --json >"$work/out" 2>"$work/err" &
    pid=$!
    await "$work/err" '^Exp. Method: [0-9]* sec'
    kill -$sig $pid
    wait $pid
    status=$?
    cat "$work/out"
    expected=143; [ $sig = HUP ] && expected=129
    [ $status -eq $expected ] || fail "SIG$sig: exit status $status, expected $expected"
    grep -q '"aborted":true,"cost":-\?[0-9]*,"cycle":\[1,' "$work/out" || fail "SIG$sig: no best cycle printed"
done

# A series stopped by SIGTERM prints what it has and stops for good: no later problem runs.
"$cli" series --nodes 9 --tests 100000 --compare --progress --csv >"$work/out" 2>"$work/err" &
pid=$!
await "$work/err" 'tests done'
kill -TERM $pid
wait $pid
status=$?
[ $status -eq 143 ] || fail "series: exit status $status, expected 143"
grep -q '^# summary: tests=' "$work/out" || fail "series: no summary after SIGTERM"

# The time limit: the method stops with its best cycle; a survey stops between its instances.
"$cli" solve --random --nodes 14 --method exact --threads 1 --time-limit 0.3 >"$work/out"
status=$?
cat "$work/out"
[ $status -eq 124 ] || fail "--time-limit: exit status $status, expected 124"
grep -q '^Exp. Method: ( *-\?[0-9]*) 1-' "$work/out" || fail "--time-limit: no best cycle printed"
"$cli" survey "$data/survey" --time-limit 0.001 --json >"$work/out" 2>/dev/null
status=$?
[ $status -eq 124 ] || fail "survey --time-limit: exit status $status, expected 124"
grep -q '"interrupted":true' "$work/out" || fail "survey --time-limit: the summary does not say it was stopped"
for bad in 0 -1 nan x; do
    "$cli" solve --random --nodes 5 --time-limit $bad 2>/dev/null
    [ $? -eq 2 ] || fail "--time-limit $bad was not refused"
done

# A run that waits for its input ends at once.
mkfifo "$work/fifo"
"$cli" solve --matrix - --method exact <"$work/fifo" 2>"$work/err" &
pid=$!
exec 3>"$work/fifo"
sleep 0.3
kill -TERM $pid
wait $pid
status=$?
exec 3>&-
[ $status -eq 143 ] || fail "waiting for input: exit status $status, expected 143"

# Hopeless exact runs are refused before anything runs, with the estimate named.
"$cli" solve --random --nodes 20 --method exact >"$work/out" 2>"$work/err"
status=$?
cat "$work/err"
[ $status -eq 2 ] || fail "a hopeless run: exit status $status, expected 2"
grep -q 'estimate for 20 nodes is [0-9.]* years, more than a day; expected --force' "$work/err" || fail "the refusal does not name the estimate"
[ -s "$work/out" ] && fail "a refused run printed something"
"$cli" check --random --nodes 20 --method exact 2>/dev/null
[ $? -eq 2 ] || fail "check: a hopeless run was not refused"
"$cli" solve --random --nodes 20 --method exact --force --time-limit 0.2 >/dev/null
[ $? -eq 124 ] || fail "--force: the run did not start"
echo "all signal checks passed"
