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

class CMainDoc;
class ITextTarget;

// A start of the current random-start series gave a different cycle length (program-wide, as the
// windows' short tests read it).
extern int g_bDifferentFound;

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

    // ---- Graph window ----------------------------------------------------------------------------
    void GraphExactMethod();
    void GraphPolynomialMethod();
    void GraphContinuousTest(int maxProblems);

    // The refresh of the form after a step. With reset the document's result flags are cleared
    // (and, for a network, m_bRan) and the Time field is emptied; then the hook, if any.
    void Refresh(int reset);

    // ---- State the form keeps ----------------------------------------------------------------------
    bool m_bComparing = false;    // a comparison drives the single-method commands
    bool m_bStartsAgreed = true;  // outcome of the last random-start series or comparison
    uint32_t m_dwExactElapsedMs = 0;
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

    CMainDoc& m_doc;
    ITextTarget& m_time;
    ITextTarget& m_final;
};
