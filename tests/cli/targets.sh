#!/bin/sh
# What quira-cli writes to and reads from, when it is not a plain file: saves through a symbolic
# link reach the file it names and keep the link; a FIFO and a device node are written directly and
# stay what they are; a FIFO without a reader is refused at once; an instance that is a FIFO, names
# its size twice or is asymmetric is refused before it costs anything; names that are not UTF-8
# never cost the JSON output; --tour-out writes the optimum's cycle and is refused where no cycle is.
# Usage: targets.sh QUIRA_CLI DATA_DIR
cli=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# Every writer: random --out, doc --save, solve --tour-out and --svg.
write_to() {
    "$cli" random --nodes 6 --seed 1 --out "$1" &&
        "$cli" doc "$work/d.tsp" --save "$1" &&
        "$cli" solve --matrix "$data/net5.txt" --method polyn --tour-out "$1" >/dev/null &&
        "$cli" solve --matrix "$data/net5.txt" --method polyn --svg "$1" >/dev/null
}
"$cli" random --nodes 6 --seed 1 --out "$work/d.tsp" || fail "random --out"

# A link: the file it names gets the bytes, the link stays a link.
mkdir "$work/real"
echo old >"$work/real/a.out"
ln -s real/a.out "$work/link.out"
write_to "$work/link.out" || fail "writing through a link"
[ -L "$work/link.out" ] || fail "the link was replaced by a file"
grep -q "<svg" "$work/real/a.out" || fail "the file behind the link was not written"

# A FIFO with a reader gets the bytes and stays a FIFO; without one it is refused at once.
mkfifo "$work/pipe"
timeout 10 cat "$work/pipe" >"$work/piped" &
sleep 0.2
"$cli" solve --matrix "$data/net5.txt" --method polyn --tour-out "$work/pipe" >/dev/null || fail "tour into a FIFO"
wait
grep -q "^TOUR_SECTION" "$work/piped" || fail "the FIFO's reader got no tour"
[ -p "$work/pipe" ] || fail "the FIFO was replaced"
timeout 10 "$cli" random --nodes 5 --out "$work/pipe" 2>"$work/err"
[ $? -eq 1 ] && grep -q "no process reads the FIFO" "$work/err" || fail "a FIFO without reader: $(cat "$work/err")"

# A device node made here (root only; the numbers of /dev/null): written, never replaced.
if mknod "$work/null" c 1 3 2>/dev/null && : 2>/dev/null >"$work/null"; then
    write_to "$work/null" || fail "writing into a device node"
    [ -c "$work/null" ] || fail "the device node was replaced by a file"
else
    echo "skipped: no device node can be made here"
fi
[ -z "$(ls -A "$work" "$work/real" | grep '^\.')" ] || fail "a temporary file was left: $(ls -A "$work")"

