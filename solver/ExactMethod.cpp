// The exact methods: exhaustive enumeration of every cycle through node 1.
//
// Node 1 is fixed in front and the other n-1 nodes run through all (n-1)! orders in lexicographic
// order, both directions of every cycle included, with no pruning: the method is the program's
// reference, and its order of enumeration decides which of several equally good cycles it reports
// (the lexicographically first). Its cost is (n-1)! successor steps; past about 13 nodes the time
// estimate warns the user before the search starts.
//
// The cost of the current permutation is kept as prefix sums: a successor step changes only a
// suffix p(i..n-1) of the permutation (on average fewer than e positions), so only the prefix sums
// from i on are recomputed, and each step costs amortised constant time instead of n additions.
// The last three positions are handled as a block of six orders (see CNetEnumeration).
//
// On several cores the orders are cut into blocks: all orders that share their first d + 1
// positions (node 1 and a prefix of d nodes) follow each other in lexicographic order, so block b
// is an interval of the enumeration and the blocks, taken in index order, are the enumeration
// itself. Worker threads take the blocks in index order from one counter and report each block's
// first strictly cheapest order; the cheapest report wins, and of equal ones the lowest block, which
// is exactly the order the single loop keeps. The calling thread meanwhile keeps the poll (see
// ExactMethod.h); the workers read the weights and nothing else of the solver.
//
// The weight matrix is mirrored into its lower triangle for the run so that every weight is read
// directly as W[a][b], and cleared again afterwards.
#include "solver/ExactMethod.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "solver/CycleSolver.h"
#include "solver/ExactEnumeration.h"
#include "solver/Invariants.h"

int g_nExactThreads = 0;

namespace exact_detail {
std::atomic<int> g_nWorkersAlive{0};
}  // namespace exact_detail

using namespace exact_detail;

double Factorial(int n) {
    if (n <= 3) return 2.0;
    double f = 1.0;
    for (int k = 2; k <= n - 1; ++k) f *= k;
    return f;
}

int ExactWorkerCount(int nodes) {
    int threads = g_nExactThreads;
    if (threads <= 0) {
        if (nodes < 10) return 1;
        threads = static_cast<int>(std::thread::hardware_concurrency());
    }
    // Blocks need at least four free positions behind node 1.
    return nodes < 5 ? 1 : std::clamp(threads, 1, 256);
}

int ExactWorkersAlive() {
    return g_nWorkersAlive.load();
}

namespace {

// The network enumeration on workers; the calling thread polls. Returns 0 when no worker could be
// started (the caller then runs the single loop), else 1.
int RunNetParallel(CCycleSolver& s, int workers, int* abortedOut) {
    const int n = s.m_nNodes;
    const CBlockPlan plan(n);
    CSharedBest shared;
    std::vector<std::atomic<uint64_t>> orders(static_cast<std::size_t>(workers));
    const int32_t* w = s.m_ppWeight.Data();
    const std::size_t dim = s.m_ppWeight.Dim();

    CWorkerPool pool;
    const int started = pool.Launch(workers, [&](int id) {
        auto e = std::make_unique<CNetEnumeration<EEnumMode::Block>>(w, dim, n, plan.fixed, &pool.stop,
                                                                     &orders[static_cast<std::size_t>(id)]);
        int start[CYCLE_CAPACITY];
        while (!pool.stop.load(std::memory_order_relaxed)) {
            const uint64_t b = pool.next.fetch_add(1);
            if (b >= plan.blocks) break;
            plan.Start(b, start);
            e->RunBlock(start);
            shared.Offer(b, e->bestCost, e->best, n);
        }
    });
    if (started == 0) return 0;

    // The starting order is the result until a strictly cheaper one appears, as in the single loop.
    int identity[CYCLE_CAPACITY];
    for (int k = 0; k < n; ++k) identity[k] = k + 1;
    CBestOnSolver best(s, shared, identity, w, dim);
    for (;;) {
        const bool done = pool.WaitTick();
        best.Show();
        if (done) break;
        uint64_t total = 0;
        for (const auto& o : orders) total += o.load(std::memory_order_relaxed);
        s.m_nOrdersDone = total;
        if (s.PollProgress(1) != 0) {
            if (abortedOut) *abortedOut = 1;
            break;
        }
    }
    pool.StopAndJoin();
    best.Show();
    return 1;
}

}  // namespace

