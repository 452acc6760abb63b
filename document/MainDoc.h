// CMainDoc: the document of one test window. It owns the window's solver and holds what a test is:
// its kind, the texts of the window's input boxes, the check-box flags, the counters and clocks of
// a series of tests, and a text buffer for the texts it builds. The windows (and quira-cli) call
// its operations: bind to a kind, generate a random instance, run the polynomial method and time
// it, prepare an exact run with a time warning, show times, import a matrix, save and open files,
// write the report, parse a typed cycle and build the statistics.
//
// The document reaches the screen only through solver/Platform.h: text targets for the Time and
// result fields, the dialog host for boxes, questions, the file chooser and the wait cursor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/InstanceLayout.h"
#include "document/Outcome.h"
#include "solver/CycleSolver.h"

class CArchive;
class CMainDoc;

constexpr int DOC_TEXT_BYTES = 5000;
constexpr int MIN_DOC_NODES = 4;
// The weights a document holds (what the program itself makes; the file refuses others).
constexpr int DOC_MIN_WEIGHT = -32768;
constexpr int DOC_MAX_WEIGHT = 32767;

// The largest node count the windows allow for a kind: 512 for networks and checks, 1024 for
// graphs, 51 for the map.
int MaxNodesOfKind(int kind);

// What the solver's progress poll and result notification need of the window that shows a
// document: the document's series counters, and a repaint forwarded to the real view (if any).
class CDocOwnerView : public IOwnerView {
public:
    explicit CDocOwnerView(const CMainDoc& doc) : m_doc(doc) {}
    std::string RandStartsText() const override;
    int TestsSoFar() const override;
    uint32_t SeriesStartMs() const override;
    uint32_t CampaignStartMs() const override;
    void RedrawNow(EDrawingPane pane) override;

    IOwnerView* m_pView = nullptr;  // the window's drawing, repainted on every improvement

private:
    const CMainDoc& m_doc;
};

class CMainDoc {
public:
    CMainDoc();
    // Writes params.dat (when g_bWriteParamsOnClose), releases the network, and ends the process at
    // once when a method is still running: the run would return into a destroyed document.
    ~CMainDoc();
    CMainDoc(const CMainDoc&) = delete;
    CMainDoc& operator=(const CMainDoc&) = delete;

    // ---- Framework steps ---------------------------------------------------------------------------
    // The new-document values of every field. Returns 1.
    int OnNewDocument();
    // Reads a document file; on success m_bFromFile = 1. A file that cannot be read or is not a
    // sound document is refused with a message box naming the reason; the document then stays
    // as it was and the result is 0.
    int OnOpenDocument(const std::string& path);
    // Writes the document file and, with "Allow ASCII save" on, the report beside it. 0 (with a
    // message box) when the file cannot be written.
    int OnSaveDocument(const std::string& path);
    // Reads a published instance file through pathkit as a new network document: sized to the
    // instance (within the network window's limits), its weights, the identity cycle as the
    // initial one, its name and node positions in m_layout. A refused file is shown in a message
    // box naming the reason; the result is then 0.
    int OpenInstance(const std::string& path);
    // The layout's companion file beside a document file (LayoutPathFor). Saving writes it when
    // the layout places the network's nodes and removes a stale one otherwise; a failure is shown
    // in a message box (the document itself is saved) and gives 0. Opening reads it when it is
    // there; one that cannot be read, or that places another node count, is shown in a message box
    // and left aside (0): the drawing then uses the ring.
    int SaveLayoutBeside(const std::string& documentPath);
    int OpenLayoutBeside(const std::string& documentPath);
    // Stores into or loads from the archive. Loading returns 0 and names the fault in
    // m_strLoadError when the bytes are not a sound document; nothing of the document is changed
    // then. Storing always returns 1.
    int Serialize(CArchive& ar);
    // The can-close query of a test window: no while a method runs.
    int CanCloseFrame() const { return m_solver.m_bBusy == 0; }

    // ---- Operations --------------------------------------------------------------------------------
    // Binds the document to the kind of the window that shows it (a loaded document keeps its own).
    void InitKind(int kind, int nodes);
    // Points the solver's owner view at the document's adapter, which forwards repaints to view.
    void AttachView(IOwnerView* view);
    void GenerateRandom();
    void RunPolynomial(ITextTarget* timeControl, ITextTarget* resultControl, int prepareOnly);
    int BeginExactRun(ITextTarget* timeControl, ITextTarget* resultControl, int keepCounters);
    double EstimateExactSeconds();
    int SetNodeCount(int nodes);

