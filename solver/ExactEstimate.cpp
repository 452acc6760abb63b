// The time estimate of the exact method, measured in proportion to the run it announces.
//
// First one measuring call of the method's own loop (at most 20,001 successor steps, some 25
// microseconds), read with the platform's nanosecond clock. That is enough to tell a short run from
// a long one, and up to 8 nodes it is the whole enumeration. A series of small problems thus pays
// a few per mille of its time for its estimates, not the 40 ms a fixed measurement would take
// before each run of a millisecond.
//
// Only a run that this first look puts at two seconds or more is measured again, for about half a
// per cent of its length (5 to 40 ms), the very workers it will use running over the first blocks
// of the enumeration, so the estimate includes what the threads gain and what they cost: the
// warnings before runs of minutes and more need that accuracy. The short figure is the single
// loop's speed, so for a short run on several workers it is an upper figure.
#include "solver/ExactEstimate.h"

#include <algorithm>

#include "solver/CycleSolver.h"
#include "solver/ExactMethod.h"

namespace {
constexpr double kLongRunSeconds = 2.0;  // from here on the estimate is measured again, longer
constexpr double kLongShare = 0.005;     // the second measurement's share of the run
constexpr uint64_t kMinLongNs = 5'000'000;
constexpr uint64_t kMaxLongNs = 40'000'000;
constexpr int kMaxCalls = 2000;  // bounds the measurement when the clock does not move (tests)

// Seconds of (n-1)! orders at the measured time per order. The time per order first: 170! times a
// few milliseconds would overflow to infinity.
double Scale(int nodes, uint64_t ns, uint64_t orders) {
    const int m = std::min(nodes, 171);
    return Factorial(m) * (static_cast<double>(ns) / (static_cast<double>(orders) * 1e9));
}
}  // namespace

double EstimateExactRunSeconds(CCycleSolver& solver, double share) {
    const int n = solver.m_nNodes;
    if (n < 2) return 0.0;
    uint64_t start = NowNs();
    const auto firstSteps = static_cast<uint64_t>(solver.ExpMethodNet(1, nullptr));
    const uint64_t firstNs = NowNs() - start;
    if (firstSteps == 0) return 0.0;
    const double first = Scale(n, firstNs, firstSteps) * share;
    if (!(first >= kLongRunSeconds)) return first;

    const double part = first * kLongShare * 1e9;
    const uint64_t span = part >= static_cast<double>(kMaxLongNs)
                              ? kMaxLongNs
                              : std::max(kMinLongNs, static_cast<uint64_t>(part));
    if (const int workers = ExactWorkerCount(n); workers > 1) {
        uint64_t orders = 0, ns = 0;
        MeasureExactParallel(solver, workers, span, &orders, &ns);
        if (orders > 0) return Scale(n, ns, orders) * share;
    }
    start = NowNs();
    uint64_t steps = 0, elapsed = 0;
    for (int calls = 0; calls < kMaxCalls && elapsed < span; ++calls) {
        steps += static_cast<uint64_t>(solver.ExpMethodNet(1, nullptr));
        elapsed = NowNs() - start;
    }
    return Scale(n, elapsed, steps) * share;
}
