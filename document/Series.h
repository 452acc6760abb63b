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
#include <optional>
#include <string>
#include <vector>

#include "document/Outcome.h"
#include "solver/OptimumMethod.h"

class CCycleSolver;
class CMainDoc;
class ITextTarget;

// A start of the current random-start series gave a different cycle length (program-wide, as the
// windows' short tests read it).
extern int g_bDifferentFound;

// The seeds of a series' random draws as quira-cli gives them: draw k (from 1) of the stream that
// starts at seed is the state of the generator state * 214013 + 2531011 after k steps. Problem i
// (from 1) makes drawsPerProblem draws (its network or graph, then one for each random start), so
// the draws of problem i follow from the seed and i alone and a part of a series can run on its own.
class CSeriesSeeds {
public:
    CSeriesSeeds(uint32_t seed, int drawsPerProblem) : m_nSeed(seed), m_nDraws(drawsPerProblem) {}
    // Draw `draw` (from 1) of problem `problem` (from 1).
    uint32_t Draw(int problem, int draw) const;

private:
    uint32_t m_nSeed;
    int m_nDraws;
};

// What a continuous test compares each problem's polynomial result with.
enum class EReference {
    Exact,    // the exact method; the test stops at the first disagreement (the windows' test)
    Optimum,  // the proven optimum (networks); every problem is compared, disagreements counted
};

// What one problem of a continuous test gave, run on its own (in this document or in another
// process's copy of it): its row, what it added to the document's counters, and the boxes it showed.
// Folding the records of problems 1, 2, ... in order leaves the very state that running them one
// after another leaves, so problems may run side by side and still give the same series.
struct CProblemRecord {
    CProblemRow row;               // row.nProblem is the problem's index (from 1)
    bool bReferenceDone = false;   // the reference method ran to its end (or none was asked)
    bool bPolynRan = false;        // the polynomial method started
    bool bPolynDone = false;       // and ran to its end
    bool bStartsAgreed = true;     // the random starts agreed
    int nTests = 0;                // added to the document's counters
    int nDiffSolutions = 0;
    int nCyclesFound = 0;
    int nAuxCount = 0;
    uint32_t dwPolynMs = 0;
    unsigned nResults = 0;         // the document's result flags after the problem
    struct CBox {
        EBoxKind kind;
        std::string text;
    };
    std::vector<CBox> aBoxes;  // the boxes the problem showed, in order
    std::string strDetail;     // what m_fnProblemDetail made of the problem's cycles
};

// The second-cycle message: the title line, then "1-..." over positions 1..n of the cycle (not
// closed back to 1), broken after every 60 characters of the cycle's text.
std::string SecondCycleText(const char* title, const int* cycle, int nodes);
// The edges the edges list names: the positive entries of m_ppAdjust above the diagonal, by row.
struct CListedEdge {
    int i, j, value;
};
std::vector<CListedEdge> ListedEdges(const CCycleSolver& solver);
// The Edges List text: the header line and one line per listed edge (CR LF line ends).
std::string EdgesListText(const CCycleSolver& solver);

class CTestSeries {
public:
    CTestSeries(CMainDoc& doc, ITextTarget& timeField, ITextTarget& finalField);

    // ---- Network and map windows -------------------------------------------------------------------
    void ExactMethod();
    // The proven optimum of the network (solver/OptimumMethod.h): its cycle is recorded as the exact
    // method records its own, and what it gave (cost, bound, proof) in the document's m_optimum.
    void OptimumMethod();
    // One run from the initial cycle, or a series of Rand.Starts random starts, the first Full
    // Tests of them full tests and the rest short tests.
    void PolynomialMethod();
    // Compare of the network, map and graph windows: the exact and the polynomial method, whichever
    // has not run yet, then the kind's verdict (CompareVerdictOf).
    void Compare();
    // Random problems one after another (networks, or for a graph document graphs made by Gener2)
    // until a run is aborted, the random starts or the methods disagree, or maxProblems problems
    // were tested (0: no bound but the counter's range). With the optimum as the reference every
    // problem is compared and a disagreement only counted.
    void ContinuousTest(int maxProblems, EReference reference = EReference::Exact);
    // The continuous test in steps, for problems that run elsewhere: Begin (false when the user
    // declines the estimate), then RunProblem for problems in any order and on any copy of this
    // document, FoldProblem for their records in the order of their indices until it returns
    // false (the test ends there) or the problems run out, then Finish.
    bool BeginContinuous(int maxProblems, EReference reference = EReference::Exact);
    CProblemRecord RunProblem(int index);
    bool FoldProblem(const CProblemRecord& record);
    void FinishContinuous();
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
    uint32_t m_dwLastExactMs =
        0;  // the last exact method's own time (no estimate), also in a continuous test
    uint32_t m_dwLastOptimumMs = 0;  // the last optimum method's time
    int m_nProblems = 0;             // problems made by the last continuous test
    // The finished problems of the last continuous test; an interrupted problem is not among them.
    CSeriesSummary m_summary;
    // When set, the random draws of a continuous test are these seeds' (problem by problem).
    std::optional<CSeriesSeeds> m_seeds;
    // Edges every cycle of the optimum method must use (an instance's fixed edges).
    std::vector<std::pair<int, int>> m_aFixedEdges;

    // ---- Hooks -------------------------------------------------------------------------------------
    std::function<void(int reset)> m_fnRefresh;  // the form's own refresh
    std::function<void()> m_fnBeforeRandom;      // before every random network, graph or start
    // After each finished problem of a continuous test, with its row (also added to m_summary);
    // the solver still holds the polynomial result in m_aBest and the reference's in m_aSaved.
    std::function<void(const CProblemRow& row)> m_fnProblemDone;
    // While a problem's solver still holds its cycles: what a face keeps of them (CProblemRecord).
    std::function<std::string(const CProblemRow& row)> m_fnProblemDetail;
    // After each folded problem that has a row, with its whole record.
    std::function<void(const CProblemRecord& record)> m_fnProblemFolded;
    // The optimum method's once-a-second progress (elapsed, best, bound).
    OptimumProgressFn m_fnOptimumProgress;

private:
    void RunPolynomialOnce();
    void RunGraphPolynomialOnce();
    bool AskEstimate();
    void BeforeRandom();
    // The kind's exact and polynomial method (graph or network).
    void ExactOfKind();
    void PolynomialOfKind();
    // The reference of a continuous test on the current problem; true when it ran to its end.
    bool RunReference(EReference reference);
    void EndContinuous(uint32_t start, uint32_t totalMs, bool compared, bool polynInterrupted,
                       EReference reference);
    // The starts' warning of the polynomial method, once the counters are known.
    void StartsWarning(bool startsAgreed);
    // Only One Cycle? once the optimum is known: a second run seeks another cycle of the same
    // length; shows it under `title`, or the message `uniqueId`.
    void SeekSecondCycle(const char* title, int uniqueId);

    CMainDoc& m_doc;
    ITextTarget& m_time;
    ITextTarget& m_final;
    bool m_bInContinuous = false;  // a continuous test is running
    int m_nDraw = 0;               // draws made for its current problem
    // The continuous test under way (BeginContinuous .. FinishContinuous).
    EReference m_eReference = EReference::Exact;
    bool m_bCompared = false;
    int m_nLimit = 0;
    uint32_t m_dwStart = 0;
    uint32_t m_dwTotal = 0;
    bool m_bPolynInterrupted = false;
};
