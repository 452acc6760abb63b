// The exact methods on worker threads: how many, and the measurement the time estimate reads.
//
// ExpMethodNet and ExpMethodGraph (CCycleSolver) split the (n-1)! orders into blocks of prefixes
// and run them on worker threads, while the calling (user-interface) thread keeps the poll: the
// Time field, the best cost so far, the repaint on an improvement and Escape, which stops every
// worker within a fraction of a millisecond. Workers never touch the platform interfaces, and
// every worker has ended before the method returns. The result is the one of the single loop:
// the lexicographically first of the cheapest orders.
#pragma once

#include <cstdint>

// Worker threads of the exact methods: 0 = one per hardware thread (the default), 1 = the single
// loop on the calling thread, N = N workers. Program-wide, like the method parameters.
extern int g_nExactThreads;

// The number of workers an exact run on n nodes uses: 1 means the single loop. With the default,
// networks below 10 nodes take the single loop (they finish before threads would have started).
int ExactWorkerCount(int nodes);

// Workers of the exact methods alive at this moment (0 whenever no exact method runs).
int ExactWorkersAlive();

// Measures the parallel enumeration of the solver's network for about minNs nanoseconds of the
// platform clock (or until it ends) and reports the orders stepped through and the nanoseconds
// taken. The weights are left as they were; nothing is recorded.
void MeasureExactParallel(class CCycleSolver& solver, int workers, uint64_t minNs, uint64_t* orders,
                          uint64_t* elapsedNs);
