#!/usr/bin/env bash
# The polynomial method run from the network test window (netwin_run: the real form and drawing,
# shown in a window of 1280 x 760, with the Qt event pump polling and a repaint at every
# improvement) against quira-cli solve on the same problem. Both are timed as whole processes, in
# turn, by their processor time (user + system: a loaded machine stretches wall time, not this);
# the medians are printed with their ratio, and the last window run's own count of the processor
# time it spent showing improvements. The window run should cost at most 10% more.
#
#   benchmarks/network_window_speed.sh [BUILD_DIR] [RUNS] [NODES | INSTANCE_FILE]
#       default build/release, 5 runs, a random network of 200 nodes (amplitude 100, seed 7);
#       an instance file (e.g. pcb442.tsp) is opened as File Open opens it, at its coordinates.
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
problem=${3:-200}
cli=$build/cli/quira-cli
window=$build/benchmarks/netwin_run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

if [[ $problem =~ ^[0-9]+$ ]]; then
    "$cli" random --nodes "$problem" --amplitude 100 --seed 7 --out "$work/net.tsp"
    file=$work/net.tsp
    console=(solve --doc "$file" --method polyn --level full)
else
    file=$problem
    console=(solve --instance "$file" --method polyn --level full)
fi

cpu() {  # the processor seconds (user + system) of one run of the command; its output to $work/out
    /usr/bin/time -f "%U %S" -o "$work/time" "$@" >"$work/out" 2>/dev/null
    awk '{print $1 + $2}' "$work/time"
}
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

: >"$work/window" && : >"$work/console"
for ((k = 1; k <= runs; ++k)); do
    cpu "$window" "$file" >>"$work/window"
    shown=$(grep drawing "$work/out" || true)
    cpu "$cli" "${console[@]}" >>"$work/console"
done
w=$(median <"$work/window")
c=$(median <"$work/console")
echo "window run:      median ${w} s processor time over $runs runs"
echo "quira-cli solve: median ${c} s processor time over $runs runs"
echo "ratio window / console: $(echo "scale=3; $w / $c" | bc)"
echo "last window run: $shown"