void MeasureExactParallel(CCycleSolver& s, int workers, uint64_t minNs, uint64_t* ordersOut,
                          uint64_t* elapsedNsOut) {
    const int n = s.m_nNodes;
    *ordersOut = *elapsedNsOut = 0;
    if (n < 5) return;
    MirrorWeights(s.m_ppWeight, n);
    {
        const CBlockPlan plan(n);
        std::vector<std::atomic<uint64_t>> orders(static_cast<std::size_t>(workers));
        const int32_t* w = s.m_ppWeight.Data();
        const std::size_t dim = s.m_ppWeight.Dim();
        auto Total = [&] {
            uint64_t sum = 0;
            for (auto& o : orders) sum += o.load(std::memory_order_relaxed);
            return sum;
        };
        CWorkerPool pool;
        const uint64_t start = NowNs();
        const auto realStart = std::chrono::steady_clock::now();
        const int started = pool.Launch(workers, [&](int id) {
            auto e = std::make_unique<CNetEnumeration<EEnumMode::Block>>(
                w, dim, n, plan.fixed, &pool.stop, &orders[static_cast<std::size_t>(id)]);
            int first[CYCLE_CAPACITY];
            while (!pool.stop.load(std::memory_order_relaxed)) {
                const uint64_t b = pool.next.fetch_add(1);
                if (b >= plan.blocks) break;
                plan.Start(b, first);
                e->RunBlock(first);
                e->ReportOrders();
            }
            e->ReportOrders();
        });
        if (started > 0) {
            // Until the platform clock has moved by minNs and some orders are done; a clock that
            // does not move (in tests) is bounded by ten times that span of real time.
            const auto span = std::chrono::nanoseconds(minNs);
            const auto tick = std::min<std::chrono::nanoseconds>(kUiTick, span / 4 + std::chrono::microseconds(100));
            while (!pool.WaitFor(tick)) {
                if (NowNs() - start >= minNs && Total() > 0) break;
                if (std::chrono::steady_clock::now() - realStart > 10 * span && Total() > 0) break;
            }
            pool.StopAndJoin();
            *elapsedNsOut = NowNs() - start;
            *ordersOut = Total();
        }
    }
    ClearLowerTriangle(s.m_ppWeight, n);
}

int CCycleSolver::ExpMethodNet(int estimateOnly, int* abortedOut) {
    const int n = m_nNodes;
    const bool estimate = estimateOnly != 0;
    CheckSolverInvariants(*this, "exact method", false, INV_ENTRY);
    m_bBusy = 1;
    m_nOrdersDone = 0;
    if (abortedOut) *abortedOut = 0;
    if (m_bMaximum == 1) NegateWeights();
    MirrorWeights(m_ppWeight, n);

    int result = 0;
    const int workers = estimate ? 1 : ExactWorkerCount(n);
    if (workers > 1 && RunNetParallel(*this, workers, abortedOut) != 0)
        result = m_nBestCost;
    else
        result = estimate ? CNetEnumeration<EEnumMode::Estimate>(*this).Run(abortedOut)
                          : CNetEnumeration<EEnumMode::Search>(*this).Run(abortedOut);

    if (m_bMaximum == 1) {
        NegateWeights();
        if (!estimate) {
            m_nBestCost = Negated(m_nBestCost);
            result = Negated(result);
        }
    }
    if (n >= 2) ClearLowerTriangle(m_ppWeight, n);
    m_bBusy = 0;
    // The first strictly cheapest order is canonical; a stop may leave a later block's best.
    const bool stopped = abortedOut && *abortedOut;
    CheckSolverInvariants(
        *this, "exact method", true,
        estimate ? unsigned{INV_CYCLE} : INV_RESULT | (stopped ? 0u : unsigned{INV_CANONICAL}));
    return result;
}

namespace {

// The graph enumeration over one block: the first order whose every edge is present. valid is the
// number of leading path edges p(k)-p(k+1) known to be present: a successor step at position i
// keeps the edges before it, so the test resumes there instead of at the front.
class CGraphEnumeration {
public:
    CGraphEnumeration(const int32_t* weights, std::size_t dim, int nodes)
        : w(weights), stride(dim), n(nodes) {}

    // The orders of the block that keeps p(0..fixed) of start (the whole enumeration for fixed = 0),
    // the first order itself tested unless skipFirst. 1 = found (left in p), 0 = none, -1 = stopped
    // by check(), which is asked every kWorkerCheckEvery steps (or every kPollEvery steps when
    // poll is set: the single loop's rhythm).
    template <typename Check>
    int Run(const int* start, int fixed, bool skipFirst, int every, Check check) {
        std::copy(start, start + n, p);
        int valid = PathEdgesFrom(0);
        // A prefix with a missing edge has no cycle in its block.
        if (fixed > 0 && valid < fixed) return 0;
        if (!skipFirst && IsCycle(valid)) return 1;
        for (;;) {
            const int i = NextPermutation(p, n);
            if (i < 0) return 0;
            if (++counter == every) {
                counter = 0;
                if (!check()) return -1;
            }
            if (i <= fixed) return 0;
            // Path edges before position i-1 are unchanged; the edge (i-1, i) changed with p(i).
            valid = PathEdgesFrom(std::min(valid, i - 1));
            if (IsCycle(valid)) return 1;
        }
    }

