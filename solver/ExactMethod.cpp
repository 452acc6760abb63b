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
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "solver/CycleSolver.h"

int g_nExactThreads = 0;

namespace {

constexpr int kPollEvery = 20000;
// Orders a worker steps through between two looks at the stop flag (about 0.1 ms).
constexpr int kWorkerCheckEvery = 1 << 16;
// The calling thread's poll interval while the workers run.
constexpr auto kUiTick = std::chrono::milliseconds(5);

std::atomic<int> g_nWorkersAlive{0};

// Mirrors the upper triangle into the lower one (or clears the lower one again).
void MirrorWeights(CSquareMatrix<int32_t>& w, int n) {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) w[j][i] = w[i][j];
}
void ClearLowerTriangle(CSquareMatrix<int32_t>& w, int n) {
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

}  // namespace

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
    int startCost = w[1 * dim + static_cast<std::size_t>(n)];
    for (int k = 1; k < n; ++k)
        startCost += w[static_cast<std::size_t>(k) * dim + static_cast<std::size_t>(k + 1)];
    for (int k = 1; k <= n; ++k) s.m_aCycle[k] = s.m_aBest[k] = k;
    s.m_aCycle[0] = s.m_aBest[0] = 0;
    s.m_nBestCost = startCost;
    s.ShowCycleCost();

    uint64_t shown = 0;
    auto ShowBest = [&] {
        const std::lock_guard guard(shared.lock);
        if (shared.version == shown) return;
        shown = shared.version;
        std::copy(shared.order, shared.order + n, s.m_aCycle + 1);
        std::copy(shared.order, shared.order + n, s.m_aBest + 1);
        s.m_nBestCost = shared.cost;
        s.ShowCycleCost();
    };
    for (;;) {
        const bool done = pool.WaitTick();
        ShowBest();
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
    ShowBest();
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
    m_bBusy = 0;
    return found == 1 || startIsCycle ? 0 : 1;
}
