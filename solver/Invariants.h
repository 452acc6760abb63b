// What every method of the solver may assume when it starts and must leave behind when it ends:
// no run is still marked busy, the cycles are permutations of 1..n whose position n+1 repeats
// position 1, the exact methods' results are in canonical form, and the recorded best cost is the
// cost of the best cycle. Debug and sanitizer builds check these at every method's entry and exit
// and end the process with the broken promise named; Release builds leave the calls out.
#pragma once

#include <string>

class CCycleSolver;

enum EInvariant : unsigned {
    INV_CYCLE = 1,      // the current cycle is a permutation whose position n+1 repeats position 1
    INV_BEST = 2,       // the best cycle is a permutation (positions 1..n)
    INV_COST = 4,       // the recorded best cost is the cost of the best cycle
    INV_CANONICAL = 8,  // the best cycle starts with node 1 and its second node is below its last
};
// What every method promises at its entry.
constexpr unsigned INV_ENTRY = INV_CYCLE;
// What a method that records its best cycle and cost promises at its exit.
constexpr unsigned INV_RESULT = INV_CYCLE | INV_BEST | INV_COST;

// The first broken promise of those asked, or "" when all hold.
std::string SolverInvariantFault(const CCycleSolver& solver, unsigned promises);
// "" when cycle[1..n] is a permutation of 1..n and cycle[n+1] == cycle[1]; else what is wrong.
std::string CycleFault(const int* cycle, int n);

#ifdef NDEBUG
inline void CheckSolverInvariants(const CCycleSolver&, const char*, bool, unsigned) {}
#else
// Ends the process with a message naming the method, entry or exit, and the fault when a promise
// is broken.
void CheckSolverInvariants(const CCycleSolver& solver, const char* method, bool exit, unsigned promises);
#endif