    int p[CYCLE_CAPACITY]{};

private:
    int32_t W(int a, int b) const { return w[a * stride + b]; }
    int PathEdgesFrom(int from) const {
        int k = from;
        while (k < n - 1 && W(p[k], p[k + 1]) == 0) ++k;
        return k;
    }
    bool IsCycle(int valid) const { return n >= 1 && valid == n - 1 && W(p[0], p[n - 1]) == 0; }

    const int32_t* w;
    const std::size_t stride;
    const int n;
    int counter = 0;
};

// The graph enumeration on workers. Blocks above one that holds a cycle need not run; the lowest
// such block holds the single loop's answer. Returns -1 when no worker could be started, else
// 1 = found (recorded in the solver), 0 = none.
int RunGraphParallel(CCycleSolver& s, int workers, int* abortedOut) {
    const int n = s.m_nNodes;
    const CBlockPlan plan(n);
    std::atomic<uint64_t> foundBlock{UINT64_MAX};
    CSharedBest shared;
    const int32_t* w = s.m_ppWeight.Data();
    const std::size_t dim = s.m_ppWeight.Dim();

    CWorkerPool pool;
    const int started = pool.Launch(workers, [&](int) {
        auto e = std::make_unique<CGraphEnumeration>(w, dim, n);
        int start[CYCLE_CAPACITY];
        while (!pool.stop.load(std::memory_order_relaxed)) {
            const uint64_t b = pool.next.fetch_add(1);
            if (b >= plan.blocks || b > foundBlock.load()) break;
            plan.Start(b, start);
            const int r = e->Run(start, plan.fixed, b == 0, kWorkerCheckEvery, [&] {
                return !pool.stop.load(std::memory_order_relaxed) && foundBlock.load() > b;
            });
            if (r == 1) {
                shared.Offer(b, 0, e->p, n);
                uint64_t seen = foundBlock.load();
                while (b < seen && !foundBlock.compare_exchange_weak(seen, b)) {
                }
            }
        }
    });
    if (started == 0) return -1;
    while (!pool.WaitTick()) {
        if (s.PollProgress(1) != 0) {
            if (abortedOut) *abortedOut = 1;
            break;
        }
    }
    pool.StopAndJoin();
    if (shared.block == UINT64_MAX) return 0;
    s.m_aCycle[0] = s.m_aBest[0] = 0;
    std::copy(shared.order, shared.order + n, s.m_aCycle + 1);
    std::copy(shared.order, shared.order + n, s.m_aBest + 1);
    return 1;
}

}  // namespace

int CCycleSolver::ExpMethodGraph(int* abortedOut) {
    const int n = m_nNodes;
    CheckSolverInvariants(*this, "exact method for graphs", false, INV_ENTRY);
    m_bBusy = 1;
    if (abortedOut) *abortedOut = 0;
    MirrorWeights(m_ppWeight, n);

    for (int k = 1; k <= n; ++k) m_aBest[k] = k;
    // The starting order counts as found when it is a cycle, though it is not recorded.
    bool startIsCycle = n >= 1 && m_ppWeight[1][n] == 0;
    for (int k = 1; k < n; ++k) startIsCycle = startIsCycle && m_ppWeight[k][k + 1] == 0;
    int found = -1;
    const int workers = ExactWorkerCount(n);
    if (workers > 1) found = RunGraphParallel(*this, workers, abortedOut);
    if (found < 0) {
        // The single loop: the starting order is not recorded even when it is a cycle.
        auto e = std::make_unique<CGraphEnumeration>(m_ppWeight.Data(), m_ppWeight.Dim(), n);
        int start[CYCLE_CAPACITY];
        for (int k = 0; k < n; ++k) start[k] = k + 1;
        found = e->Run(start, 0, true, kPollEvery, [this] { return PollProgress(1) == 0; });
        if (found < 0 && abortedOut) *abortedOut = 1;
        if (found == 1) {
            m_aCycle[0] = m_aBest[0] = 0;
            std::copy(e->p, e->p + n, m_aCycle + 1);
            std::copy(e->p, e->p + n, m_aBest + 1);
        }
    }

    if (n >= 2) ClearLowerTriangle(m_ppWeight, n);
    m_aCycle[n + 1] = m_aCycle[1];
    m_bBusy = 0;
    // The starting order is never recorded, so a cycle through 1, 2, ..., n is found read backwards:
    // no canonical form is promised here.
    CheckSolverInvariants(*this, "exact method for graphs", true, INV_CYCLE | INV_BEST);
    return found == 1 || startIsCycle ? 0 : 1;
}
