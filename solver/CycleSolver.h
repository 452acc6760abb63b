// CCycleSolver: the one object that holds a test's network (or graph), its cycles and every working
// table of both solution methods.
//
// Conventions shared by all solver code:
//  - Nodes are numbered 1..n; index 0 of every node-indexed array and matrix row exists and holds 0.
//  - A cycle is an array indexed by position 1..n (a permutation of 1..n); position n+1 repeats
//    position 1, so edge k is (cycle[k], cycle[k+1]). Canonical form: node 1 first and the second node
//    smaller than the last (NormalizeCycle).
//  - Edge {i, j} is matrix entry [min][max] (the upper triangle).
//  - A network holds integer weights; a graph (kind 2) holds 0 = edge present, 1 = missing (3 = raised
//    for a while by the graph method, counting as 1 in a cycle's cost), so a Hamiltonian cycle is a
//    cycle of cost 0.
//  - Maximum-cycle mode negates every weight around a run, so every method only minimises.
//  - NO_COST (the most negative 32-bit integer) means "no value" in cost fields.
//
// All tables are allocated as a whole for a node count and freed as a whole; no method allocates
// while it runs. The object lives on the user-interface thread only.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "solver/Matrix.h"
#include "solver/Platform.h"

constexpr int NO_COST = INT_MIN;
constexpr int CYCLE_CAPACITY = 2051;  // positions 0..2050
constexpr int MAX_SOLVER_NODES = CYCLE_CAPACITY - 2;
constexpr int TIE_SLOTS = 20;  // entries per position in the tie table; slots 1..19 are used
constexpr int MOVE_MEMORY_RECORDS = 4000;
constexpr int MOVE_RECORD_WORDS = 7;
constexpr int MEMORY_BUCKETS = 8192;  // chains of the move memory's index (a power of two)
// From this node count on, the steps of the polynomial method whose cost grows with n^3 or more
// (raising a graph's distant pairs, building the insertion table, a stabilising pass) poll at every
// node, not only where they did; below it the polls stay where they were, so runs (and the events
// a test queues) see the same checkpoints.
constexpr int POLL_EACH_NODE_FROM = 256;
constexpr int MAP_CAPITALS = 51;
constexpr int MAP_NAME_CHARS = 80;
constexpr double MAP_SCALE_LARGE = 1.0;  // capital positions on the large map picture
constexpr double MAP_SCALE_SMALL = 0.8;  // ... and on the small one

// Document kinds, as stored in files.
enum DocKind { KIND_NETWORK = 1, KIND_GRAPH = 2, KIND_MAP = 3, KIND_CHECK = 4 };

using Cycle = int[CYCLE_CAPACITY];

class CStageRegime;

class CCycleSolver {
public:
    CCycleSolver();
    CCycleSolver(const CCycleSolver&) = delete;
    CCycleSolver& operator=(const CCycleSolver&) = delete;

    // ---- Storage ---------------------------------------------------------------------------------
    // Allocates every table for m_nNodes nodes (the insertion table in the width the kind needs,
    // unless m_bInsertOnDemand). Returns 1, or 0 with everything freed when the memory cannot be
    // had (m_strMemoryRefusal says why) or n is out of range.
    int AllocateTables();
    // Allocates the insertion table of the polynomial method (O(n^3)) when it is not there yet, in
    // the width m_nKind needs. 1 when it is there; 0 (m_strMemoryRefusal says why) when not. The
    // polynomial method and the edges list call it before they start; the other methods never
    // need the table.
    int EnsureInsertTable();
    void FreeTables();
    // Frees the tables, sets m_nNodes := nodes and allocates anew; 0 when that failed.
    int SetNodeCount(int nodes);
    // Bytes that AllocateTables would take for n nodes of the given kind, and of that the
    // insertion table.
    static std::size_t TableBytes(int nodes, int kind);
    static std::size_t InsertTableBytes(int nodes, int kind);
    // The most the tables may take: three quarters of the machine's memory and no more than is
    // free now, less a reserve for the rest of the system.
    static std::size_t TableMemoryLimit();
    // True when bytes fit the limit; otherwise false with m_strMemoryRefusal naming what and both sizes.
    bool WithinMemory(std::size_t bytes, const char* what);

