#!/bin/sh
# quira-cli survey over a folder of small instances with an optima table: a row per instance (run,
# skipped, failed), the gaps, the summary, the CSV and JSON shapes, progress kept off standard
# output, exit statuses, a bad table line named by file:line, and Ctrl+C with the rows done so far
# (with the progress lines of --progress).
# Usage: survey.sh QUIRA_CLI DATA_DIR
cli=$1
data=$2/survey
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
has() { grep -qE -- "$2" "$1" || fail "$1 lacks /$2/: $(cat "$1")"; }

# Text: every kind of row and the summary; two rows fail, so the status is 3.
"$cli" survey "$data" --optima "$data/OPTIMA.tsv" --max-nodes 10 >"$work/text" 2>"$work/err"
[ $? -eq 3 ] || fail "text survey: status $?, expected 3"
[ "$(wc -l <"$work/text")" -eq 8 ] || fail "text survey: expected a header, 6 rows and the summary: $(cat "$work/text")"
has "$work/text" "^broken +4 +EUC_2D +failed: not a loadable instance file: Can't read coord section\.$"
has "$work/text" "^ceil8 +8 +CEIL_2D +80 +64 +25\.0000 +[0-9.]+ s +[0-9]+$"
has "$work/text" "^expl7 +7 +EXPLICIT +68 +- +- "
has "$work/text" "^huge +3 +EUC_2D +failed: weight 1414213562 times 3 nodes leaves the 32-bit range"
has "$work/text" "^ring12 +12 +EUC_2D +skipped: 12 nodes; more than --max-nodes 10$"
has "$work/text" "^tiny6 +6 +EUC_2D +60 +60 +0\.0000 "
has "$work/text" "^Survey: 6 instances, 3 run, 1 skipped, 2 failed; optimum reached on 1 of 2 with an optimum; mean gap 12\.5000 %, worst 25\.0000 % \(ceil8\); total [0-9.]+ s, loading [0-9.]+ s \([0-9.]+ %\)$"
grep -q "opt.tour\|OPTIMA" "$work/text" && fail "a tour file or the table was taken for an instance"
# Progress goes to standard error only.
has "$work/err" "^\[2/6\] ceil8 \(8 nodes\) \.\.\. 80 \(optimum 64, gap 25\.0000 %\)"
has "$work/err" "^\[5/6\] ring12 \.\.\. skipped: 12 nodes"
grep -q '^\[' "$work/text" && fail "progress on standard output"

# CSV: a header, one line per instance with the same number of fields, the summary as a '#' line.
"$cli" survey "$data/tiny6.tsp" "$data/ring12.tsp" "$data/broken.tsp" --optima "$data/OPTIMA.tsv" --csv >"$work/csv" 2>/dev/null
[ $? -eq 3 ] || fail "csv survey: status $?, expected 3"
has "$work/csv" "^file,name,n,type,status,cost,optimum,gap,ms,passes,load_ms,reason$"
has "$work/csv" "^tiny6\.tsp,tiny6,6,EUC_2D,ran,60,60,0\.0000,[0-9]+,[0-9]+,[0-9.]+,$"
has "$work/csv" "^ring12\.tsp,ring12,12,EUC_2D,ran,120,120,0\.0000,"
has "$work/csv" "^broken\.tsp,broken,4,EUC_2D,failed,,,,,,[0-9.]+,not a loadable instance file: Can't read coord section\.$"
has "$work/csv" "^# summary: instances=3 ran=2 skipped=0 failed=1 with_optimum=2 optimum_reached=2 mean_gap=0\.0000 worst_gap=0\.0000 total_ms=[0-9]+ load_ms=[0-9.]+ load_share=[0-9.]+$"
[ "$(grep -v '^#' "$work/csv" | awk -F, '{print NF}' | sort -u)" = "12" ] || fail "csv rows of different widths: $(cat "$work/csv")"

# JSON with both methods: the exact method runs where its estimate allows, and says why not.
"$cli" survey "$data/expl7.tsp" "$data/ring12.tsp" --method both --exact-limit 0 --json >"$work/json0" 2>/dev/null \
    || fail "json survey: status $?"
