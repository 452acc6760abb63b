// Estimating how long the exact method would run, from a short measuring run of its own loop.
#pragma once

class CCycleSolver;

// Seconds the full exact search of the solver's network would take: Factorial(min(n, 171)) times
// the measured time of one successor step. Fewer than 2 nodes take no time.
double EstimateExactRunSeconds(CCycleSolver& solver);
