// The polynomial method for networks: passes of (set-up, stabilising, adjustment sweeps with
// searches A and B), a short test repeating passes while they improve, a full test running a fixed
// number of passes around one restart with edge marks carried between passes.
#include <algorithm>
#include <cstring>

#include "solver/CycleSolver.h"
#include "solver/Invariants.h"
#include "solver/MethodParams.h"

namespace {
void NegateUnlessNone(int& cost) {
    if (cost != NO_COST) cost = Negated(cost);
}
}  // namespace

int CCycleSolver::PolynMethodNet(int mode, int quiet) {
    // Without its table the method cannot run; m_strMemoryRefusal says why.
    if (!EnsureInsertTable()) return m_bAborted = 1;
    const int n = m_nNodes;
    const bool full = m_nTestLevel != 1;
    const bool map = m_nKind == KIND_MAP;
    const double factorA = !full ? 0.015 : map ? g_dMapParam1 : g_dParam1;
    const double factorB = !full ? 0.25 : map ? g_dMapParam2 : g_dParam2;
    const int sweeps = full ? 1 : 10;
    const int openingBudget = full ? 3 * n : 2 * n;
    const int firstLoop = map ? g_nMapFirstLoop : g_nFirstLoop;
    const int secondLoop = map ? g_nMapSecondLoop : g_nSecondLoop;
    const int markLowering = map ? 1000 : std::max(m_nAmplitude / 5, 1);
    const int budgetA = PolynSearchBudget(factorA, n);
    const int budgetB = PolynSearchBudget(factorB, n);

    CheckSolverInvariants(*this, "polynomial method", false, INV_ENTRY);
    m_bAborted = 0;
    m_bQuiet = quiet;
    m_bKeepTies = full ? 0 : 1;
    m_nRunMode = mode;
    m_bStopRequest = 0;
    m_bBusy = 1;
    m_nPassesRun = 0;
    bool restarted = false;

    if (m_bMaximum) {
        NegateWeights();
        NegateUnlessNone(m_nTargetCost);
        NegateUnlessNone(m_nRefCost);
    }
    std::copy(m_aCycle + 1, m_aCycle + n + 1, m_aInitial + 1);
    if (mode == -1) m_nStartCost = CycleCost();

    auto clearMarks = [&] {
        std::memset(m_ppMark.Data(), 0, m_ppMark.Size() * sizeof(int32_t));
        std::memset(m_ppMark2.Data(), 0, m_ppMark2.Size() * sizeof(int32_t));
    };
    auto bestToCurrent = [&] {
        std::copy(m_aBest + 1, m_aBest + n + 1, m_aCycle + 1);
        m_aCycle[n + 1] = m_aCycle[1];
    };
    auto stopped = [&] {
        if (m_bStopRequest != 0) {
            m_bAborted = 1;
            return true;
        }
        return StopTest() != 0;
    };

    // Restart point.
    m_nPass = 0;
    if (m_bKeepTies) m_nTies = 1;
    clearMarks();
    for (;;) {
        // Pass point.
        ++m_nPassesRun;
        m_nMoveKind = 0;
        PrepareTables();
        if (full) {
            for (int i = 1; i <= n; ++i) {
                for (int j = i + 1; j <= n; ++j) {
                    m_ppAdjust[j][i] = m_ppMark[i][j];
                    // Edges marked at the end of the last pass start this one lowered (T does not
                    // follow this lowering).
                    if (m_ppMark[j][i] != 0) m_ppAdjust[i][j] -= markLowering;
                }
            }
        }
        // An Escape seen by the stabilising stage ends the run without a further search.
        if (m_nPass == 0 && m_bStopRequest == 0) OpeningSearch(openingBudget);
        if (!full) ++m_nPass;
        if (stopped()) break;
        if (m_bKeepTies) {
            m_nTies = 1;
            for (int k = 1; k <= n; ++k) m_aTies[k][1] = m_aBest[k];
        }
        bestToCurrent();

        int result = 0;
        bool finish = false;
        for (int r = 1; r <= sweeps; ++r) {
            if (m_bKeepTies) {
                // Each sweep of a short test starts from another of the equally good cycles.
                if (r <= m_nTies)
                    for (int k = 1; k <= n; ++k) m_aBest[k] = m_aTies[k][r];
                bestToCurrent();
            }
            AdjustWeights(r == 1 ? 1 : 0);
            bestToCurrent();
            result = SearchA(budgetA, 1);
            if (stopped()) {
                finish = true;
                break;
            }
            if (result != 0) break;
            result = SearchB(budgetB);
            // An Escape seen by search B ends the run here rather than after further sweeps.
            if (m_bStopRequest != 0) {
                m_bAborted = 1;
                finish = true;
                break;
            }
            if (result != 0) break;
        }
        if (finish) break;
        bestToCurrent();
        if (!full) {
            if (result != 0) continue;
            break;
        }
        ++m_nPass;
        GainCensus();
        MarkEdges();
        if (!restarted && m_nPass == firstLoop) {
            bestToCurrent();
            restarted = true;
            m_nPass = 0;
            clearMarks();
            continue;
        }
        if (m_nPass >= secondLoop) break;
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) m_ppMark[i][j] = m_ppAdjust[j][i];
    }

    // Finish.
    if (m_bStopRequest != 0) m_bAborted = 1;  // an Escape seen by a late stage is still an abort
    bestToCurrent();
    m_nBestCost = m_nStartCost = CycleCost();
    if (m_bMaximum) {
        NegateWeights();
        m_nStartCost = Negated(m_nStartCost);
        m_nBestCost = Negated(m_nBestCost);
        NegateUnlessNone(m_nTargetCost);
        NegateUnlessNone(m_nRefCost);
    }
    m_bBusy = 0;
    CheckSolverInvariants(*this, "polynomial method", true, INV_RESULT);
    return m_bAborted;
}