    // ---- Utilities -------------------------------------------------------------------------------
    void NegateWeights();
    void MakeInitialCycle(int create, int random);
    int CycleCost(int ignored = 0);
    int CycleCostOf(const int* cycle) const;
    int CycleCostAdjusted(int ignored, int* adjustedOut);
    int SaveOrCompareBest(int compare);
    int BestDiffersFromOther() const;

    // ---- Cycle shapes (all work on m_aCycle) -----------------------------------------------------
    void NormalizeCycle();
    void RotateCycleTo(int node);
    void MoveNode(int x, int a, int b);
    void ReverseTail(int node, int stop);

    // ---- Run control -----------------------------------------------------------------------------
    // Shows the elapsed time at most once a second and services one pending event; 1 = Escape.
    int PollProgress(int exactMethod);
    // Shows the best cost in the cost control and repaints the drawing at once.
    void ShowCycleCost();

    // ---- Exact methods ---------------------------------------------------------------------------
    int ExpMethodNet(int estimateOnly, int* abortedOut);
    int ExpMethodGraph(int* abortedOut);

    // ---- Polynomial method -----------------------------------------------------------------------
    // Driver for networks (kinds 1, 3, 4): mode 1 network, 0 map, -1 check of a given cycle, -2 check
    // run of the check window. Returns m_bAborted.
    int PolynMethodNet(int mode, int quiet);
    // The method for graphs (kind 2). Returns m_bAborted.
    int PolynMethodGraph();
    // Edges of the current cycle that may grow without losing optimality, as values in P.
    // 0 = done, 1 = stopped by the user during the stabilising stage.
    int EdgesList();

    // Pass set-up and insertion queries.
    void PrepareTables();
    void Stabilise();
    void LowerEdge(int i, int j, int d, int toWork);
    // The two halves of LowerEdge: the lowering itself (booked amount, lowered weights, position
    // rows, T; returns the new lowered weight), and what is noted of it (the log of lowered edges,
    // the flags of the lowered weights' size, the version).
    int32_t LowerEdgeTables(int i, int j, int d, int toWork);
    void NoteLowering(int i, int j, int32_t now);
    // The stabilising stage's K further repetitions of the block its regime watched, at once, with
    // every effect the single lowerings would have had (see solver/StageRegime.h).
    void RepeatStageBlock(const CStageRegime& regime, int64_t repeats);
    int FindInsertionInCycle(int k);
    int RemovalDelta(int k);
    // Weight adjustments.
    int AdjustWeights(int first);
    void PayBack(int amount);
    void GainCensus();
    void MarkEdges();
    // Searches and their move generators.
    int OpeningSearch(int budget);
    int SearchA(int budget, int reload);
    int SearchB(int budget);
    int RelocateNode(int kind);
    // The best relocation of one node into its best insertion edge among all nodes (or the nodes
    // of the five-node set only) and the moves that pass admit(k, i, j, a, b); made and recorded
    // in m_aMove.
    template <typename Admit>
    int MakeBestRelocation(const int* last, const int* only, Admit admit);
    int ReverseSegment();
    int RelocateNodeWide();
    int SegmentStage();
    // The walk shared by the three searches (0 opening, 1 search A, 2 search B).
    int WalkSearch(int which, int budget);
    int StopTest();
    int AcceptCycle(int cost);
    // Move memory.
    // The current cycle is accepted when the move is new; knownCost, when given, is its cost.
    int MemoryCheckAndRecord(int reset, const int* move, const int* knownCost = nullptr);
    int MemoryContains(const int* move) const;
    int MemoryContainsReversal(const int* move) const;
    // 1 when a non-empty record in slots 0..lastSlot, of the given kind (0 = any), lies within the
    // move's nodes; and the index behind it.
    int FindMemoryRecord(const int* move, int kindFilter, int lastSlot) const;
    void IndexMemoryRecord(int slot);
    // The graph method: raises the cross pairs of edges that nothing joins from 1 to 3 (W only).
    void RaiseDistantPairs();
    // The graph method's search.
    void GraphSearch(int budget, int reset);
    void GraphWalk(int budget);
    int GraphRelocate();
    int GraphReverse();

