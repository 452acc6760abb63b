#!/bin/sh
# The pictures of --svg: well-formed SVG, one mark per node, the cycle as one closed polyline in
# the order the method found it, at the instance's coordinates (GEO as longitude and latitude,
# north up) or on the ring, a graph without a Hamiltonian cycle said so, names escaped, a failed
# write that keeps the old file.
# Usage: svg.sh QUIRA_CLI DATA_DIR
cli=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

wellformed() {
    if command -v xmllint >/dev/null 2>&1; then
        xmllint --noout "$1" 2>"$work/xml" || fail "$1 is not well-formed: $(cat "$work/xml")"
    fi
}
count() { grep -o "$2" "$1" | wc -l | tr -d ' '; }
# The points of the cycle's polyline, one "x,y" a line.
cycle_points() {
    tr '\n' ' ' <"$1" | sed -n 's/.*<polyline points="\([^"]*\)" class="cycle".*/\1/p' | tr ' ' '\n' | grep .
}
# The node marks' centres in node order, one "x,y" a line.
node_marks() {
    grep -o '<circle cx="[^"]*" cy="[^"]*" r="[^"]*" class="node"' "$1" |
        sed 's/<circle cx="\([^"]*\)" cy="\([^"]*\)".*/\1,\2/'
}
# The cycle as node numbers: each polyline point looked up among the node marks.
cycle_nodes() {
    node_marks "$1" >"$work/marks"
    cycle_points "$1" | while read -r p; do grep -n -x -F "$p" "$work/marks" | head -1 | cut -d: -f1; done |
        tr '\n' ','
}

# An instance with known coordinates and a name that needs escaping.
printf 'NAME : a<b&c\nTYPE : TSP\nDIMENSION : 6\nEDGE_WEIGHT_TYPE : EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 100 100\n3 100 0\n4 0 100\n5 50 120\n6 50 -20\nEOF\n' >"$work/six.tsp"
"$cli" solve --instance "$work/six.tsp" --method polyn --json --svg "$work/six.svg" >"$work/six.json" ||
    fail "solve --svg"
wellformed "$work/six.svg"
grep -q '<title>a&lt;b&amp;c - 6 nodes' "$work/six.svg" || fail "the name is not escaped in the title"
[ "$(count "$work/six.svg" 'class="node"')" -eq 6 ] || fail "not 6 node marks"
[ "$(cycle_points "$work/six.svg" | wc -l)" -eq 7 ] || fail "the cycle is not 7 points"
# Node 1 at (0, 0) is low at the left, node 5 at (50, 120) on top in the middle: y grows upwards.
node_marks "$work/six.svg" | sed -n 1p | grep -q -x '150,728' ||
    fail "node 1 is not at its coordinates: $(node_marks "$work/six.svg" | sed -n 1p)"
node_marks "$work/six.svg" | sed -n 5p | grep -q -x '400,128' || fail "node 5 is not at its coordinates"
want=$(sed 's/.*"polyn":{[^}]*"cycle":\[\([0-9,]*\)\].*/\1/' "$work/six.json")
first=$(echo "$want" | cut -d, -f1)
[ "$(cycle_nodes "$work/six.svg")" = "$want,$first," ] ||
    fail "the drawn cycle $(cycle_nodes "$work/six.svg") is not the found $want"

# GEO: latitude up, longitude to the right, degrees.minutes read as the distance reads them.
printf 'NAME : geo4\nDIMENSION : 4\nEDGE_WEIGHT_TYPE : GEO\nNODE_COORD_SECTION\n1 10.00 0.00\n2 0.00 10.00\n3 0.00 0.00\n4 5.30 5.30\nEOF\n' >"$work/geo.tsp"
"$cli" solve --instance "$work/geo.tsp" --method exact --svg "$work/geo.svg" >/dev/null || fail "solve GEO --svg"
node_marks "$work/geo.svg" | tr '\n' ' ' | grep -q -x '50,128 750,828 50,828 435,443 ' ||
    fail "GEO nodes misplaced: $(node_marks "$work/geo.svg" | tr '\n' ' ')"

# Without coordinates, the network window's ring: node 1 at angle 0, at the right in the middle.
"$cli" solve --matrix "$data/net5.txt" --method exact --svg "$work/ring.svg" >/dev/null || fail "solve ring --svg"
wellformed "$work/ring.svg"
node_marks "$work/ring.svg" | sed -n 1p | grep -q ',478$' || fail "node 1 is not at angle 0 of the ring"
grep -q "network window&apos;s ring" "$work/ring.svg" || fail "the ring picture does not say so"
[ "$(cycle_nodes "$work/ring.svg")" = "1,3,2,5,4,1," ] || fail "ring cycle $(cycle_nodes "$work/ring.svg")"

# A star has no Hamiltonian cycle: its edges and the verdict, no cycle.
printf ' 1: 0 0 0 0\n 2: 0 0 1 1\n 3: 0 0 0 1\n 4: 0 0 0 0\n' >"$work/star.txt"
"$cli" solve --matrix "$work/star.txt" --kind graph --svg "$work/star.svg" >/dev/null || fail "solve graph --svg"
wellformed "$work/star.svg"
grep -q 'no Hamiltonian cycle was found' "$work/star.svg" || fail "the star's title does not say there is no cycle"
[ "$(count "$work/star.svg" 'class="edge"')" -eq 3 ] || fail "not the star's 3 edges"
grep -q 'class="cycle"' "$work/star.svg" && fail "a cycle drawn on the star"

# The map: every capital, the chosen ones numbered, the route closed.
"$cli" map --select 1,4,9,15 --method exact --svg "$work/map.svg" >/dev/null || fail "map --svg"
wellformed "$work/map.svg"
[ "$(count "$work/map.svg" 'class="capital"')" -eq 51 ] || fail "not 51 capitals on the map"
[ "$(count "$work/map.svg" 'class="node"')" -eq 4 ] || fail "not 4 chosen capitals"
[ "$(cycle_nodes "$work/map.svg")" = "1,3,2,4,1," ] || fail "map route $(cycle_nodes "$work/map.svg")"

# A series: one gap and two times per problem.
"$cli" series --nodes 6 --tests 4 --compare --svg "$work/series.svg" >/dev/null || fail "series --svg"
wellformed "$work/series.svg"
for mark in gap polyn exact; do
    [ "$(count "$work/series.svg" "class=\"$mark\"")" -eq 4 ] || fail "not 4 $mark marks in the series plot"
done

# A write that fails keeps the old picture and ends with status 1.
cp "$work/ring.svg" "$work/old.svg"
(ulimit -f 0; "$cli" solve --matrix "$data/net5.txt" --method exact --svg "$work/ring.svg" 2>&1; echo "status $?") \
    </dev/null | cat >"$work/limited"
grep -q "ring.svg: cannot write the picture: File too large" "$work/limited" || fail "svg under ulimit: $(cat "$work/limited")"
grep -q "status 1" "$work/limited" || fail "svg under ulimit ends 0"
cmp -s "$work/ring.svg" "$work/old.svg" || fail "the old picture was damaged"

[ "$failed" -eq 0 ] && echo "all svg checks passed"
exit "$failed"
