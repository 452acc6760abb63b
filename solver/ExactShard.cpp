// The exact network enumeration over ranges of its blocks, in pieces, for shards.
//
// Workers take the blocks of all pieces in order from one counter, as the parallel enumeration
// does, and leave each block's first strictly cheapest order in its piece; a piece whose blocks are
// all done is handed over by the calling thread, which meanwhile polls. Within a piece the lowest
// block wins a tie, so a piece reports the order the single loop would keep of its orders.
#include "solver/ExactShard.h"

#include <algorithm>
#include <deque>

#include "solver/ExactEnumeration.h"
#include "solver/ExactMethod.h"

using namespace exact_detail;

uint64_t ExactBlockCount(int nodes) {
    return nodes < 5 ? 0 : CBlockPlan(nodes).blocks;
}

double ExactOrdersPerBlock(int nodes) {
    return Factorial(nodes - CBlockPlan(nodes).fixed);  // (free positions)!
}

CBlockRange ShardBlocks(uint64_t blocks, int k, int count) {
    using Wide = unsigned __int128;
    const auto at = [&](int j) { return static_cast<uint64_t>(Wide{blocks} * static_cast<Wide>(j) / static_cast<Wide>(count)); };
    return {at(k - 1), at(k)};
}

bool PieceWins(const CExactPiece& a, const CExactPiece& b, bool maximum) {
    if (a.cost != b.cost) return maximum ? a.cost > b.cost : a.cost < b.cost;
    return a.block < b.block;
}

namespace {

// A piece while it runs: each finished block's best order and cost (in the run's minimum sense).
struct CPieceWork {
    CBlockRange blocks;
    uint64_t offset = 0;  // index of its first block in the run's sequence of blocks
    std::vector<int> costs;
    std::vector<int> orders;  // n nodes per block
    std::vector<char> finished;
    uint64_t count = 0;  // blocks finished
    bool handed = false;

    void Release() {
        std::vector<int>().swap(costs);
        std::vector<int>().swap(orders);
    }
};

// The piece of the blocks [0, len) of work: the first strictly cheapest of their reports.
CExactPiece PieceOf(const CPieceWork& work, uint64_t len, int n, bool maximum) {
    std::size_t best = 0;
    for (std::size_t j = 1; j < len; ++j)
        if (work.costs[j] < work.costs[best]) best = j;
    CExactPiece piece;
    piece.blocks = {work.blocks.first, work.blocks.first + len};
    piece.cost = maximum ? Negated(work.costs[best]) : work.costs[best];
    piece.block = work.blocks.first + best;
    const int* order = work.orders.data() + best * static_cast<std::size_t>(n);
    piece.cycle.assign(order, order + n);
    return piece;
}

// The solver's weights as the enumeration reads them (negated in maximum mode, mirrored) for the
// life of the object, whichever way the run is left.
class CRunWeights {
public:
    explicit CRunWeights(CCycleSolver& s) : m_s(s) {
        m_s.m_bBusy = 1;
        if (m_s.m_bMaximum == 1) m_s.NegateWeights();
        MirrorWeights(m_s.m_ppWeight, m_s.m_nNodes);
    }
    ~CRunWeights() {
        if (m_s.m_bMaximum == 1) {
            m_s.NegateWeights();
            m_s.m_nBestCost = Negated(m_s.m_nBestCost);
        }
        ClearLowerTriangle(m_s.m_ppWeight, m_s.m_nNodes);
        m_s.m_bBusy = 0;
    }
    CRunWeights(const CRunWeights&) = delete;
    CRunWeights& operator=(const CRunWeights&) = delete;

private:
    CCycleSolver& m_s;
};

}  // namespace

