// The machinery of the exact network enumeration, shared by the exact method (ExactMethod.cpp) and
// its runs over ranges of blocks for shards (ExactShard.cpp): the enumeration loop in its three
// modes, the cut of the orders into blocks, the worker pool and the best report of several workers.
// Internal to the solver.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "solver/CycleSolver.h"

namespace exact_detail {

// Workers of the exact methods alive at this moment (ExactMethod.cpp).
extern std::atomic<int> g_nWorkersAlive;

constexpr int kPollEvery = 20000;
// Orders a worker steps through between two looks at the stop flag (about 0.1 ms).
constexpr int kWorkerCheckEvery = 1 << 16;
// The calling thread's poll interval while the workers run.
constexpr auto kUiTick = std::chrono::milliseconds(5);


// Mirrors the upper triangle into the lower one (or clears the lower one again).
inline void MirrorWeights(CSquareMatrix<int32_t>& w, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = w[i][j];
}
inline void ClearLowerTriangle(CSquareMatrix<int32_t>& w, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = 0;
}

// Steps p(0..n-1) to its lexicographic successor. Returns the first position that changed, or -1
// when p was the last permutation.
inline int NextPermutation(int* p, int n) {
    int i = n - 2;
    while (i >= 0 && p[i] > p[i + 1]) --i;
    if (i < 0) return -1;
    int j = n - 1;
    while (p[j] < p[i]) --j;
    std::swap(p[i], p[j]);
    std::reverse(p + i + 1, p + n);
    return i;
}

// Search: the method's own run on the calling thread; Estimate: its speed measurement; Block: one
// block of orders on a worker, with no platform call at all.
enum class EEnumMode { Search, Estimate, Block };

// One enumeration of the exact network method. In estimate mode nothing is recorded and the run
// ends after 20,001 successor steps; in search mode the poll is called every 20,000 steps; in block
// mode the stop flag is read every kWorkerCheckEvery steps.
//
// The last four positions of the permutation are enumerated as a block: with the prefix fixed,
// each of the four nodes in turn stands first, and behind it the six orders abc, acb, bac, bca,
// cab, cba of the other three follow each other in lexicographic order; those six costs share
// nine weights. Only every 24th step goes through the general successor step and prefix sums.
template <EEnumMode kMode>
class CNetEnumeration {
public:
    static constexpr bool kEstimate = kMode == EEnumMode::Estimate;
    static constexpr bool kBlock = kMode == EEnumMode::Block;

    // Search and estimate mode: the whole enumeration, recorded in the solver.
    explicit CNetEnumeration(CCycleSolver& solver)
        : s(&solver), n(solver.m_nNodes), w(solver.m_ppWeight.Data()), stride(solver.m_ppWeight.Dim()) {}
    // Block mode: blocks of the orders that keep p(0..fixed), read from mirrored weights.
    CNetEnumeration(const int32_t* weights, std::size_t dim, int nodes, int fixed,
                    const std::atomic<bool>* stop, std::atomic<uint64_t>* orders)
        : s(nullptr),
          n(nodes),
          w(weights),
          stride(dim),
          lastFixed(fixed),
          stopFlag(stop),
          ordersDone(orders) {}

