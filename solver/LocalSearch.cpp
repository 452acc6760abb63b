// The three searches of the network method: the opening search, search A and search B. Each is a
// walk of a fixed number of iterations: from the walk's cycle L every generator proposes one move,
// the cheapest true result is accepted when it beats the best cycle, and otherwise the walk moves on
// to the proposal that is best under the adjusted weights, so it may go uphill. Searches A and B pay
// adjustments back when the walk's adjusted cost runs below the true cost it stands for.
#include <algorithm>

#include "solver/CycleSolver.h"

namespace {
enum { OPENING = 0, SEARCH_A = 1, SEARCH_B = 2 };

// a - b in the method's 32-bit arithmetic, which wraps around as every weight sum of it does
// (adjusted costs of large weights may lie more than 2^31 apart), without signed overflow.
int Difference(int a, int b) {
    return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// One generator's proposal, taken from the solver's fields right after the generator ran.
struct CProposal {
    int moved = 0;
    int trueCost = 0;
    int adjusted = 0;
    int record[MOVE_RECORD_WORDS] = {};
    int kind = 1;
};
}  // namespace

int CCycleSolver::OpeningSearch(int budget) {
    return WalkSearch(OPENING, budget);
}

// The driver always asks for the walk to start from the best cycle; reload only documents that.
int CCycleSolver::SearchA(int budget, int /*reload*/) {
    return WalkSearch(SEARCH_A, budget);
}

int CCycleSolver::SearchB(int budget) {
    return WalkSearch(SEARCH_B, budget);
}

int CCycleSolver::WalkSearch(int which, int budget) {
    const int n = m_nNodes;
    const bool full = m_nTestLevel == 2;
    int* walk = m_aWalk;
    auto load = [&](const int* from) {
        std::copy(from + 1, from + n + 1, m_aCycle + 1);
        m_aCycle[n + 1] = m_aCycle[1];
    };
    auto keep = [&](CProposal& prop, int slot, int moved) {
        prop.moved = moved;
        std::copy(m_aCycle, m_aCycle + n + 2, m_aProposal[slot]);
        std::copy(m_aMove, m_aMove + MOVE_RECORD_WORDS, prop.record);
        prop.trueCost = CycleCostAdjusted(0, &prop.adjusted);
    };

    load(m_aBest);
    std::fill(m_aMove, m_aMove + (which == SEARCH_A ? 5 : MOVE_RECORD_WORDS), 0);
    MemoryCheckAndRecord(1, m_aMove);
    std::copy(m_aCycle, m_aCycle + n + 2, walk);
    // The walk's true cost, kept from the proposal taken (the true weights stay as they are).
    int walkTrue = CycleCostOf(walk);

    const int iterations = budget > 4000 ? 3999 : budget;
    int base = 0;
    CycleCostAdjusted(0, &base);
    if (which == SEARCH_A && base < m_nBestCost) {
        PayBack(Difference(base, m_nBestCost));
        base = m_nBestCost;
    }
    int lastTrue = m_nBestCost;
    int improvements = 0;

    CProposal prop[3];
    for (int count = iterations; count >= 1; --count) {
        if (which == SEARCH_B) lastTrue = base;
        if (count % 4 == 0 && PollProgress(0) != 0) {
            m_bStopRequest = 1;
            return 0;
        }
        load(walk);
        MemoryCheckAndRecord(0, m_aMove, &walkTrue);
        if (StopTest()) return 1;

        int r0[MOVE_RECORD_WORDS];
        std::copy(m_aMove, m_aMove + MOVE_RECORD_WORDS, r0);
        auto restoreR0 = [&] { std::copy(r0, r0 + MOVE_RECORD_WORDS, m_aMove); };

        load(walk);
        if (which == SEARCH_B) m_aMove[0] = -1;
        keep(prop[0], 0, RelocateNode(1));
        load(walk);
        if (which == SEARCH_B)
            m_aMove[0] = -1;  // words 1..6 as the first generator left them
        else
            restoreR0();
        keep(prop[1], 1, ReverseSegment());
        prop[0].kind = 1, prop[1].kind = 2;

        prop[2].moved = 0;
        const auto bothUphill = [&] { return prop[0].adjusted > base && prop[1].adjusted > base; };
        bool third = false;
        if (which == OPENING && bothUphill()) {
            // Free mode: the same two generators without the last move's neighbourhood. Their new
            // proposals replace the first ones; the flags of the first run stay.
            const int moved1 = prop[0].moved, moved2 = prop[1].moved;
            load(walk);
            m_aMove[0] = 0;
            keep(prop[0], 0, RelocateNode(1));
            load(walk);
            m_aMove[0] = 0;
            keep(prop[1], 1, ReverseSegment());
            prop[0].moved = moved1, prop[1].moved = moved2;
            third = bothUphill();
        } else if (which == SEARCH_A && !full && bothUphill()) {
            third = true;
        }
        if (third) {
            load(walk);
            restoreR0();
            if (full) {
                keep(prop[2], 2, SegmentStage());
                prop[2].kind = 4;
            } else {
                keep(prop[2], 2, RelocateNodeWide());
                prop[2].kind = 1;
            }
        }
        if (!prop[0].moved && !prop[1].moved && !prop[2].moved) return 0;

        const int best = m_nBestCost;
        int chosenTrue = 0;
        auto take = [&](int slot) {
            std::copy(m_aProposal[slot], m_aProposal[slot] + n + 2, walk);
            std::copy(prop[slot].record, prop[slot].record + MOVE_RECORD_WORDS, m_aMove);
            m_nMoveKind = prop[slot].kind;
            base = prop[slot].adjusted;
            chosenTrue = prop[slot].trueCost;
            walkTrue = chosenTrue;
        };
        auto takeAndAccept = [&](int slot) {
            take(slot);
            load(walk);
            AcceptCycle(chosenTrue);
            ++improvements;
            lastTrue = chosenTrue;
        };
        if (prop[0].trueCost < best && prop[0].trueCost < prop[1].trueCost)
            takeAndAccept(0);
        else if (prop[1].trueCost < best)
            takeAndAccept(1);
        else if (prop[2].moved)
            take(2);
        else if ((prop[1].adjusted < prop[0].adjusted || !prop[0].moved) && prop[1].moved)
            take(1);
        else
            take(0);

        if (which != OPENING && base < lastTrue && chosenTrue >= m_nBestCost && chosenTrue != base) {
            load(walk);
            PayBack(Difference(base, lastTrue));
            base = lastTrue;
        }
    }
    load(walk);
    MemoryCheckAndRecord(0, m_aMove, &walkTrue);
    if (m_bStopRequest != 0) {
        m_bAborted = 1;
        return 0;
    }
    return improvements;
}