    // Insertion-table entry T{i, j}[k] of the table of the document's kind (i, j in any order).
    int Insertion(int i, int j, int k) const {
        const std::size_t lo = static_cast<std::size_t>(i < j ? i : j);
        const std::size_t hi = static_cast<std::size_t>(i < j ? j : i);
        return m_nKind == KIND_GRAPH ? m_pppInsertSmall.At(lo, hi, static_cast<std::size_t>(k))
                                     : m_pppInsert.At(lo, hi, static_cast<std::size_t>(k));
    }
    // The (n+1)^2 slice of T for one node k, read as a function of the pair.
    struct CInsSlice {
        const int32_t* p32;
        const int8_t* p8;
        std::size_t dim;
        int operator()(int i, int j) const {
            const std::size_t idx = i < j ? static_cast<std::size_t>(i) * dim + static_cast<std::size_t>(j)
                                          : static_cast<std::size_t>(j) * dim + static_cast<std::size_t>(i);
            return p8 ? p8[idx] : p32[idx];
        }
    };
    // Records in m_aPos where each node of the cycle stands, for the cycle-edge test below.
    void IndexPositions(const int* cycle) {
        for (int p = 1; p <= m_nNodes; ++p) m_aPos[cycle[p]] = p;
    }
    // The lowered weights of the document's table (see CInsertTable::Lowered).
    const CSquareMatrix<int32_t>& LoweredWeights() const {
        return m_nKind == KIND_GRAPH ? m_pppInsertSmall.Lowered() : m_pppInsert.Lowered();
    }
    // 1 when the generators may read the lowered weights instead of T: switched on, and no entry
    // of T can have wrapped since the table was built.
    bool RowReads() const { return m_bRowReads != 0 && m_bLoweredExact != 0; }
    // Fills m_aEdgeSlot and m_aEdgeWeight for the cycle (whose position n+1 repeats position 1).
    void IndexCycleEdges(const int* cycle) {
        const int dim = m_nNodes + 1;
        const bool rows = RowReads();
        for (int p = 1; p <= m_nNodes; ++p) {
            const int a = cycle[p], b = cycle[p + 1];
            m_aEdgeSlot[p] = a < b ? a * dim + b : b * dim + a;
            if (rows) m_aEdgeWeight[p] = LoweredWeights()[a][b];
        }
    }
    // 1 when the generators may scan the position rows (below) of the given cycle, whose position
    // n+1 repeats position 1: row reads hold, every lowered weight is below 2^29 in magnitude (so
    // the scan kernels' 32-bit sums are exact) and the rows are switched on. Builds the rows when
    // the cycle or the lowered weights changed since they were last built.
    bool PositionRows(const int* cycle);
    // The scans over the rows of PositionRows: the best insertion edge of the node at position kp
    // (as FindInsertionIndexed), and the segment reversals of both directions (as the row reads of
    // ReverseSegment and GraphReverse). A near set (five nodes, or null for all) limits the scan to
    // the positions where x or the node before it in scan order is one of them; the
    // reversal scan yields the exchange the plain loops would take: the first in their scan order
    // of the largest value among those admit(CReversal) passes (false when it passes none).
    int FindInsertionRows(int kp);
    struct CReversal {
        int scan, x, a, u, v;
        int64_t value;
    };
    template <typename Threshold, typename Visit>
    void ForReversalsAbove(const int* nearSet, Threshold threshold, Visit visit);
    // Row p of the position rows, made on its first use for the current cycle: rearranged from
    // the node's row of the previous cycle when the two cycles share long pieces, else gathered.
    const int32_t* PosRow(int p) {
        const int k = m_aPosCycle[p];
        int32_t* row = m_ppPosRows[m_nPosStamp & 1][static_cast<std::size_t>(k)];
        if (m_aPosRowStamp[k] != m_nPosStamp) MakePosRow(k, row);
        return row;
    }
    void MakePosRow(int k, int32_t* row);
    // Keeps the rows made for the current and the previous cycle equal to the lowered weight of
    // {i, j} after it changed.
    void PatchPosRows(int i, int j, int32_t now);
    // The kept insertion answers (see m_aInsStamp): all dropped; brought up to date for the
    // lowerings logged since the rows' cycle was last given, and for a new cycle (after the rows'
    // positions of both cycles are known).
    void ForgetInsertions();
    // Insertion answers are kept for networks only: on graphs, whose insertion values tie widely,
    // keeping them costs more than it spares.
    bool KeepInsertions() const { return m_bKeepInsertions != 0 && m_nNodes >= 5 && m_nKind != KIND_GRAPH; }
    void FollowLowerings();
    void FollowCycleChange();
    template <typename Admit>
    bool ScanReversalRows(const int* nearSet, Admit admit, CReversal& out);
    // FindInsertionInCycle on the cycle whose edges were last indexed by IndexCycleEdges.
    int FindInsertionIndexed(int k);
    // RemovalDelta on the current cycle, whose positions were last indexed by IndexPositions.
    int RemovalDeltaIndexed(int k);
    // 1 when {a, b} joins neighbours of the cycle last indexed (closing edge included).
    int IsIndexedCycleEdge(int a, int b) const {
        const int d = m_aPos[a] > m_aPos[b] ? m_aPos[a] - m_aPos[b] : m_aPos[b] - m_aPos[a];
        return d == 1 || d == m_nNodes - 1 ? 1 : 0;
    }
    // The largest gain of the pair at cycle positions p < q, as the adjustment stage and the gain
    // census read it from T (INT_MIN when no edge of the cycle qualifies).
    int64_t PairGain(int p, int q) const;
    // The same from the position rows of the current cycle (PositionRows must hold for it).
    int64_t PairGainRows(int p, int q);
    CInsSlice InsSlice(int k) const {
        const std::size_t kk = static_cast<std::size_t>(k);
        if (m_nKind == KIND_GRAPH) return {nullptr, m_pppInsertSmall.Slice(kk), m_pppInsertSmall.Dim()};
        return {m_pppInsert.Slice(kk), nullptr, m_pppInsert.Dim()};
    }

