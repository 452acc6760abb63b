#!/bin/sh
# Soak: a series of many short tests keeps its memory flat. Prints the peak resident size of a
# series of 1,000 and of 100,000 short tests on 8-node networks (GNU time's %M, in KB).
# Usage: soak.sh QUIRA_CLI [TESTS]
cli=${1:?usage: soak.sh QUIRA_CLI [TESTS]}
tests=${2:-100000}
for count in 1000 "$tests"; do
    /usr/bin/time -f "$count tests: %M KB peak resident, %e s" "$cli" series --nodes 8 --tests "$count" >/dev/null
done
