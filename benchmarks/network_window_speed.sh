#!/usr/bin/env bash
# The polynomial method on a 200-node network, run from the network test window (netwin_run: the
# real form and drawing, shown, with the Qt event pump polling and a repaint at every improvement)
# against quira-cli solve on the same document. Both are timed as whole processes, in turn, and
# the medians are printed with their ratio; the window run should cost at most 10% more.
#
#   benchmarks/network_window_speed.sh [BUILD_DIR] [RUNS]      (default build/release, 5 runs)
set -euo pipefail
build=${1:-build/release}
runs=${2:-5}
cli=$build/cli/quira-cli
window=$build/benchmarks/netwin_run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

"$cli" random --nodes 200 --amplitude 100 --seed 7 --out "$work/net200.tsp"

seconds() {  # the wall seconds of one run of the command
    local start end
    start=$(date +%s.%N)
    "$@" >"$work/out" 2>/dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

: >"$work/window" && : >"$work/console"
for ((k = 1; k <= runs; ++k)); do
    seconds "$window" "$work/net200.tsp" >>"$work/window"
    seconds "$cli" solve --doc "$work/net200.tsp" --method polyn --level full >>"$work/console"
done
w=$(median <"$work/window")
c=$(median <"$work/console")
echo "window run:     median ${w} s over $runs runs"
echo "quira-cli solve: median ${c} s over $runs runs"
echo "ratio window / console: $(echo "scale=3; $w / $c" | bc)"