    // ---- Map documents (mapdemo/MapNetwork.cpp) ---------------------------------------------------
    // Selects all 51 capitals: entry k := k.
    void SelectAllCapitals();
    // Renumbers the selected capitals 1, 2, ... in table order (entries stay 0 or become non-zero).
    void RenumberCapitals();
    // m_nNodes := the number of selected capitals, or 20 when none is selected; returns it.
    int CountCapitals();
    // Fills the name lists and the weight matrix from the selected capitals, in miles or (useKm = 1)
    // in kilometres; the network must be allocated for them. Only nodes inside the allocated network
    // are written: returns 0 when some selected capital did not fit, else 1.
    int BuildMapNetwork(int useKm);
    // The capital whose selection entry equals node, or null when there is none.
    const char* CapitalName(int node) const;
    // That capital's map position scaled to the picture in use (MAP_SCALE_LARGE or MAP_SCALE_SMALL),
    // or 0 when there is none.
    int CapitalX(int node, double scale = MAP_SCALE_LARGE) const;
    int CapitalY(int node, double scale = MAP_SCALE_LARGE) const;
    // The whole number nearest to v, halves rounded up (clamped to the int range, NaN gives 0).
    static int RoundHalfUp(double v);

    // Weight of edge {i, j} read from the upper triangle.
    int Weight(int i, int j) const { return i < j ? m_ppWeight[i][j] : m_ppWeight[j][i]; }
    // What edge {i, j} adds to a cycle's cost (see CycleCostOf: a raised pair of a graph counts 1).
    uint32_t EdgeCost(int i, int j) const {
        const int w = Weight(i, j);
        return static_cast<uint32_t>(m_nKind == KIND_GRAPH && w == 3 ? 1 : w);
    }