    // Returns the incumbent cost (or, in estimate mode, the number of successor steps).
    int Run(int* abortedOut) {
        for (int k = 0; k < n; ++k) p[k] = k + 1;
        prefix[0] = 0;
        for (int k = 1; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        incumbent = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
        if constexpr (!kEstimate) {
            // The starting order is the result until a strictly cheaper one appears.
            s->m_aCycle[0] = s->m_aBest[0] = 0;
            std::copy(p, p + n, s->m_aCycle + 1);
            std::copy(p, p + n, s->m_aBest + 1);
            s->m_nBestCost = incumbent;
            s->ShowCycleCost();
        }
        if (n >= 4)
            RunBlocks();
        else
            RunSteps();
        if (abortedOut && aborted) *abortedOut = 1;
        return kEstimate ? counter : incumbent;
    }

    // Block mode: the orders from start (whose positions behind p(fixed) ascend) up to the last one
    // with the same p(0..fixed), at least four free positions. Leaves the block's first strictly
    // cheapest order in best and its cost in bestCost; false when the stop flag ended it early.
    bool RunBlock(const int* start) {
        std::copy(start, start + n, p);
        std::copy(start, start + n, best);
        prefix[0] = 0;
        for (int k = 1; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        incumbent = bestCost = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
        aborted = false;
        RunBlocks();
        return !aborted;
    }
    // Orders stepped through since the last report, handed to the counter of done orders.
    void ReportOrders() {
        ordersDone->fetch_add(static_cast<uint64_t>(counter), std::memory_order_relaxed);
        counter = 0;
    }

    int bestCost = 0;
    int best[CYCLE_CAPACITY]{};

private:
    uint32_t W(int a, int b) const { return static_cast<uint32_t>(w[a * stride + b]); }

    // Counts one successor step. False when the enumeration has to end here. All modes share
    // this shape (and that of Offer), so that the estimate times the very loop of the search.
    bool CountStep() {
        if (++counter != kCountLimit) [[likely]]
            return true;
        return AtCountLimit();
    }

    [[gnu::noinline]] bool AtCountLimit() {
        if constexpr (kEstimate) {
            return false;  // 20,001 steps measured
        } else if constexpr (kBlock) {
            ReportOrders();
            if (!stopFlag->load(std::memory_order_relaxed)) return true;
            aborted = true;
            return false;
        } else {
            s->m_nOrdersDone += static_cast<uint64_t>(counter);
            counter = 0;
            if (s->PollProgress(1) == 0) return true;
            aborted = true;
            return false;
        }
    }

    // Offers the permutation p(0..n-4), u, v, x (the last three positions) at the given cost.
    void Offer(uint32_t wrapped, int u, int v, int x) {
        if (static_cast<int>(wrapped) < incumbent) [[unlikely]]
            Improve(static_cast<int>(wrapped), u, v, x);
    }

    [[gnu::noinline]] void Improve(int cost, int u, int v, int x) {
        incumbent = cost;
        if constexpr (kBlock) {
            std::copy(p, p + n - 3, best);
            best[n - 3] = u, best[n - 2] = v, best[n - 1] = x;
            bestCost = cost;
        } else if constexpr (!kEstimate) {
            for (int* cycle : {s->m_aCycle, s->m_aBest}) {
                std::copy(p, p + n - 3, cycle + 1);
                cycle[n - 2] = u, cycle[n - 1] = v, cycle[n] = x;
            }
            s->m_nBestCost = cost;
            s->ShowCycleCost();
        }
    }

    static constexpr int kCountLimit = kEstimate ? kPollEvery + 1 : kBlock ? kWorkerCheckEvery : kPollEvery;

    // The six orders of a < b < c behind the prefix p(0..n-4), whose path weighs pre.
    // False when the enumeration has to end inside the block.
    bool Block3(uint32_t pre, int a, int b, int c) {
        const int first = p[n - 4];
        const uint32_t fa = pre + W(first, a), fb = pre + W(first, b), fc = pre + W(first, c);
        const uint32_t ab = W(a, b), ac = W(a, c), bc = W(b, c);
        const uint32_t a1 = W(a, 1), b1 = W(b, 1), c1 = W(c, 1);
        Offer(fa + ab + bc + c1, a, b, c);
        if (!CountStep()) return false;
        Offer(fa + ac + bc + b1, a, c, b);
        if (!CountStep()) return false;
        Offer(fb + ab + ac + c1, b, a, c);
        if (!CountStep()) return false;
        Offer(fb + bc + ac + a1, b, c, a);
        if (!CountStep()) return false;
        Offer(fc + ac + ab + b1, c, a, b);
        if (!CountStep()) return false;
        Offer(fc + bc + ab + a1, c, b, a);
        return true;
    }

    void RunBlocks() {
        if (!kBlock && n == 4) {  // node 1 stays in front: one block of three, then the step that ends it
            if (!Block3(prefix[0], p[1], p[2], p[3])) return;
            std::swap(p[1], p[3]);
            NextPermutation(p, n);
            CountStep();
            return;
        }
        for (;;) {
            // p(n-4..n-1) holds q0 < q1 < q2 < q3; each in turn stands at n-4 before the other three.
            const int q[4] = {p[n - 4], p[n - 3], p[n - 2], p[n - 1]};
            const int before = p[n - 5];
            const uint32_t pre = prefix[n - 5];
            p[n - 4] = q[0];
            if (!Block3(pre + W(before, q[0]), q[1], q[2], q[3]) || !CountStep()) return;
            p[n - 4] = q[1];
            if (!Block3(pre + W(before, q[1]), q[0], q[2], q[3]) || !CountStep()) return;
            p[n - 4] = q[2];
            if (!Block3(pre + W(before, q[2]), q[0], q[1], q[3]) || !CountStep()) return;
            p[n - 4] = q[3];
            if (!Block3(pre + W(before, q[3]), q[0], q[1], q[2])) return;

            p[n - 4] = q[3], p[n - 3] = q[2], p[n - 2] = q[1], p[n - 1] = q[0];
            // The step that changes p(0..lastFixed) leaves the block (for the whole enumeration:
            // the step that moves node 1 from the front).
            const int i = NextPermutation(p, n);
            if (i < 0 || !CountStep() || i <= lastFixed) return;
            for (int k = i; k <= n - 5; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
        }
    }

    // Step by step, for networks too small for a block.
    void RunSteps() {
        for (;;) {
            const int i = NextPermutation(p, n);
            if (i < 0 || !CountStep() || p[0] > 1) return;
            for (int k = i; k < n; ++k) prefix[k] = prefix[k - 1] + W(p[k - 1], p[k]);
            const int cost = static_cast<int>(prefix[n - 1] + W(p[0], p[n - 1]));
            if (cost < incumbent) {
                incumbent = cost;
                if constexpr (!kEstimate && !kBlock) {
                    std::copy(p, p + n, s->m_aCycle + 1);
                    std::copy(p, p + n, s->m_aBest + 1);
                    s->m_nBestCost = cost;
                    s->ShowCycleCost();
                }
            }
        }
    }

    CCycleSolver* s;
    const int n;
    const int32_t* w;
    const std::size_t stride;
    const int lastFixed = 0;
    const std::atomic<bool>* stopFlag = nullptr;
    std::atomic<uint64_t>* ordersDone = nullptr;
    int p[CYCLE_CAPACITY]{};
    uint32_t prefix[CYCLE_CAPACITY]{};  // prefix[k]: weight of the path p(0)..p(k)
    int incumbent = 0;
    int counter = 0;
    bool aborted = false;
};

// The cut of the (n-1)! orders into blocks. Block b holds the orders whose positions 1..fixed are
// the b-th arrangement, in lexicographic order, of fixed nodes out of 2..n; the free positions
// behind them (at least four, at most ten where there are enough blocks) run through all orders.
class CBlockPlan {
public:
    explicit CBlockPlan(int nodes) : n(nodes) {
        const int m = n - 1;
        int free = std::min(10, std::max(4, m - 3));
        // No more blocks than a 64-bit counter holds: a longer prefix would only split blocks that
        // no run could finish anyway.
        for (;;) {
            uint64_t count = 1;
            bool fits = true;
            for (int t = free + 1; t <= m && fits; ++t) {
                if (count > (uint64_t{1} << 62) / static_cast<uint64_t>(t))
                    fits = false;
                else
                    count *= static_cast<uint64_t>(t);
            }
            if (fits) {
                blocks = count;
                break;
            }
            ++free;
        }
        fixed = m - free;
        // span[k]: blocks per choice of the node at position k.
        span[fixed] = 1;
        for (int k = fixed - 1; k >= 1; --k) span[k] = span[k + 1] * static_cast<uint64_t>(m - k);
    }

    // The first order of block b: node 1, the block's prefix, the other nodes ascending.
    void Start(uint64_t b, int* p) const {
        int rest[CYCLE_CAPACITY];
        int count = n - 1;
        for (int k = 0; k < count; ++k) rest[k] = k + 2;
        p[0] = 1;
        for (int k = 1; k <= fixed; ++k) {
            const uint64_t digit = b / span[k];
            b %= span[k];
            p[k] = rest[digit];
            std::copy(rest + digit + 1, rest + count, rest + digit);
            --count;
        }
        std::copy(rest, rest + count, p + fixed + 1);
    }

    const int n;
    int fixed = 0;  // positions 1..fixed are the block's prefix
    uint64_t blocks = 1;

private:
    uint64_t span[CYCLE_CAPACITY]{};
};

// Worker threads over the blocks of a plan. The destructor stops and joins every worker, so no
// worker outlives the pool, whichever way the caller leaves.
class CWorkerPool {
public:
    CWorkerPool() = default;
    CWorkerPool(const CWorkerPool&) = delete;
    CWorkerPool& operator=(const CWorkerPool&) = delete;
    ~CWorkerPool() { StopAndJoin(); }

    // Starts up to count workers running body(index); returns how many could be started.
    template <typename Body>
    int Launch(int count, Body body) {
        m_threads.reserve(static_cast<std::size_t>(count));
        for (int k = 0; k < count; ++k) {
            g_nWorkersAlive.fetch_add(1);
            try {
                m_threads.emplace_back([this, body, k] {
                    body(k);
                    {
                        const std::lock_guard guard(m_lock);
                        ++m_finished;
                    }
                    g_nWorkersAlive.fetch_sub(1);
                    m_done.notify_all();
                });
            } catch (const std::system_error&) {
                g_nWorkersAlive.fetch_sub(1);
                break;  // the system gives no more threads: run with those there are
            }
        }
        return static_cast<int>(m_threads.size());
    }

    // Waits at most one tick (or the given time); true when every worker has finished.
    bool WaitFor(std::chrono::nanoseconds time) {
        std::unique_lock guard(m_lock);
        return m_done.wait_for(guard, time, [this] { return m_finished == m_threads.size(); });
    }
    bool WaitTick() { return WaitFor(kUiTick); }

    void StopAndJoin() {
        stop.store(true);
        for (auto& t : m_threads)
            if (t.joinable()) t.join();
    }

    std::atomic<bool> stop{false};
    std::atomic<uint64_t> next{0};  // the next block to take

private:
    std::vector<std::thread> m_threads;
    std::mutex m_lock;
    std::condition_variable m_done;
    std::size_t m_finished = 0;
};

// The best order reported so far: cheapest, and of equal ones from the lowest block.
struct CSharedBest {
    std::mutex lock;
    int cost = 0;
    uint64_t block = UINT64_MAX;
    uint64_t version = 0;  // changes with every new best
    int order[CYCLE_CAPACITY]{};

    void Offer(uint64_t b, int c, const int* p, int n) {
        const std::lock_guard guard(lock);
        if (block != UINT64_MAX && (c > cost || (c == cost && b >= block))) return;
        cost = c, block = b;
        std::copy(p, p + n, order);
        ++version;
    }
};

// The solver's best while workers run: the run's first order until a cheaper one is reported, then
// each new report of the shared best, copied into m_aCycle, m_aBest and m_nBestCost and shown.
class CBestOnSolver {
public:
    // order: the run's first order (n nodes), costed from the mirrored weights w.
    CBestOnSolver(CCycleSolver& s, CSharedBest& shared, const int* order, const int32_t* w, std::size_t dim)
        : m_s(s), m_shared(shared) {
        const int n = s.m_nNodes;
        std::copy(order, order + n, s.m_aCycle + 1);
        std::copy(order, order + n, s.m_aBest + 1);
        s.m_aCycle[0] = s.m_aBest[0] = 0;
        uint32_t cost = static_cast<uint32_t>(w[static_cast<std::size_t>(order[0]) * dim + static_cast<std::size_t>(order[n - 1])]);
        for (int k = 0; k + 1 < n; ++k)
            cost += static_cast<uint32_t>(w[static_cast<std::size_t>(order[k]) * dim + static_cast<std::size_t>(order[k + 1])]);
        s.m_nBestCost = static_cast<int>(cost);
        s.ShowCycleCost();
    }
    // Takes the shared best when it changed since the last look.
    void Show() {
        const std::lock_guard guard(m_shared.lock);
        if (m_shared.version == m_shown) return;
        m_shown = m_shared.version;
        const int n = m_s.m_nNodes;
        std::copy(m_shared.order, m_shared.order + n, m_s.m_aCycle + 1);
        std::copy(m_shared.order, m_shared.order + n, m_s.m_aBest + 1);
        m_s.m_nBestCost = m_shared.cost;
        m_s.ShowCycleCost();
    }

private:
    CCycleSolver& m_s;
    CSharedBest& m_shared;
    uint64_t m_shown = 0;
};

}  // namespace exact_detail