# Instances judged before they are loaded.
printf 'NAME: x\nTYPE: TSP\nDIMENSION: 5\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 1 0\n3 1 1\n4 0 1\n5 2 2\nDIMENSION: 20000\nNODE_COORD_SECTION\n1 0 0\nEOF\n' >"$work/twice.tsp"
"$cli" solve --instance "$work/twice.tsp" --method polyn 2>"$work/err"
[ $? -eq 2 ] && grep -q "DIMENSION again at line 11 (first at line 3)" "$work/err" || fail "second DIMENSION: $(cat "$work/err")"
"$cli" survey "$work/twice.tsp" --max-nodes 10 >"$work/out" 2>&1
grep -q "DIMENSION again" "$work/out" || fail "survey took a second DIMENSION: $(cat "$work/out")"
printf 'NAME: a\nTYPE: ATSP\nDIMENSION: 3\nEDGE_WEIGHT_TYPE: EXPLICIT\nEDGE_WEIGHT_FORMAT: FULL_MATRIX\nEDGE_WEIGHT_SECTION\n0 1 2\n3 0 4\n5 6 0\nEOF\n' >"$work/a.atsp"
"$cli" solve --instance "$work/a.atsp" --method polyn 2>"$work/err"
[ $? -eq 2 ] && grep -q "TYPE ATSP; expected TSP, the symmetric problem" "$work/err" || fail "ATSP: $(cat "$work/err")"
# Address space caps; a sanitizer's shadow memory cannot live under them, so its builds check the refusals uncapped.
cap_memory() { [ -n "$QUIRA_SANITIZED" ] || ulimit -v "$1"; }
printf 'NAME: big\nTYPE: TSP\nDIMENSION: 20000\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n' >"$work/big.tsp"
awk 'BEGIN { for (i = 1; i <= 20000; ++i) print i, i % 97, i % 89 }' >>"$work/big.tsp"
# (judged from the header, it needs none of the 800 MB its matrix would take)
(cap_memory 300000; "$cli" solve --instance "$work/big.tsp" --method polyn 2>"$work/err")
[ $? -eq 2 ] && grep -q "20000 nodes; expected at most" "$work/err" || fail "oversized: $(cat "$work/err")"
# The exact method's estimate needs none of the polynomial method's n^3 table (4.3 GB at 1,024 nodes).
awk 'BEGIN { for (i = 1; i <= 1024; ++i) { printf "%d:", i; for (j = 1; j <= 1024; ++j) printf " %d", (i * j) % 97; print "" } }' >"$work/n1024.txt"
(cap_memory 1000000; "$cli" solve --matrix "$work/n1024.txt" --method estimate >"$work/out" 2>"$work/err")
grep -q "^Estimate: " "$work/out" || fail "estimate at 1024 nodes under 1 GB: $(cat "$work/err")"
mkfifo "$work/in.tsp"
timeout 10 "$cli" solve --instance "$work/in.tsp" 2>"$work/err"
[ $? -eq 2 ] && grep -q "not a regular file" "$work/err" || fail "--instance FIFO: $(cat "$work/err")"
timeout 10 "$cli" survey "$work/in.tsp" >"$work/out" 2>&1
grep -q "not a regular file" "$work/out" || fail "survey FIFO: $(cat "$work/out")"

# JSON of a Latin-1 NAME, file name and document field: the stray byte becomes U+FFFD.
printf 'NAME: caf\351\nTYPE: TSP\nDIMENSION: 4\nEDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 3 0\n3 3 4\n4 0 4\nEOF\n' >"$work/caf$(printf '\351').tsp"
"$cli" survey "$work/caf$(printf '\351').tsp" --json >"$work/out" 2>"$work/err" || fail "survey --json of Latin-1: $(cat "$work/err")"
grep -q "\"cost\":14" "$work/out" && grep -q "caf$(printf '\357\277\275')" "$work/out" || fail "survey --json lost its result: $(cat "$work/out")"
"$cli" random --nodes 5 --seed 2 --out "$work/l.tsp"
sed -i "s/100/10$(printf '\377')/" "$work/l.tsp"
"$cli" doc "$work/l.tsp" --json >"$work/out" 2>"$work/err" || fail "doc --json with 0xFF: $(cat "$work/err")"
grep -q "\"amplitude\":\"10$(printf '\357\277\275')\"" "$work/out" || fail "doc --json: $(cat "$work/out")"

# --tour-out: the optimum's cycle is written; an estimate has none and refuses the option.
"$cli" solve --matrix "$data/net5.txt" --method optimum --tour-out "$work/o.tour" >/dev/null || fail "optimum --tour-out"
[ "$(grep -c '^[1-5]$' "$work/o.tour" 2>/dev/null)" = 5 ] || fail "the optimum's tour was not written"
"$cli" solve --matrix "$data/net5.txt" --method estimate --tour-out "$work/e.tour" >/dev/null 2>"$work/err"
[ $? -eq 2 ] && grep -q "finds no cycle" "$work/err" || fail "estimate --tour-out: $(cat "$work/err")"

[ $failed -eq 0 ] && echo "all target checks passed"
exit $failed
