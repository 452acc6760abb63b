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
constexpr int MAP_CAPITALS = 51;
constexpr int MAP_NAME_CHARS = 80;
constexpr double MAP_SCALE_LARGE = 1.0;  // capital positions on the large map picture
constexpr double MAP_SCALE_SMALL = 0.8;  // ... and on the small one

// Document kinds, as stored in files.
enum DocKind { KIND_NETWORK = 1, KIND_GRAPH = 2, KIND_MAP = 3, KIND_CHECK = 4 };

using Cycle = int[CYCLE_CAPACITY];

class CCycleSolver {
public:
    CCycleSolver();
    CCycleSolver(const CCycleSolver&) = delete;
    CCycleSolver& operator=(const CCycleSolver&) = delete;

    // ---- Storage ---------------------------------------------------------------------------------
    // Allocates every table for m_nNodes nodes (the insertion table in the width the kind needs).
    // Returns 1, or 0 with everything freed when the memory cannot be had or n is out of range.
    int AllocateTables();
    void FreeTables();
    // Frees the tables, sets m_nNodes := nodes and allocates anew; 0 when that failed.
    int SetNodeCount(int nodes);
    // Bytes that AllocateTables would take for n nodes of the given kind.
    static std::size_t TableBytes(int nodes, int kind);

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
    // (declared with the method's own files)

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
    CSquareMatrix<int32_t> m_ppWeight;  // W
    CSquareMatrix<int32_t> m_ppWork;    // M: staging area of weight adjustments
    CSquareMatrix<int32_t> m_ppAdjust;  // P: adjustments (upper), full-test marks (lower)
    CSquareMatrix<int32_t> m_ppGain;    // Q
    CInsertTable<int32_t> m_pppInsert;  // T for networks (kinds 1, 3, 4)
    CInsertTable<int8_t> m_pppInsertSmall;  // T for graphs (kind 2): the low byte
    int m_ppMoveMemory[MOVE_MEMORY_RECORDS][MOVE_RECORD_WORDS]{};
    int m_nInsI = 0, m_nInsJ = 0, m_nInsGain = 0;
    int m_bMaximum = 0;
    int m_bGraphView = 0;
    int m_bAllocated = 0;
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

    // Progress fields.
    int m_bContinuous = 0;
    ITextTarget* m_pTimeCtrl = nullptr;
    ITextTarget* m_pCostCtrl = nullptr;
    char m_szStatus[80]{};
    uint32_t m_dwRunStart = 0;
    uint32_t m_nLastSecond = 0;
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
inline int Negated(int x) { return static_cast<int>(0u - static_cast<uint32_t>(x)); }

// (n-1)! as a double, and 2 for n <= 3.
double Factorial(int n);

// Writes a duration as the program shows every time ("%.3f sec" .. "%.4E years") and returns its unit
// class: 0 seconds, 2 minutes, 3 hours, 4 days, 5 months, 6 years.
int FormatDuration(char* text, std::size_t size, double seconds);
int FormatDuration(std::string& text, double seconds);
