// The inequalities of the optimum method's branch and cut and their separation.
//
// Every cut is written in one form: a list of node sets S_1..S_k and a right-hand side r, meaning
// "the chosen edges crossing S_1, plus those crossing S_2, ... number at least r", where an edge
// crosses S when exactly one of its ends lies in S. Each set is kept as its smaller side (x(d(S))
// equals x(d(V - S))), sorted. Kinds:
//  - subtour elimination: one set S, 2 <= |S| <= n - 2, r = 2; every tour leaves S at least twice;
//  - comb: a handle H and k >= 3 (odd) pairwise disjoint teeth T_j, each meeting H and V - H;
//    r = 3k + 1. A blossom is a comb whose teeth are single edges (two-node sets).
// Separation reads a point x over a sparse edge list (the LP's columns) and returns cuts it
// violates: connected components; minimum cuts (Stoer and Wagner over the support graph with its
// paths of x = 1 shrunk, every phase's cut below 2 kept); blossoms from the odd components of the
// fractional edges, with x = 1 edges as teeth.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

enum ECutKind : uint8_t { CUT_SUBTOUR = 0, CUT_BLOSSOM = 1, CUT_COMB = 2 };

struct CTspCut {
    std::vector<std::vector<int>> sets;  // each sorted, the smaller side
    int rhs = 2;
    ECutKind kind = CUT_SUBTOUR;
    uint64_t hash = 0;
};

// A point over edges: edge k is {u[k], v[k]} with value x[k].
struct CEdgePoint {
    int n = 0;
    std::vector<int> u, v;
    std::vector<double> x;
};

// Puts each set on its smaller side, sorts the sets and computes the hash (equal cuts, equal hash).
void NormaliseCut(CTspCut& cut, int n);
bool SameCut(const CTspCut& a, const CTspCut& b);
// The cut's left-hand side at the point (sum over sets of x crossing the set).
double CutLhs(const CTspCut& cut, const CEdgePoint& p);
// The support of a point (edges with x > 0) as adjacency lists, for left-hand sides in time of the
// sets' degrees rather than of all edges.
class CSupport {
public:
    explicit CSupport(const CEdgePoint& p);
    double Lhs(const CTspCut& cut) const;

private:
    std::vector<std::vector<std::pair<int, double>>> m_adj;
    mutable std::vector<char> m_mark;
};
// The cut's left-hand side on a tour (node order); a valid cut never has it below rhs.
int CutLhsOnTour(const CTspCut& cut, const std::vector<int>& tour);
// The cut's coefficient of each edge {eu[k], ev[k]} (how many of its sets the edge crosses) into
// coef; mark is scratch of n zeros, left as it was found.
void CutCoefs(const CTspCut& cut, const std::vector<int>& eu, const std::vector<int>& ev, std::vector<int>& coef,
              std::vector<char>& mark);

// Violated subtour cuts: components of the support (x > eps), or, when it is connected, the phase
// cuts of a Stoer-Wagner minimum cut below 2 - minViolation. At most maxCuts.
std::vector<CTspCut> SeparateSubtours(const CEdgePoint& p, double minViolation, int maxCuts);
// Violated blossoms from the odd components of the fractional edges.
std::vector<CTspCut> SeparateBlossoms(const CEdgePoint& p, double minViolation, int maxCuts);
// Violated blossoms from odd minimum cuts (Padberg and Rao, with the teeth taken as the edges above
// 1/2): within each component of the fractional edges, a Gomory-Hu tree (Gusfield) of the weights
// min(x, 1 - x); each tree cut below 1 holding an odd number of nodes that lie on an odd number of
// edges above 1/2 is the handle of a blossom whose teeth are the crossing edges above 1/2.
std::vector<CTspCut> SeparateOddCutBlossoms(const CEdgePoint& p, double minViolation, int maxCuts);
// Violated combs: the point with node groups shrunk to single nodes (the paths of x = 1; then,
// apart, the given sets, tight ones best, disjoint, taken smallest first and again largest first), the blossoms of the shrunk point
// found as above, each node of them put back as its group. A comb of the shrunk point is one of the
// original with every set replaced by the union of its groups, of the same value, so every cut
// found is a valid comb; its teeth are then paths and tight sets rather than single edges.
std::vector<CTspCut> SeparateCombs(const CEdgePoint& p, const std::vector<std::vector<int>>& tightSets,
                                   double minViolation, int maxCuts);
