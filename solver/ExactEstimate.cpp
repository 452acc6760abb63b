// The time estimate of the exact method.
//
// One measuring call steps through at most 20,001 permutations, which on a current machine takes
// well under a millisecond: a single call read with a millisecond clock would mostly measure 0. So
// the measuring call is repeated until the clock has moved by a useful amount, and the estimate is
// the total time over the total number of steps, which is the same ratio, only measured better.
//
// When the search would run on several workers, the measurement runs the very same workers over
// the first blocks of the enumeration for the same span of the clock, so the estimate includes what
// the threads gain and what they cost.
#include "solver/ExactEstimate.h"

#include <algorithm>

#include "solver/CycleSolver.h"
#include "solver/ExactMethod.h"

namespace {
constexpr uint64_t kMinMeasureMs = 40;  // enough ticks of a millisecond clock for a few per cent
constexpr int kMaxCalls = 2000;         // bounds the measurement when the clock does not move
}  // namespace

double EstimateExactRunSeconds(CCycleSolver& solver) {
    if (solver.m_nNodes < 2) return 0.0;
    const int m = std::min(solver.m_nNodes, 171);
    if (const int workers = ExactWorkerCount(solver.m_nNodes); workers > 1) {
        uint64_t orders = 0, ms = 0;
        MeasureExactParallel(solver, workers, kMinMeasureMs, &orders, &ms);
        if (orders > 0)
            return Factorial(m) * (static_cast<double>(ms) / (static_cast<double>(orders) * 1000.0));
    }
    const uint32_t start = NowMs();
    uint64_t steps = 0;
    uint64_t elapsed = 0;
    for (int calls = 0; calls < kMaxCalls; ++calls) {
        steps += static_cast<uint64_t>(solver.ExpMethodNet(1, nullptr));
        elapsed = static_cast<uint32_t>(NowMs() - start);
        if (elapsed >= kMinMeasureMs) break;
    }
    if (steps == 0) return 0.0;
    // The time per step first: 170! times a few milliseconds would overflow to infinity.
    return Factorial(m) * (static_cast<double>(elapsed) / (static_cast<double>(steps) * 1000.0));
}
