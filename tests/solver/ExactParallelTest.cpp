// The exact methods on worker threads against the single loop: the same cost and the same cycle,
// the poll kept on the calling thread, and no worker left when the method returns.
#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "solver/ExactEstimate.h"
#include "support/ExactCompare.h"
#include "support/Fakes.h"
#include "support/Networks.h"

TEST(ExactParallel, SameCostAndCycleAsTheSingleLoop) {
    // Weights 1..3 make ties common; both modes, networks and graphs, two and three workers.
    EXPECT_EQ(CompareParallelWithSingleLoop(240, 5, 9, 31), "");
}

TEST(ExactParallel, EscapeStopsEveryWorkerAndKeepsTheBestSoFar) {
    CFakePlatform platform;
    CFakeField cost;
    const CExactThreadsScope two(2);
    for (bool maximum : {false, true}) {
        auto s = MakeSolver(14);  // 13! orders: minutes of work, stopped at the first poll
        std::mt19937 rng(5);
        FillRandom(*s, rng);
        s->m_bMaximum = maximum;
        s->m_pCostCtrl = &cost;
        const auto before = WeightSnapshot(*s);
        platform.events.queue = {"Escape"};
        platform.events.polls = 0;
        int aborted = 0;
        const int result = s->ExpMethodNet(0, &aborted);
        EXPECT_EQ(aborted, 1);
        EXPECT_EQ(platform.events.polls, 1);
        EXPECT_EQ(ExactWorkersAlive(), 0);
        EXPECT_EQ(s->m_bBusy, 0);
        EXPECT_EQ(result, s->m_nBestCost);
        EXPECT_EQ(s->CycleCostOf(s->m_aBest), result);
        EXPECT_EQ(CycleOf(*s, s->m_aCycle), CycleOf(*s, s->m_aBest));
        EXPECT_EQ(cost.text, "(" + std::to_string(result) + ")");
        EXPECT_EQ(WeightSnapshot(*s), before);
        if (maximum) {
            EXPECT_GT(result, 0);
        }
    }
    auto g = MakeSolver(14, KIND_GRAPH);  // a star: no cycle, so only the stop ends the run
    SetGraph(*g, {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {1, 7}, {1, 8}, {2, 3}, {2, 4}, {3, 4}, {4, 5}});
    platform.events.queue = {"Escape"};
    int aborted = 0;
    EXPECT_EQ(g->ExpMethodGraph(&aborted), 1);
    EXPECT_EQ(aborted, 1);
    EXPECT_EQ(ExactWorkersAlive(), 0);
}

namespace {
// Platform services that note the thread of every call.
class CThreadCheck : public IClock, public IEventPump, public ITextTarget, public IOwnerView {
public:
    std::set<std::thread::id> threads;
    uint32_t now = 1;
    int redraws = 0;
    uint32_t NowMs() override { return Note(), now += 300; }
    bool ServiceOne() override { return Note(), false; }
    void SetText(std::string_view) override { Note(); }
    std::string GetText() const override { return {}; }
    std::string RandStartsText() const override { return "1"; }
    int TestsSoFar() const override { return 0; }
    uint32_t SeriesStartMs() const override { return 0; }
    uint32_t CampaignStartMs() const override { return 0; }
    void RedrawNow(EDrawingPane) override { Note(), ++redraws; }

private:
    void Note() {
        const std::lock_guard guard(m_lock);
        threads.insert(std::this_thread::get_id());
    }
    std::mutex m_lock;
};
}  // namespace

TEST(ExactParallel, OnlyTheCallingThreadTouchesThePlatform) {
    CThreadCheck check;
    const CPlatformScope platform(&check, &check, nullptr);
    const CExactThreadsScope three(3);
    auto s = MakeSolver(11);
    std::mt19937 rng(11);
    FillRandom(*s, rng);
    s->m_pTimeCtrl = s->m_pCostCtrl = &check;
    s->m_pOwnerView = &check;
    s->m_dwRunStart = 1;
    const int cost = s->ExpMethodNet(0, nullptr);
    EXPECT_EQ(cost, BruteForceOptimum(*s, false).cost);
    EXPECT_GE(check.redraws, 1);  // the starting order at least, then every new best
    EXPECT_EQ(check.threads, (std::set<std::thread::id>{std::this_thread::get_id()}));
    s->m_pOwnerView = nullptr;
}

TEST(ExactParallel, MeasurementCountsEveryOrderOfAShortEnumeration) {
    CFakePlatform platform;
    for (int n : {5, 7, 9}) {
        auto s = MakeSolver(n);
        std::mt19937 rng(3);
        FillRandom(*s, rng);
        const auto before = WeightSnapshot(*s);
        uint64_t orders = 0, ms = 0;
        MeasureExactParallel(*s, 2, 40000000, &orders, &ms);
        EXPECT_EQ(static_cast<double>(orders), Factorial(n)) << "n=" << n;
        EXPECT_EQ(WeightSnapshot(*s), before);
    }
    // The estimate then reads that measurement: a clock of 50 ms per read over the whole run.
    platform.clock.stepPerRead = 50;
    const CExactThreadsScope two(2);
    auto s = MakeSolver(200);
    const double seconds = EstimateExactRunSeconds(*s);
    EXPECT_TRUE(std::isfinite(seconds));
    EXPECT_GT(seconds, 1e200);  // 170! orders (the clamp) at some nanoseconds each
    EXPECT_LT(seconds, Factorial(171) * 1e-3);
}
