// A second, deliberately plain implementation of the polynomial method, kept for tests only.
//
// It holds its own copies of every table in std::vector, walks every loop in the most direct way
// and never takes a shortcut: the production solver is tuned for speed, this one for being read
// against the method's description. The progress poll never reports an Escape here.
#pragma once

#include <array>
#include <climits>
#include <vector>

namespace reference {

using Matrix = std::vector<std::vector<int>>;
using Record = std::array<int, 7>;

// The eight method parameters (the full test's values for networks and for the map).
struct MethodSettings {
    int firstLoop = 2;
    int secondLoop = 20;
    int mapFirstLoop = 2;
    int mapSecondLoop = 3;
    double param1 = 0.017;
    double param2 = 0.475;
    double mapParam1 = 0.017;
    double mapParam2 = 0.475;
};

// Points where the description of the method admits more than one reading. The defaults are the
// readings the solver takes; the others stay here so that the cross-check can show it tells them
// apart.
struct Readings {
    // The opening search reruns generators 1 and 2 in free mode with the record carried along from
    // the generator that ran before (true), or each from the iteration's record R0 (false). Either
    // way word 0 is set to 0 first.
    bool rerunCarriesRecord = true;
    // When the graph walk's count runs out it offers the walk's cycle L (true) or the cycle that
    // generator 2 left current (false) to the move memory and so to the acceptance.
    bool graphWalkOffersWalk = true;
};

// How often each stage did something, summed over the runs of one object; the cross-check uses
// them to make sure its cases reach every part of the method.
struct StageCounts {
    long stabiliseLowerings = 0;
    long adjustLowerings = 0;
    long payBacks = 0;
    long markedEdges = 0;
    long relocations = 0;
    long reversals = 0;
    long wideRelocations = 0;
    long segmentMoves = 0;
    long segmentMovesFromInside = 0;  // the pair's own segment holds z (the rotated X follows Y)
    long tiesStored = 0;
    long memoryHits = 0;
    long guardedSkips = 0;
    long graphRaised = 0;
    long longestSearch = 0;    // iterations of the longest search
    long memoryClearings = 0;  // the memory cleared because it held 3999 records
};

class ReferencePolyn {
public:
    ReferencePolyn(int nodes, int kind);

    // ---- Inputs ----
    int n;
    int kind;  // 1 network, 2 graph, 3 map, 4 check
    int testLevel = 1;
    int maximum = 0;
    int amplitude = 100;
    int targetCost = INT_MIN;
    int refCost = INT_MIN;
    int seekOther = 0;
    int otherCost = INT_MIN;
    std::vector<int> other;
    MethodSettings settings;
    Readings readings;
    StageCounts counts;

    // ---- Tables ----
    Matrix weight;                                      // W
    Matrix work;                                        // M
    Matrix adjust;                                      // P
    Matrix gain;                                        // Q
    Matrix mark;                                        // X
    Matrix mark2;                                       // Y
    std::vector<std::vector<std::vector<int>>> insert;  // T[i][j][k], 8-bit values for graphs

    // ---- Cycles and results ----
    std::vector<int> cycle;  // current cycle, positions 1..n, n+1 repeats 1
    std::vector<int> initial;
    std::vector<int> best;
    std::vector<std::vector<int>> ties;  // ties[t][position], t = 1..19
    int nTies = 0;
    int keepTies = 0;
    int bestCost = 0;
    int startCost = 0;
    int pass = 0;
    int runMode = 1;
    int aborted = 0;
    int stopRequest = 0;

    // ---- Search state ----
    Record move{};
    int moveKind = 0;
    std::vector<Record> memory;  // 4000 records: five nodes, kind, spare
    int memoryUsed = 0;
    int insI = 0, insJ = 0, insGain = 0;
    int gapLo = 0, gapHi = 0;

    // ---- Entry points ----
    int RunNetwork(int mode, int quiet);
    int RunGraph();
    int EdgesList();

    // ---- Building blocks ----
    int CycleCost();
    int TrueAndAdjustedCost(int& adjusted);
    void Normalize(std::vector<int>& c) const;
    void CloseCycle(std::vector<int>& c) const { c[n + 1] = c[1]; }
    int Pred(const std::vector<int>& c, int p) const { return p == 1 ? c[n] : c[p - 1]; }
    int Succ(const std::vector<int>& c, int p) const { return p == n ? c[1] : c[p + 1]; }
    bool IsCycleEdge(const std::vector<int>& c, int a, int b) const;
    std::vector<int> Reversed(const std::vector<int>& c) const;
    std::vector<int> MovedNode(const std::vector<int>& c, int x, int a, int b) const;
    std::vector<int> ReversedTail(const std::vector<int>& c, int node, int stop) const;
    std::vector<int> RotatedTo(const std::vector<int>& c, int node) const;

    int& Up(Matrix& m, int a, int b) { return a < b ? m[a][b] : m[b][a]; }
    int T(int a, int b, int k) const { return a < b ? insert[a][b][k] : insert[b][a][k]; }
    void AddToT(int a, int b, int k, int d);
    void NegateWeights();

    void PrepareTables();
    void Stabilise();
    void LowerEdge(int i, int j, int d, int toWork);
    int FindInsertionInCycle(int k);
    int RemovalDelta(int k);
    int PairGain(int p, int q);
    int AdjustWeights(int first);
    void PayBack(int amount);
    void GainCensus();
    void MarkEdges();

    int Search(int which, int budget);  // 0 opening, 1 search A, 2 search B
    int RelocateNode(int kindOfMove);
    int ReverseSegment();
    int RelocateNodeWide();
    int SegmentStage();
    int StopTest();
    int AcceptCycle(int cost);
    int MemoryCheckAndRecord(int reset, const Record& m);
    bool RecordWithin(const Record& rec, const Record& m) const;
    int MemoryContains(const Record& m) const;
    int MemoryContainsReversal(const Record& m) const;

    void GraphSearch(int budget, int reset);
    void GraphWalk(int budget);
    int GraphRelocate();
    int GraphReverse();

    static int Budget(double factor, int nodes);
};

}  // namespace reference
