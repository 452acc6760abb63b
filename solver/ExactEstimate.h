// Estimating how long the exact method would run, from measuring runs of its own loop: one short
// look (20,001 successor steps), and for runs of two seconds or more a longer measurement of
// about half a per cent of the run (5 to 40 ms) with the workers the run will use.
#pragma once

class CCycleSolver;

// Seconds the full exact search of the solver's network would take: Factorial(min(n, 171)) times
// the measured time of one successor step. Fewer than 2 nodes take no time. Reads the platform's
// nanosecond clock.
// With share below 1, the seconds of that part of the search (a shard's blocks), measured in
// proportion to that part.
double EstimateExactRunSeconds(CCycleSolver& solver, double share = 1.0);