int ExpMethodNetBlocks(CCycleSolver& s, const std::vector<CBlockRange>& ranges, uint64_t pieceBlocks,
                       const std::function<void(const CExactPiece&)>& done) {
    const int n = s.m_nNodes;
    const bool maximum = s.m_bMaximum == 1;
    s.m_nOrdersDone = 0;
    std::deque<CPieceWork> pieces;
    uint64_t total = 0;
    pieceBlocks = std::max<uint64_t>(pieceBlocks, 1);
    for (const CBlockRange& r : ranges) {
        for (uint64_t f = r.first; f < r.end; f += std::min(pieceBlocks, r.end - f)) {
            CPieceWork& work = pieces.emplace_back();
            work.blocks = {f, f + std::min(pieceBlocks, r.end - f)};
            work.offset = total;
            total += work.blocks.Size();
        }
    }
    if (total == 0 || n < 5) return 0;

    const CRunWeights weights(s);
    const CBlockPlan plan(n);
    const int32_t* w = s.m_ppWeight.Data();
    const std::size_t dim = s.m_ppWeight.Dim();
    const int workers = std::max(1, ExactWorkerCount(n));
    std::vector<std::atomic<uint64_t>> orders(static_cast<std::size_t>(workers));
    CSharedBest shared;
    std::mutex lock;
    std::vector<std::size_t> complete;  // pieces whose blocks are all done, not yet handed over

    CWorkerPool pool;
    auto body = [&](int id) {
        auto e = std::make_unique<CNetEnumeration<EEnumMode::Block>>(w, dim, n, plan.fixed, &pool.stop,
                                                                     &orders[static_cast<std::size_t>(id)]);
        int start[CYCLE_CAPACITY];
        std::size_t p = 0;
        while (!pool.stop.load(std::memory_order_relaxed)) {
            const uint64_t k = pool.next.fetch_add(1);
            if (k >= total) break;
            while (k >= pieces[p].offset + pieces[p].blocks.Size()) ++p;  // workers take k in order
            CPieceWork& work = pieces[p];
            const uint64_t b = work.blocks.first + (k - work.offset);
            plan.Start(b, start);
            const bool finished = e->RunBlock(start);
            shared.Offer(b, e->bestCost, e->best, n);
            if (!finished) break;
            const std::lock_guard guard(lock);
            const auto size = static_cast<std::size_t>(work.blocks.Size());
            if (work.costs.empty()) {
                work.costs.resize(size);
                work.orders.resize(size * static_cast<std::size_t>(n));
                work.finished.resize(size);
            }
            const auto j = static_cast<std::size_t>(b - work.blocks.first);
            work.costs[j] = e->bestCost;
            std::copy(e->best, e->best + n, work.orders.begin() + static_cast<std::ptrdiff_t>(j * n));
            work.finished[j] = 1;
            if (++work.count == size) complete.push_back(p);
        }
        e->ReportOrders();
    };

    // The first order of the first block is the best until a cheaper one appears.
    int first[CYCLE_CAPACITY];
    plan.Start(pieces.front().blocks.first, first);
    CBestOnSolver best(s, shared, first, w, dim);
    auto handOver = [&] {
        std::vector<std::size_t> ready;
        {
            const std::lock_guard guard(lock);
            ready.swap(complete);
        }
        for (const std::size_t p : ready) {
            CPieceWork& work = pieces[p];
            work.handed = true;
            done(PieceOf(work, work.blocks.Size(), n, maximum));
            const std::lock_guard guard(lock);
            work.Release();
        }
    };
    auto ordersDone = [&] {
        uint64_t sum = 0;
        for (const auto& o : orders) sum += o.load(std::memory_order_relaxed);
        return sum;
    };

    int aborted = 0;
    if (pool.Launch(workers, body) == 0) {
        body(0);  // the system gives no thread: the blocks run here, without polls
    } else {
        for (;;) {
            const bool all = pool.WaitTick();
            best.Show();
            handOver();
            if (all) break;
            s.m_nOrdersDone = ordersDone();
            if (s.PollProgress(1) != 0) {
                aborted = 1;
                break;
            }
        }
        pool.StopAndJoin();
    }
    best.Show();
    handOver();
    s.m_nOrdersDone = ordersDone();
    // A stopped run keeps the finished leading blocks of every unfinished piece.
    for (CPieceWork& work : pieces) {
        if (work.handed || work.count == 0) continue;
        uint64_t len = 0;
        while (len < work.blocks.Size() && work.finished[static_cast<std::size_t>(len)]) ++len;
        if (len > 0) done(PieceOf(work, len, n, maximum));
    }
    return aborted;
}