    // ---- Time displays -----------------------------------------------------------------------------
    int ShowEstimate(double seconds, ITextTarget* control);
    void ShowSavedTime(ITextTarget* control);
    uint32_t ShowElapsed(uint32_t first, ITextTarget* control, uint32_t secondMs);
    void ShowCampaignTotal(uint32_t start, ITextTarget* control);

    // ---- Texts -------------------------------------------------------------------------------------
    // "( 17) 1-3-2-4-1" in m_szText.
    const char* CycleText(const int* cycle);
    // Makes a typed cycle the current and initial cycle: 0, or 1..4 with its message shown.
    int ParseGivenCycle(std::string_view text);
    // The statistics text of the series in m_szText; shown in an "Information" box when show != 0.
    const char* BuildStatistics(int show);

    // ---- Matrix import -----------------------------------------------------------------------------
    // Asks for a "*.txt" file and reads its rows into the matrix. 1 when a file was read.
    int ImportTextMatrix();
    int ImportTextMatrixFrom(const std::string& path);

    // ---- Report ------------------------------------------------------------------------------------
    // The text report (CR LF line ends). printing != 0 gives the printer's banded pages.
    std::string ReportText(int printing);
    // Writes the report into the file safely ("PRN" gives the printer's pages). 1 on success; 0
    // keeps the old file and leaves the reason in m_strSaveError.
    int WriteReport(const std::string& fileName);
    // Appends one report line to out, cut to its band when printing.
    static void WriteReportLine(std::string& out, std::string_view line, int printing, int band);
    // The report's file name beside a document file: the document's extension replaced by ".txt"
    // (".tx" when it is ".txt" itself), ".txt" appended when the file name has none.
    static std::string ReportPathFor(const std::string& documentPath);

    // ---- Fields, in order --------------------------------------------------------------------------
    std::string m_strNodes;
    // Why the last save (document or report) failed; empty after a success.
    std::string m_strSaveError;
    std::string m_strAmplitude;
    std::string m_strRandStarts;
    std::string m_strFullTests;
    int m_bShowWeights = 1;
    int m_bFromFile = 0;
    CCycleSolver m_solver;
    int m_nDocKind = KIND_NETWORK;
    // Which results the test holds; the file stores it as its results value (CResults::Stored).
    CResults m_results;
    COptimumOutcome m_optimum;  // what the optimum method gave, while m_results holds RESULT_OPTIMUM
    // The cost of the polynomial and the exact method's last result on the current problem, while
    // m_results holds its flag (a later method may have taken the result cycle's place); NO_COST
    // where none was recorded (a document read from a file).
    int m_nPolynCost = NO_COST;
    int m_nExactCost = NO_COST;
    int m_bRan = 0;
    int m_nTests = 0;
    int m_nDiffSolutions = 0;
    int m_nCyclesFound = 0;
    int m_nAuxCount = 0;
    uint32_t m_dwPolynMs = 0;
    uint32_t m_dwSeriesTime = 0;
    uint32_t m_dwCampaignStart = 0;
    char m_szText[DOC_TEXT_BYTES]{};

    std::string m_strLoadError;  // why the last load was refused
    // The estimate BeginExactRun took (seconds), for the progress line of the run it began; 0 when
    // a continuous test, whose progress line shows its total instead, took none.
    double m_dExactEstimate = 0.0;
    // Where the nodes lie, when the network came from a published instance; dropped when the
    // network is replaced (SetNodeCount, GenerateRandom, an imported matrix). Not in the file.
    CInstanceLayout m_layout;

private:
    // Items a load reads but drops (the random starts text; with no results also the result cycle
    // and the counters). No load ever reads them back, so storing writes them as they were read
    // while the document still holds what the load put in their place: a document opened and
    // saved again keeps its bytes.
    struct CDroppedItems {
        bool bValid = false;
        std::string strRandStarts;
        bool bCounters = false;  // the result cycle and counters were dropped (results 0)
        std::vector<int32_t> aResultCycle;
        int32_t aCounters[6]{};
    };
    bool DroppedCountersStillApply() const;
    CDroppedItems m_dropped;

    CDocOwnerView m_ownerAdapter{*this};
};

// The question asked before an exact run whose estimate has the given unit class (2 minutes ..
// 6 years).
const char* TimeWarningText(int unit);

// The leading decimal number of a text as the windows read their boxes: blanks skipped, an
// optional sign, the digits up to the first other character; 0 when there are none. Values beyond
// the int range are clamped.
int LeadingInt(std::string_view text);
