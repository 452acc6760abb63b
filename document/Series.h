// The test commands of the network and graph windows over a document: the exact method, the
// polynomial method with its series of random starts (full and short tests), Compare, and the
// continuous test of random networks (random graphs made by Gener2 in the graph window). The
// windows call these from their buttons and quira-cli calls them for `series`, so both run the
// very same steps, counters and messages.
//
// The form's own side of a step (its fields, its cursor, its redraw) is reached through the two
// text targets, the platform's dialog host, and the optional hooks below.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CCycleSolver;
class CMainDoc;
class ITextTarget;

// A start of the current random-start series gave a different cycle length (program-wide, as the
// windows' short tests read it).
extern int g_bDifferentFound;

// The Compare verdict on a network: the result in m_aBest against the reference in m_aSaved
// (SaveOrCompareBest(1): the same cycle or the same length). IDS_CORRECT_ROUTE when they agree,
// else IDS_NOT_CORRECT_SOLUTION.
int CompareVerdict(CCycleSolver& solver);
// The graph window's verdict by whether each method found a cycle of cost 0: IDS_BOTH_ZERO_CYCLE,
// IDS_BOTH_NO_ZERO_CYCLE or IDS_NO_ZERO_CYCLE_FOUND.
int GraphCompareVerdict(bool polynFound, bool exactFound);

// The second-cycle message: the title line, then "1-..." over positions 1..n of the cycle (not
// closed back to 1), broken after every 60 characters of the cycle's text.
std::string SecondCycleText(const char* title, const int* cycle, int nodes);
// The Edges List text: the header line and one line per positive entry of m_ppAdjust above the
// diagonal (CR LF line ends).
std::string EdgesListText(const CCycleSolver& solver);
// Whether some entry of m_ppAdjust above the diagonal is positive.
bool HasListedEdges(const CCycleSolver& solver);

class CTestSeries {
public:
    CTestSeries(CMainDoc& doc, ITextTarget& timeField, ITextTarget& finalField);

    // ---- Network window --------------------------------------------------------------------------
    void ExactMethod();
    // One run from the initial cycle, or a series of Rand.Starts random starts, the first Full
    // Tests of them full tests and the rest short tests.
    void PolynomialMethod();
    void Compare();
    // Random networks one after another until a run is aborted, the methods disagree, or
    // maxProblems problems were tested (0: no bound but the counter's range).
    void ContinuousTest(int maxProblems);
    // A new random network with the current node count and amplitude.
    void Reset();
    // A random current cycle, which also becomes the initial cycle.
    void RandomizedStart();
    // The last final cycle becomes the initial cycle; 0 (with message 32777) when the data changed
    // since the last run (for a graph: whenever no result is known).
    int FinalToInitial();
    // A weight matrix from a text file chosen by the user.
    void Import();
    // Whether the optimum found by the polynomial method is the only one: a second run looks for
    // another cycle of the same length and shows it, or says the optimum is unique.
    void OnlyOneCycle();
    // The edges of the optimum cycle that may change without changing it (in m_ppAdjust). Returns
    // 1 when at least one edge qualifies (the window then lists them); otherwise the user was told.
    int EdgesListCommand();
    // The statistics box, when a polynomial result is present.
    void Statistics();
    // The matrix editor's working copy: the weights into m_ppGain before the editor opens, and
    // back into the weights when the user leaves it with OK.
    void BeginMatrixEdit();
    void AcceptMatrixEdit();

    // ---- Graph window ----------------------------------------------------------------------------
    void GraphExactMethod();
    void GraphPolynomialMethod();
    void GraphContinuousTest(int maxProblems);
    // Compare on a graph: the verdict by whether each method found a cycle of cost 0. With only
    // the polynomial result known, the exact method runs and both results are judged.
    void GraphCompare();
    // Whether the graph's Hamiltonian cycle is the only one; nothing (and no results) when the
    // polynomial method knows none.
    void GraphOnlyOneCycle();
    // Gener2: a new random graph of the given maximum degree.
    void Gener2Graph(int degree);

    // The refresh of the form after a step. With reset the document's result flags are cleared
    // (and, for a network, m_bRan) and the Time field is emptied; then the hook, if any.
    void Refresh(int reset);

    // ---- State the form keeps ----------------------------------------------------------------------
    bool m_bComparing = false;    // a comparison drives the single-method commands
    bool m_bStartsAgreed = true;  // outcome of the last random-start series or comparison
    uint32_t m_dwExactElapsedMs = 0;
    uint32_t m_dwLastExactMs = 0;  // the last exact method's own time (no estimate), also in a continuous test
    int m_nProblems = 0;  // problems made by the last continuous test

    // ---- Hooks -------------------------------------------------------------------------------------
    std::function<void(int reset)> m_fnRefresh;  // the form's own refresh
    std::function<void()> m_fnBeforeRandom;      // before every random network, graph or start
    std::function<void()> m_fnProblemDone;       // after the methods ran on a problem of a continuous test

private:
    void RunPolynomialOnce();
    void RunGraphPolynomialOnce();
    bool AskEstimate();
    void BeforeRandom();
    void EndContinuous(uint32_t start, uint32_t totalMs, bool compared, bool graph);
    // Only One Cycle? once the optimum is known: a second run seeks another cycle of the same
    // length; shows it under `title`, or the message `uniqueId`.
    void SeekSecondCycle(const char* title, int uniqueId);

    CMainDoc& m_doc;
    ITextTarget& m_time;
    ITextTarget& m_final;
};