    // ---- Fields, in declaration order --------------------------------------------------------------
    int m_bQuiet = 0;
    IOwnerView* m_pOwnerView = nullptr;
    int m_nGapLo = 0, m_nGapHi = 0;
    int m_nMemoryUsed = 0;
    Cycle m_aCycle{};
    Cycle m_aScratch{};
    Cycle m_aInitial{};
    Cycle m_aFirstStart{};
    Cycle m_aBest{};
    Cycle m_aSaved{};
    int m_nBestCost = 0;
    int m_nStartCost = 0;
    int m_nNodes = 0;
    CSquareMatrix<int32_t> m_ppWeight;      // W
    CSquareMatrix<int32_t> m_ppWork;        // M: staging area of weight adjustments
    CSquareMatrix<int32_t> m_ppAdjust;      // P: adjustments (upper), full-test marks (lower)
    CSquareMatrix<int32_t> m_ppGain;        // Q
    CInsertTable<int32_t> m_pppInsert;      // T for networks (kinds 1, 3, 4)
    CInsertTable<int8_t> m_pppInsertSmall;  // T for graphs (kind 2): the low byte
    int m_ppMoveMemory[MOVE_MEMORY_RECORDS][MOVE_RECORD_WORDS]{};
    int m_nInsI = 0, m_nInsJ = 0, m_nInsGain = 0;
    int m_bMaximum = 0;
    int m_bGraphView = 0;
    int m_bAllocated = 0;
    // The insertion table is left to EnsureInsertTable (the console allocates what its method
    // needs; the windows, which offer every method, allocate it with the rest).
    int m_bInsertOnDemand = 0;
    std::string m_strMemoryRefusal;  // why the last allocation was refused, with the limit
    int m_bStopRequest = 0;
    int m_nAmplitude = 100;
    int m_nRunMode = 1;
    int m_bAborted = 0;
    int m_aMove[MOVE_RECORD_WORDS]{};
    int m_nKind = KIND_NETWORK;
    int m_bKeepTies = 0;
    int m_nTies = 0;
    int m_aTies[CYCLE_CAPACITY][TIE_SLOTS]{};
    CSquareMatrix<int32_t> m_ppMark;   // X
    CSquareMatrix<int32_t> m_ppMark2;  // Y
    int m_nTestLevel = 1;
    int m_nPass = 0;
    int m_nMoveKind = 0;
    int m_nRefCost = NO_COST;
    int m_nTargetCost = NO_COST;
    int m_nOtherCost = NO_COST;
    int m_bSeekOther = 0;
    Cycle m_aOther{};

    // Working arrays of the polynomial method (part of the object, so a run never allocates).
    Cycle m_aPos{};          // position of each node in the cycle a stage works on
    Cycle m_aWalk{};         // the search walk's cycle L
    Cycle m_aProposal[3]{};  // the generators' proposals of one search iteration
    Cycle m_aScan{};         // the cycle a generator scans (forward or reversed)
    Cycle m_aCandidate{};    // the best move a generator has found so far
    Cycle m_aSpare{};        // a generator's saved cycle, or the segment stage's new cycle
    int m_nPassesRun = 0;    // passes made by the last network run, restart included
    // Per move-memory record, a 64-bit set of its nodes (bit node % 64): a record can only lie
    // within a candidate's nodes when its bits lie within the candidate's, so most records are
    // passed over without comparing nodes.
    uint64_t m_aMemoryBits[MOVE_MEMORY_RECORDS]{};
    // Index of the move memory: records chained by a hash of the set of their values (slot + 1,
    // 0 = end of chain),
    // and the number of non-empty records (they fill the slots from the front). Only the memory's own
    // operations write the records, so the index always matches them.
    int m_aMemoryHead[MEMORY_BUCKETS]{};
    int m_aMemoryNext[MOVE_MEMORY_RECORDS]{};
    int m_nMemoryFilled = 0;
    // The numbers of distinct values the indexed records have, as bits (bit d: some record has d),
    // per move kind and for all kinds.
    static constexpr int MEMORY_KINDS = 8;
    unsigned m_aMemorySizes[MEMORY_KINDS]{};
    unsigned m_nMemorySizesAny = 0;
    // Offsets of the cycle's edges {c[p], c[p+1]} (p = 1..n) inside a slice of T.
    Cycle m_aEdgeSlot{};
    // Lowered weights of the same edges, while RowReads() holds.
    Cycle m_aEdgeWeight{};
    int m_bLoweredExact = 0;   // set by PrepareTables, cleared by a lowering that could wrap T
    int m_bLoweredNarrow = 0;  // every lowered weight below 2^29 in magnitude (same rule)
    // Position rows: m_ppPosRows[b][k][r] = W'(k, c[r]) for the cycle c last given to PositionRows
    // (b = the low bit of its stamp) and columns r = 0..n+1 (c[0] = c[n], c[n+1] = c[1]), so the
    // scans read them in order; the rows of the previous cycle stay in the other buffer, from which
    // a row is rearranged piece by piece on its first use (see PosRow). m_aPosEdge[r] = W'(c[r],
    // c[r+1]) for r = 0..n likewise.
    CSquareMatrix<int32_t> m_ppPosRows[2];
    Cycle m_aPosEdge{};
    Cycle m_aPosCycle{};             // the cycle the rows were built for
    Cycle m_aPosOf[2]{};             // position of each node in that cycle, and in the previous one
    uint64_t m_nLoweredVersion = 1;  // counts the changes of the lowered weights
    uint64_t m_nPosVersion = 0;      // the version the edge weights were read at (0 = none)
    // A node's row is current when its stamp equals the cycle's, and may be rearranged from the
    // previous cycle's when it is one less and the pieces are known. Stamps start at 0 = never.
    uint32_t m_aPosRowStamp[CYCLE_CAPACITY]{};
    uint32_t m_nPosStamp = 0;
    // The current cycle as pieces of the previous one: the columns [m_aPieceAt[i], m_aPieceAt[i + 1])
    // come from the previous row's columns m_aPieceFrom[i], +1 or -1 each (m_aPieceStep); none
    // (m_nPieces = 0) when the cycles share too little or the rows of the previous cycle are stale.
    static constexpr int MAX_PIECES = 24;
    int m_nPieces = 0;
    int m_aPieceAt[MAX_PIECES + 1]{};
    int m_aPieceFrom[MAX_PIECES]{};
    int m_aPieceStep[MAX_PIECES]{};
    // Insertion answers kept from cycle to cycle: node k's best insertion value in the rows' cycle
    // and every edge k may go into at that value (at most MAX_TIED), so that the answer is the
    // first of them in the cycle's scan order whatever that order is now. An answer holds while
    // its stamp equals m_nInsEpoch. PositionRows brings the answers up to date with the lowerings
    // logged since (m_aLogged*, at most MAX_LOGGED; more drop every answer) and with the edges a
    // new cycle adds and removes.
    static constexpr int MAX_LOGGED = 8;
    static constexpr int MAX_CHANGED_EDGES = 12;
    static constexpr int MAX_TIED = 6;
    int m_bKeepInsertions = 1;  // 0 makes every insertion query scan (a reference for tests)
    uint32_t m_nInsEpoch = 1;
    uint32_t m_aInsStamp[CYCLE_CAPACITY]{};
    int32_t m_aInsValue[CYCLE_CAPACITY]{};
    int m_aInsTied[CYCLE_CAPACITY]{};
    int m_aInsLo[CYCLE_CAPACITY][MAX_TIED]{};
    int m_aInsHi[CYCLE_CAPACITY][MAX_TIED]{};
    int m_nLogged = 0;
    int m_aLoggedI[MAX_LOGGED]{};
    int m_aLoggedJ[MAX_LOGGED]{};
    int m_bPositionRows = 1;  // 0 makes the generators scan as before (a reference for tests)
    int m_bRowReads = 1;      // 0 makes every query read T itself (the reference for tests)
    // The stabilising stage makes the repetitions of a periodic regime at once (see
    // solver/StageRegime.h); 0 makes it run every pass (a reference for tests). It counts the
    // passes it made node by node and the passes it made at once.
    int m_bStageJumps = 1;
    int64_t m_nStagePasses = 0;
    int64_t m_nStageJumped = 0;

