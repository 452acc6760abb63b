#!/bin/sh
# Nothing lost, nothing silent: safe saves under a file-size limit, output that cannot be written,
# options checked before any output, honest exit statuses of quira-cli and TOURCHK, a Ctrl+C that
# never loses the printed result.
# Usage: failures.sh QUIRA_CLI TOURCHK DATA_DIR
cli=$1
tourchk=$2
data=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# expect STATUS TEXT COMMAND...: the command ends with STATUS and its standard error holds TEXT.
expect() {
    want=$1; text=$2; shift 2
    "$@" >"$work/out" 2>"$work/err"; got=$?
    [ "$got" -eq "$want" ] || fail "$* -> status $got, expected $want: $(cat "$work/err")"
    [ -z "$text" ] || grep -qF -- "$text" "$work/err" || fail "$* -> stderr lacks '$text': $(cat "$work/err")"
}

# A save that fails keeps the old file and leaves no temporary file.
"$cli" random --graph --nodes 12 --degree 3 --seed 2 --out "$work/v.grp" || fail "random --out"
cp "$work/v.grp" "$work/v0.grp"
# (the limit applies in the subshell only; its output goes through a pipe, which has no size limit)
(ulimit -f 0; "$cli" doc "$work/v.grp" --save "$work/v.grp" 2>&1; echo "status $?") </dev/null | cat >"$work/limited"
grep -q "v.grp: cannot write the document: File too large" "$work/limited" || fail "save under ulimit: $(cat "$work/limited")"
grep -q "status 1" "$work/limited" || fail "save under ulimit ends 0"
cmp -s "$work/v.grp" "$work/v0.grp" || fail "the document was damaged by a failed save"
[ -z "$(ls -A "$work" | grep '^\.')" ] || fail "a temporary file was left: $(ls -A "$work")"

# Standard output that cannot be written is a failure.
if [ -w /dev/full ]; then
    expect 1 "cannot write standard output" sh -c "'$cli' random --nodes 100 > /dev/full"
fi

# Options and inputs are checked before anything is printed.
expect 2 "--params /nonexistent" "$cli" map --triangle --params /nonexistent
[ -s "$work/out" ] && fail "map printed before its --params failed"
expect 2 "is a directory" "$cli" map --triangle --params "$work"
expect 2 "is a directory" "$cli" solve --matrix "$work"
expect 2 "is a directory" "$cli" doc "$work"
expect 2 "larger than 64 MB" sh -c "head -c 70000000 /dev/zero | '$cli' solve --matrix -"
expect 2 "--nodes 0" "$cli" solve --random --nodes 0
expect 2 "--nodes -1" "$cli" solve --matrix "$data/net5.txt" --nodes -1
expect 2 "--first-loop -1" "$cli" solve --matrix "$data/net5.txt" --first-loop -1
expect 2 "--param2: expected a finite number" "$cli" solve --matrix "$data/net5.txt" --param2 inf
expect 2 "unknown subcommand 'frob'" "$cli" frob
expect 2 "Expected the nodes 1..5" "$cli" check --matrix "$data/net5.txt" --cycle 1-2-2-4-5
expect 0 "" sh -c "'$cli' solve --random --nodes 60 --method estimate --json | grep -q '\"seconds\":[0-9]'"

# The strict matrix: a report fed back gives its own matrix; faults name file:line.
"$cli" random --nodes 6 --seed 5 --out "$work/r.tsp" && "$cli" doc "$work/r.tsp" >"$work/r.txt"
"$cli" solve --matrix "$work/r.txt" --method exact --json | sed 's/"ms":[0-9]*//' >"$work/a.json"
"$cli" solve --doc "$work/r.tsp" --method exact --json | sed 's/"ms":[0-9]*//' >"$work/b.json"
cmp -s "$work/a.json" "$work/b.json" || fail "a report fed back is not its own matrix"
printf ' 1: 0 1 2\n 2: 0 0 3x\n 3: 0 0 0\n' >"$work/bad.txt"
expect 2 "bad.txt:2: row 2: '3x' is not an integer" "$cli" solve --matrix "$work/bad.txt"
printf 'NAME: x\nDIMENSION: 3\n' >"$work/inst.txt"
expect 2 "instance file" "$cli" solve --matrix "$work/inst.txt"

