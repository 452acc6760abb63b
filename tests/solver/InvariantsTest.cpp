// The invariants the Debug builds check at every method's entry and exit: each broken promise is
// named, and a solver fresh from its methods keeps them all.
#include <gtest/gtest.h>

#include "solver/Invariants.h"
#include "support/Networks.h"

TEST(Invariants, EachBrokenPromiseIsNamed) {
    auto s = MakeSolver(6);
    std::mt19937 rng(4);
    FillRandom(*s, rng);
    s->ExpMethodNet(0, nullptr);
    const unsigned all = INV_RESULT | INV_CANONICAL;
    ASSERT_EQ(SolverInvariantFault(*s, all), "");

    s->m_aCycle[7] = s->m_aCycle[2];  // position n+1 no longer repeats position 1
    EXPECT_EQ(SolverInvariantFault(*s, INV_CYCLE).rfind("current cycle: position n+1", 0), 0u);
    s->m_aCycle[7] = s->m_aCycle[1];
    std::reverse(s->m_aBest + 2, s->m_aBest + 7);  // the same cycle read backwards
    EXPECT_EQ(SolverInvariantFault(*s, INV_BEST | INV_COST), "");
    EXPECT_EQ(SolverInvariantFault(*s, INV_CANONICAL), "the best cycle is not in canonical form");
    s->m_aBest[3] = s->m_aBest[4];
    EXPECT_EQ(SolverInvariantFault(*s, INV_BEST).rfind("best cycle: node", 0), 0u);
    s->ExpMethodNet(0, nullptr);
    ++s->m_nBestCost;
    EXPECT_EQ(SolverInvariantFault(*s, INV_COST).rfind("recorded best cost", 0), 0u);
    s->m_bBusy = 1;
    EXPECT_EQ(SolverInvariantFault(*s, INV_ENTRY), "a run is still marked busy");
}