    // Progress fields.
    int m_bContinuous = 0;
    ITextTarget* m_pTimeCtrl = nullptr;
    ITextTarget* m_pCostCtrl = nullptr;
    char m_szStatus[80]{};
    uint32_t m_dwRunStart = 0;
    uint32_t m_nLastSecond = 0;
    uint64_t m_nOrdersDone = 0;  // orders the exact network method has gone through (for progress)
    int m_bBusy = 0;

    // Document flags.
    int m_bLoading = 0;
    int m_bMap = 0;

    // Map documents: entry k (table index 1..51) is the capital's node number, or 0 when it is not
    // part of the network; entry 0 is unused.
    int m_bCapitalSelected[MAP_CAPITALS + 1]{};
    int m_bUseKilometers = 0;
    char m_szCapitalName[MAP_CAPITALS + 1][MAP_NAME_CHARS]{};
    char m_szStateName[MAP_CAPITALS + 1][MAP_NAME_CHARS]{};
};

// -x with the wrap-around of plain 32-bit arithmetic (the most negative value stays as it is).
inline int Negated(int x) {
    return static_cast<int>(0u - static_cast<uint32_t>(x));
}

// (n-1)! as a double, and 2 for n <= 3.
double Factorial(int n);

// Writes a duration as the program shows every time ("%.3f sec" .. "%.4E years") and returns its unit
// class: 0 seconds, 2 minutes, 3 hours, 4 days, 5 months, 6 years.
int FormatDuration(char* text, std::size_t size, double seconds);
int FormatDuration(std::string& text, double seconds);