# TOURCHK: 0 for the usage text and a written table, 1 with one line naming the file otherwise.
expect 0 "" "$tourchk"
printf 'NAME: t\nTYPE: TSP\nDIMENSION: 3\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 3 4\n3 6 8\nEOF\n' >"$work/t.tsp"
expect 0 "" "$tourchk" "$work/t.tsp"
grep -q "  1:    0     5    10 " "$work/t.txt" || fail "TOURCHK table"
cp "$work/t.txt" "$work/t0.txt"
expect 1 "TOURCHK: $work/none.tsp was not loaded" "$tourchk" "$work/none.tsp"
printf 'NAME: t\nDIMENSION: 0\nEOF\n' >"$work/zero.tsp"
expect 1 "DIMENSION 0 is not a positive node count" "$tourchk" "$work/zero.tsp"
(ulimit -f 0; "$tourchk" "$work/t.tsp" 2>&1; echo "status $?") </dev/null | cat >"$work/limited"
grep -q "TOURCHK: the table $work/t.txt was not written" "$work/limited" || fail "TOURCHK under ulimit: $(cat "$work/limited")"
grep -q "status 1" "$work/limited" || fail "TOURCHK under ulimit ends 0"
cmp -s "$work/t.txt" "$work/t0.txt" || fail "TOURCHK damaged its old table"
printf 'NAME: t\nDIMENSION: 2\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\nEOF\n' >"$work/miss.tsp"
"$tourchk" "$work/miss.tsp" 2>"$work/err"
[ "$(tail -c 1 "$work/err" | od -An -c | tr -d ' ')" = '\n' ] || fail "TOURCHK message without a line break"

# Ctrl+C: waiting on standard input ends at once with 130; a signal sent to the whole group
# (as timeout does) never loses the printed result.
sleep 5 2>/dev/null | "$cli" solve --matrix - >/dev/null 2>&1 &
pid=$!
# (a loaded machine may take a while to start the program: wait for it, then for its end)
child=""
for k in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    child=$(pgrep -n -P $$ quira-cli 2>/dev/null)
    [ -n "$child" ] && break
    sleep 0.1
done
# A background job starts with Ctrl+C ignored until the program installs its handler (slow under a
# sanitizer on a loaded machine), so the interrupt is sent again until the program has ended.
for k in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    sleep 0.2
    [ -n "$child" ] && kill -INT "$child" 2>/dev/null
    kill -0 "$child" 2>/dev/null || break
done
code=none
if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; code=$?; fi
[ "$code" = 130 ] || fail "Ctrl+C on --matrix - did not end it with 130 (status $code)"
kill "$pid" 2>/dev/null
for k in 1 2 3 4 5 6; do
    timeout -s INT 0.4 "$cli" solve --matrix "$data/net14.txt" --method exact --json >"$work/int.json" 2>/dev/null
    grep -q '"aborted":true' "$work/int.json" || fail "run $k: interrupted result lost"
done
# An interrupted check prints the best cycle found; an interrupted series has no NaN and says so.
timeout -s INT 0.4 "$cli" check --matrix "$data/net14.txt" --method exact >"$work/check.txt" 2>/dev/null
grep -q "^Exp. Method: best so far ( [0-9]*) 1-" "$work/check.txt" || fail "interrupted check: $(cat "$work/check.txt")"
timeout -s INT 0.3 "$cli" series --nodes 13 --tests 3 --compare >"$work/series.txt" 2>/dev/null
grep -qi "nan" "$work/series.txt" && fail "interrupted series: $(cat "$work/series.txt")"
timeout -s INT 0.6 "$cli" series --nodes 11 --tests 1000 --compare --json >"$work/series.json" 2>/dev/null
grep -q '"aborted":true' "$work/series.json" || fail "interrupted series JSON lacks aborted"
exit $failed