has "$work/json0" "\"exact\":\\{\"skipped\":\"estimate [^\"]+ exceeds --exact-limit "
"$cli" survey "$data" --optima "$data/OPTIMA.tsv" --method both --json >"$work/json" 2>/dev/null
has "$work/json" "^\\{\"level\":\"short\",\"method\":\"both\",\"rows\":\\[\\{\"file\":\"broken\\.tsp\",\"load_ms\":[0-9.e-]+,\"n\":4,\"name\":\"broken\",\"reason\":\"not a loadable"
has "$work/json" "\\{\"cost\":80,\"exact\":\\{\"aborted\":false,\"agree\":true,\"cost\":80,\"ms\":[0-9]+\\},\"file\":\"ceil8\\.tsp\",\"gap\":25\\.0,"
has "$work/json" "\"file\":\"expl7\\.tsp\",\"gap\":null,.*\"optimum\":null,"
has "$work/json" "\"summary\":\\{\"exact_agreements\":4,.*\"exact_runs\":4,\"failed\":2,.*\"instances\":6,\"interrupted\":false,.*\"optimum_reached\":2,.*\"ran\":4,\"skipped\":0,.*\"with_optimum\":3,\"worst\":\"ceil8\",\"worst_gap\":25\\.0\\}\\}$"

# Bad input is refused before anything runs: a bad table line names file:line.
printf 'file\tdimension\tedge_weight_type\tedge_weight_format\toptimal_length\thas_opt_tour\ntiny6.tsp\t6\tEUC_2D\t-\tsixty\tyes\n' >"$work/bad.tsv"
"$cli" survey "$data" --optima "$work/bad.tsv" >"$work/out" 2>"$work/err"
[ $? -eq 2 ] || fail "bad table: status $?, expected 2"
has "$work/err" "bad\\.tsv:2: optimal_length 'sixty'; expected a whole number in the 32-bit range"
[ -s "$work/out" ] && fail "output before the table was refused"
"$cli" survey "$work/none" >/dev/null 2>"$work/err"; [ $? -eq 2 ] || fail "missing input: not status 2"
"$cli" survey "$data" --json --csv >/dev/null 2>&1; [ $? -eq 2 ] || fail "--json --csv: not status 2"
# A table row of another node count and an asymmetric instance are failed rows, not gaps.
printf 'file\tdimension\tedge_weight_type\tedge_weight_format\toptimal_length\thas_opt_tour\ntiny6.tsp\t7\tEUC_2D\t-\t60\tyes\n' >"$work/seven.tsv"
printf 'NAME: a3\nTYPE: ATSP\nDIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: FULL_MATRIX\nEDGE_WEIGHT_SECTION\n0 1 2\n3 0 4\n5 6 0\n' >"$work/a3.atsp"
"$cli" survey "$data/tiny6.tsp" "$work/a3.atsp" --optima "$work/seven.tsv" >"$work/out" 2>/dev/null
[ $? -eq 3 ] || fail "mismatched table row: status $?, expected 3"
has "$work/out" "^tiny6 +6 +EUC_2D +failed: .*seven\.tsv:2 gives 7 nodes; the instance has 6$"
has "$work/out" "^a3 +3 +EXPLICIT +failed: TYPE ATSP; expected TSP, the symmetric problem$"
# All rows run: status 0, and no table means no optimum.
"$cli" survey "$data/tiny6.tsp" >"$work/out" 2>/dev/null || fail "one good instance: status $?"
has "$work/out" "^tiny6 +6 +EUC_2D +60 +- +- "

# Ctrl+C: the running instance stops with its best, the rows so far and the summary are printed.
awk 'BEGIN { print "NAME : r300"; print "TYPE : TSP"; print "DIMENSION : 300"; print "EDGE_WEIGHT_TYPE : EUC_2D";
             print "NODE_COORD_SECTION"; s = 7; for (k = 1; k <= 300; ++k) { s = (s * 1103515245 + 12345) % 2147483648;
             x = s % 10007; s = (s * 1103515245 + 12345) % 2147483648; print k, x, s % 10007 } print "EOF" }' >"$work/r300.tsp"
"$cli" survey "$data/tiny6.tsp" "$work/r300.tsp" "$data/ceil8.tsp" --csv --progress >"$work/int" 2>"$work/interr" &
pid=$!
sleep 2.5
kill -INT $pid
wait $pid
status=$?
[ "$status" -eq 130 ] || fail "interrupted survey: status $status, expected 130: $(cat "$work/interr")"
has "$work/int" "^tiny6\\.tsp,tiny6,6,EUC_2D,ran,60,"
has "$work/int" "^r300\\.tsp,r300,300,EUC_2D,interrupted,[0-9]+,"
grep -q "^ceil8" "$work/int" && fail "the survey went on after Ctrl+C"
has "$work/int" "^# summary: instances=2 ran=2 .* interrupted=yes$"
# --progress on a pipe: the instance's line, then a line a second with its best cost.
has "$work/interr" "^\\[2/3\\] r300 \\(300 nodes\\) \\.\\.\\.$"
has "$work/interr" "^\\[2/3\\] r300 polyn: 1 sec  best \\([0-9]+\\)$"
exit $failed
