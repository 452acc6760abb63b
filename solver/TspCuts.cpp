// Cuts of the optimum method's branch and cut: their normal form, their value at a point and on a
// tour, and the separation of subtour cuts and blossoms (see TspCuts.h).
#include "solver/TspCuts.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>
#include <utility>

namespace {

constexpr double kZero = 1e-6;  // an edge value at or below this is left out of the support
constexpr double kOne = 1.0 - 1e-6;

struct CUnionFind {
    std::vector<int> parent;
    explicit CUnionFind(int n) : parent(static_cast<std::size_t>(n)) { std::iota(parent.begin(), parent.end(), 0); }
    int Find(int a) {
        while (parent[static_cast<std::size_t>(a)] != a)
            a = parent[static_cast<std::size_t>(a)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(a)])];
        return a;
    }
    bool Join(int a, int b) {
        a = Find(a), b = Find(b);
        if (a == b) return false;
        parent[static_cast<std::size_t>(b)] = a;
        return true;
    }
};

// Groups of a union-find, each a list of nodes.
std::vector<std::vector<int>> Groups(CUnionFind& uf, int n, std::vector<int>& groupOf) {
    std::vector<std::vector<int>> groups;
    std::vector<int> index(static_cast<std::size_t>(n), -1);
    groupOf.assign(static_cast<std::size_t>(n), -1);
    for (int v = 0; v < n; ++v) {
        const int r = uf.Find(v);
        if (index[static_cast<std::size_t>(r)] < 0) {
            index[static_cast<std::size_t>(r)] = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groupOf[static_cast<std::size_t>(v)] = index[static_cast<std::size_t>(r)];
        groups[static_cast<std::size_t>(index[static_cast<std::size_t>(r)])].push_back(v);
    }
    return groups;
}

// The nodes joined by the edges whose value lies in (lo, hi); touched (when given) marks their ends.
CUnionFind Joined(const CEdgePoint& p, double lo, double hi, std::vector<char>* touched = nullptr) {
    CUnionFind uf(p.n);
    if (touched) touched->assign(static_cast<std::size_t>(p.n), 0);
    for (std::size_t k = 0; k < p.x.size(); ++k)
        if (p.x[k] > lo && p.x[k] < hi) {
            uf.Join(p.u[k], p.v[k]);
            if (touched) (*touched)[static_cast<std::size_t>(p.u[k])] = (*touched)[static_cast<std::size_t>(p.v[k])] = 1;
        }
    return uf;
}

// The components of the fractional edges (every node, most alone); touched marks the nodes on one.
std::vector<std::vector<int>> FractionalComponents(const CEdgePoint& p, std::vector<char>& touched) {
    CUnionFind frac = Joined(p, kZero, kOne, &touched);
    std::vector<int> groupOf;
    return Groups(frac, p.n, groupOf);
}

// Adds cut to cuts unless an equal one is there or it is not violated by minViolation.
void Offer(std::vector<CTspCut>& cuts, CTspCut cut, const CSupport& support, double minViolation, int n) {
    NormaliseCut(cut, n);
    for (const auto& s : cut.sets)
        if (s.empty()) return;
    if (support.Lhs(cut) > cut.rhs - minViolation) return;
    for (const CTspCut& c : cuts)
        if (c.hash == cut.hash && SameCut(c, cut)) return;
    cuts.push_back(std::move(cut));
}

}  // namespace

void NormaliseCut(CTspCut& cut, int n) {
    std::vector<char> in(static_cast<std::size_t>(n));
    for (auto& s : cut.sets) {
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
        const std::size_t size = s.size();
        if (2 * size > static_cast<std::size_t>(n) || (2 * size == static_cast<std::size_t>(n) && s[0] == 0)) {
            std::fill(in.begin(), in.end(), 0);
            for (int v : s) in[static_cast<std::size_t>(v)] = 1;
            s.clear();
            for (int v = 0; v < n; ++v)
                if (!in[static_cast<std::size_t>(v)]) s.push_back(v);
        }
    }
    std::sort(cut.sets.begin(), cut.sets.end());
    uint64_t h = 1469598103934665603ULL ^ static_cast<uint64_t>(cut.rhs);
    for (const auto& s : cut.sets) {
        h = (h ^ (s.size() + 0x9e37U)) * 1099511628211ULL;
        for (int v : s) h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ULL;
    }
    cut.hash = h;
}

bool SameCut(const CTspCut& a, const CTspCut& b) { return a.rhs == b.rhs && a.sets == b.sets; }

double CutLhs(const CTspCut& cut, const CEdgePoint& p) {
    std::vector<char> mark(static_cast<std::size_t>(p.n), 0);
    double lhs = 0;
    for (const auto& s : cut.sets) {
        for (int v : s) mark[static_cast<std::size_t>(v)] = 1;
        for (std::size_t k = 0; k < p.x.size(); ++k)
            if (mark[static_cast<std::size_t>(p.u[k])] != mark[static_cast<std::size_t>(p.v[k])]) lhs += p.x[k];
        for (int v : s) mark[static_cast<std::size_t>(v)] = 0;
    }
    return lhs;
}

CSupport::CSupport(const CEdgePoint& p)
    : m_adj(static_cast<std::size_t>(p.n)), m_mark(static_cast<std::size_t>(p.n), 0) {
    for (std::size_t k = 0; k < p.x.size(); ++k)
        if (p.x[k] > 0) {
            m_adj[static_cast<std::size_t>(p.u[k])].push_back({p.v[k], p.x[k]});
            m_adj[static_cast<std::size_t>(p.v[k])].push_back({p.u[k], p.x[k]});
        }
}

double CSupport::Lhs(const CTspCut& cut) const {
    double lhs = 0;
    for (const auto& s : cut.sets) {
        for (int v : s) m_mark[static_cast<std::size_t>(v)] = 1;
        for (int v : s)
            for (auto [w, x] : m_adj[static_cast<std::size_t>(v)])
                if (!m_mark[static_cast<std::size_t>(w)]) lhs += x;
        for (int v : s) m_mark[static_cast<std::size_t>(v)] = 0;
    }
    return lhs;
}

int CutLhsOnTour(const CTspCut& cut, const std::vector<int>& tour) {
    const std::size_t n = tour.size();
    std::vector<char> mark(n, 0);
    int lhs = 0;
    for (const auto& s : cut.sets) {
        for (int v : s) mark[static_cast<std::size_t>(v)] = 1;
        for (std::size_t k = 0; k < n; ++k)
            lhs += mark[static_cast<std::size_t>(tour[k])] != mark[static_cast<std::size_t>(tour[(k + 1) % n])];
        for (int v : s) mark[static_cast<std::size_t>(v)] = 0;
    }
    return lhs;
}

void CutCoefs(const CTspCut& cut, const std::vector<int>& eu, const std::vector<int>& ev, std::vector<int>& coef,
              std::vector<char>& mark) {
    coef.assign(eu.size(), 0);
    for (const auto& s : cut.sets) {
        for (int v : s) mark[static_cast<std::size_t>(v)] = 1;
        for (std::size_t k = 0; k < eu.size(); ++k)
            coef[k] += mark[static_cast<std::size_t>(eu[k])] != mark[static_cast<std::size_t>(ev[k])];
        for (int v : s) mark[static_cast<std::size_t>(v)] = 0;
    }
}

std::vector<CTspCut> SeparateSubtours(const CEdgePoint& p, double minViolation, int maxCuts) {
    const int n = p.n;
    std::vector<CTspCut> cuts;
    if (n < 4) return cuts;
    const CSupport support(p);
    CUnionFind joined = Joined(p, kZero, HUGE_VAL);
    std::vector<int> groupOf;
    auto comps = Groups(joined, n, groupOf);
    if (comps.size() > 1) {
        for (auto& c : comps) {
            if (static_cast<int>(cuts.size()) >= maxCuts) break;
            Offer(cuts, CTspCut{{c}, 2, CUT_SUBTOUR, 0}, support, minViolation, n);
        }
        return cuts;
    }
    // Paths of x = 1 shrunk to single nodes: a set that separates the two ends of such an edge
    // never crosses less than the set with both ends on one side (the degrees are 2).
    CUnionFind ones = Joined(p, kOne - 1e-12, HUGE_VAL);
    std::vector<std::vector<int>> members = Groups(ones, n, groupOf);
    const int m = static_cast<int>(members.size());
    if (m < 2) return cuts;
    std::vector<std::vector<std::pair<int, double>>> adj(static_cast<std::size_t>(m));
    {
        std::vector<int> at(static_cast<std::size_t>(m), -1);
        std::vector<std::vector<std::pair<int, int>>> raw(static_cast<std::size_t>(m));
        for (std::size_t k = 0; k < p.x.size(); ++k) {
            const int a = groupOf[static_cast<std::size_t>(p.u[k])], b = groupOf[static_cast<std::size_t>(p.v[k])];
            if (a == b || p.x[k] <= kZero) continue;
            raw[static_cast<std::size_t>(a)].push_back({b, static_cast<int>(k)});
            raw[static_cast<std::size_t>(b)].push_back({a, static_cast<int>(k)});
        }
        for (int a = 0; a < m; ++a) {
            auto& list = adj[static_cast<std::size_t>(a)];
            for (auto [b, k] : raw[static_cast<std::size_t>(a)]) {
                if (at[static_cast<std::size_t>(b)] < 0) {
                    at[static_cast<std::size_t>(b)] = static_cast<int>(list.size());
                    list.push_back({b, 0.0});
                }
                list[static_cast<std::size_t>(at[static_cast<std::size_t>(b)])].second += p.x[static_cast<std::size_t>(k)];
            }
            for (auto& e : list) at[static_cast<std::size_t>(e.first)] = -1;
        }
    }
    // Stoer-Wagner with a lazy heap; every phase's cut is a real cut of the point.
    std::vector<char> alive(static_cast<std::size_t>(m), 1);
    std::vector<double> key(static_cast<std::size_t>(m));
    std::vector<char> added(static_cast<std::size_t>(m));
    std::vector<int> at(static_cast<std::size_t>(m), -1);
    for (int left = m; left > 1; --left) {
        std::fill(key.begin(), key.end(), 0.0);
        std::fill(added.begin(), added.end(), 0);
        std::priority_queue<std::pair<double, int>> heap;
        int start = 0;
        while (!alive[static_cast<std::size_t>(start)]) ++start;
        heap.push({0.0, start});
        int s = -1, t = -1, count = 0;
        while (count < left) {
            int v = -1;
            while (!heap.empty()) {
                auto [k, c] = heap.top();
                heap.pop();
                if (!added[static_cast<std::size_t>(c)] && k == key[static_cast<std::size_t>(c)]) {
                    v = c;
                    break;
                }
            }
            if (v < 0)  // the rest is not reachable: cannot happen on a connected support
                for (int c = 0; c < m && v < 0; ++c)
                    if (alive[static_cast<std::size_t>(c)] && !added[static_cast<std::size_t>(c)]) v = c;
            added[static_cast<std::size_t>(v)] = 1;
            ++count;
            s = t, t = v;
            for (auto [w, c] : adj[static_cast<std::size_t>(v)])
                if (!added[static_cast<std::size_t>(w)]) {
                    key[static_cast<std::size_t>(w)] += c;
                    heap.push({key[static_cast<std::size_t>(w)], w});
                }
        }
        if (key[static_cast<std::size_t>(t)] < 2.0 - minViolation && static_cast<int>(cuts.size()) < maxCuts)
            Offer(cuts, CTspCut{{members[static_cast<std::size_t>(t)]}, 2, CUT_SUBTOUR, 0}, support, minViolation, n);
        // Merge t into s.
        auto& as = adj[static_cast<std::size_t>(s)];
        for (std::size_t k = 0; k < as.size(); ++k) at[static_cast<std::size_t>(as[k].first)] = static_cast<int>(k);
        for (auto [w, c] : adj[static_cast<std::size_t>(t)]) {
            if (w == s) continue;
            if (at[static_cast<std::size_t>(w)] >= 0) {
                as[static_cast<std::size_t>(at[static_cast<std::size_t>(w)])].second += c;
            } else {
                at[static_cast<std::size_t>(w)] = static_cast<int>(as.size());
                as.push_back({w, c});
            }
            auto& aw = adj[static_cast<std::size_t>(w)];
            double moved = 0;
            for (auto& e : aw)
                if (e.first == t) moved = e.second, e.second = 0;
            bool found = false;
            for (auto& e : aw)
                if (e.first == s) e.second += moved, found = true;
            if (!found) aw.push_back({s, moved});
            aw.erase(std::remove_if(aw.begin(), aw.end(), [t](const auto& e) { return e.first == t; }), aw.end());
        }
        for (auto& e : as) at[static_cast<std::size_t>(e.first)] = -1;
        as.erase(std::remove_if(as.begin(), as.end(), [t](const auto& e) { return e.first == t; }), as.end());
        adj[static_cast<std::size_t>(t)].clear();
        auto& ms = members[static_cast<std::size_t>(s)];
        ms.insert(ms.end(), members[static_cast<std::size_t>(t)].begin(), members[static_cast<std::size_t>(t)].end());
        alive[static_cast<std::size_t>(t)] = 0;
    }
    return cuts;
}

std::vector<CTspCut> SeparateBlossoms(const CEdgePoint& p, double minViolation, int maxCuts) {
    const int n = p.n;
    std::vector<CTspCut> cuts;
    if (n < 6) return cuts;
    const CSupport support(p);
    std::vector<char> touched;
    const auto groups = FractionalComponents(p, touched);
    std::vector<int> outsideUse(static_cast<std::size_t>(n), 0);
    std::vector<char> inH(static_cast<std::size_t>(n), 0);
    for (const auto& g : groups) {
        if (static_cast<int>(cuts.size()) >= maxCuts) break;
        if (g.size() < 3 || !touched[static_cast<std::size_t>(g[0])]) continue;
        std::vector<int> handle = g;
        for (int v : handle) inH[static_cast<std::size_t>(v)] = 1;
        // Teeth: edges of value 1 with one end in the handle.
        std::vector<std::pair<int, int>> teeth;
        for (std::size_t k = 0; k < p.x.size(); ++k) {
            if (p.x[k] < kOne) continue;
            const int a = p.u[k], b = p.v[k];
            if (inH[static_cast<std::size_t>(a)] == inH[static_cast<std::size_t>(b)]) continue;
            teeth.push_back(inH[static_cast<std::size_t>(a)] ? std::pair{a, b} : std::pair{b, a});
        }
        // Two teeth meeting outside: their common end joins the handle, both teeth go.
        for (auto [a, b] : teeth) ++outsideUse[static_cast<std::size_t>(b)];
        std::vector<std::pair<int, int>> kept;
        for (auto [a, b] : teeth) {
            if (outsideUse[static_cast<std::size_t>(b)] >= 2) {
                if (!inH[static_cast<std::size_t>(b)]) inH[static_cast<std::size_t>(b)] = 1, handle.push_back(b);
            } else {
                kept.push_back({a, b});
            }
        }
        for (auto [a, b] : teeth) outsideUse[static_cast<std::size_t>(b)] = 0;
        for (int v : handle) inH[static_cast<std::size_t>(v)] = 0;
        if (kept.size() < 3 || kept.size() % 2 == 0 || static_cast<int>(handle.size()) > n - 2) continue;
        CTspCut cut{{handle}, 3 * static_cast<int>(kept.size()) + 1, CUT_BLOSSOM, 0};
        for (auto [a, b] : kept) cut.sets.push_back({a, b});
        Offer(cuts, std::move(cut), support, minViolation, n);
    }
    return cuts;
}

namespace {

// Offers the blossom of a handle and edges with one end in it as teeth, once the teeth are made
// pairwise disjoint: two that meet outside the handle take their common end into it, two that
// meet inside leave theirs out of it, and the teeth that no longer cross go. Nothing when fewer
// than three teeth or an even number remain.
void OfferBlossom(std::vector<CTspCut>& cuts, std::vector<int> handle, std::vector<std::pair<int, int>> teeth,
                  const CSupport& support, double minViolation, int n) {
    std::vector<char> inH(static_cast<std::size_t>(n), 0);
    for (int v : handle) inH[static_cast<std::size_t>(v)] = 1;
    std::vector<int> use(static_cast<std::size_t>(n), 0);
    for (bool again = true; again;) {
        again = false;
        for (auto [a, b] : teeth) ++use[static_cast<std::size_t>(a)], ++use[static_cast<std::size_t>(b)];
        for (auto [a, b] : teeth)
            for (int v : {a, b})
                if (use[static_cast<std::size_t>(v)] >= 2 && !again) {
                    inH[static_cast<std::size_t>(v)] ^= 1;
                    again = true;
                }
        for (auto [a, b] : teeth) use[static_cast<std::size_t>(a)] = use[static_cast<std::size_t>(b)] = 0;
        teeth.erase(std::remove_if(teeth.begin(), teeth.end(),
                                   [&](const auto& e) { return inH[static_cast<std::size_t>(e.first)] == inH[static_cast<std::size_t>(e.second)]; }),
                    teeth.end());
    }
    handle.clear();
    for (int v = 0; v < n; ++v)
        if (inH[static_cast<std::size_t>(v)]) handle.push_back(v);
    if (teeth.size() < 3 || teeth.size() % 2 == 0 || handle.size() < 2 || static_cast<int>(handle.size()) > n - 2) return;
    CTspCut cut{{std::move(handle)}, 3 * static_cast<int>(teeth.size()) + 1, CUT_BLOSSOM, 0};
    for (auto [a, b] : teeth) cut.sets.push_back({a, b});
    Offer(cuts, std::move(cut), support, minViolation, n);
}

// An undirected graph with capacities for the maximum flows of the odd cuts: arcs 2k and 2k + 1 are
// the two directions of edge k, each with the edge's capacity.
struct CFlowGraph {
    int m = 0;
    std::vector<int> head, next, to;  // head per node; next and to per arc
    std::vector<double> cap;
    explicit CFlowGraph(int nodes) : m(nodes), head(static_cast<std::size_t>(nodes), -1) {}
    void AddEdge(int a, int b, double c) {
        for (int k = 0; k < 2; ++k) {
            const int from = k == 0 ? a : b;
            to.push_back(k == 0 ? b : a);
            cap.push_back(c);
            next.push_back(head[static_cast<std::size_t>(from)]);
            head[static_cast<std::size_t>(from)] = static_cast<int>(to.size()) - 1;
        }
    }
};

// Maximum flow between s and t (shortest augmenting paths), given up once it reaches 1 (only cuts
// below 1 matter): then sourceSide is left empty; otherwise it holds the side of s in the
// residual graph.
double MaxFlowBelowOne(const CFlowGraph& g, int s, int t, std::vector<char>& sourceSide) {
    std::vector<double> flow(g.cap.size(), 0.0);
    std::vector<int> via(static_cast<std::size_t>(g.m));  // arc into each reached node, -1
    std::vector<int> queue;
    double total = 0;
    for (;;) {
        std::fill(via.begin(), via.end(), -1);
        queue.assign(1, s);
        via[static_cast<std::size_t>(s)] = -2;
        for (std::size_t q = 0; q < queue.size() && via[static_cast<std::size_t>(t)] == -1; ++q)
            for (int arc = g.head[static_cast<std::size_t>(queue[q])]; arc >= 0; arc = g.next[static_cast<std::size_t>(arc)]) {
                const int b = g.to[static_cast<std::size_t>(arc)];
                if (via[static_cast<std::size_t>(b)] == -1 && g.cap[static_cast<std::size_t>(arc)] - flow[static_cast<std::size_t>(arc)] > 1e-9) {
                    via[static_cast<std::size_t>(b)] = arc;
                    queue.push_back(b);
                }
            }
        if (via[static_cast<std::size_t>(t)] == -1) {
            sourceSide.assign(static_cast<std::size_t>(g.m), 0);
            for (int v : queue) sourceSide[static_cast<std::size_t>(v)] = 1;
            return total;
        }
        double push = HUGE_VAL;
        for (int b = t; b != s;) {
            const auto arc = static_cast<std::size_t>(via[static_cast<std::size_t>(b)]);
            push = std::min(push, g.cap[arc] - flow[arc]);
            b = g.to[arc ^ 1U];
        }
        for (int b = t; b != s;) {
            const auto arc = static_cast<std::size_t>(via[static_cast<std::size_t>(b)]);
            flow[arc] += push;
            flow[arc ^ 1U] -= push;
            b = g.to[arc ^ 1U];
        }
        total += push;
        if (total >= 1.0) {
            sourceSide.clear();
            return total;
        }
    }
}

}  // namespace

std::vector<CTspCut> SeparateOddCutBlossoms(const CEdgePoint& p, double minViolation, int maxCuts) {
    const int n = p.n;
    std::vector<CTspCut> cuts;
    if (n < 6) return cuts;
    const CSupport support(p);
    std::vector<char> touched;
    const auto groups = FractionalComponents(p, touched);
    std::vector<int> local(static_cast<std::size_t>(n), -1);
    std::vector<char> inH(static_cast<std::size_t>(n), 0);
    for (const auto& g : groups) {
        const int m = static_cast<int>(g.size());
        if (m < 3 || !touched[static_cast<std::size_t>(g[0])]) continue;
        if (static_cast<int>(cuts.size()) >= maxCuts) break;
        for (int i = 0; i < m; ++i) local[static_cast<std::size_t>(g[static_cast<std::size_t>(i)])] = i;
        CFlowGraph flows(m);
        for (std::size_t k = 0; k < p.x.size(); ++k) {
            const int a = local[static_cast<std::size_t>(p.u[k])], b = local[static_cast<std::size_t>(p.v[k])];
            if (a < 0 || b < 0 || p.x[k] <= kZero || p.x[k] >= kOne) continue;
            flows.AddEdge(a, b, std::min(p.x[k], 1.0 - p.x[k]));
        }
        // Gusfield: parent[i] and the cut between i and its parent, for i = 1..m-1.
        std::vector<int> parent(static_cast<std::size_t>(m), 0);
        std::vector<char> side;
        for (int i = 1; i < m && static_cast<int>(cuts.size()) < maxCuts; ++i) {
            const int j = parent[static_cast<std::size_t>(i)];
            const double f = MaxFlowBelowOne(flows, i, j, side);
            if (side.empty()) continue;  // no cut below 1 between i and j
            for (int k = i + 1; k < m; ++k)
                if (side[static_cast<std::size_t>(k)] && parent[static_cast<std::size_t>(k)] == j) parent[static_cast<std::size_t>(k)] = i;
            if (f >= 1.0 - minViolation) continue;
            // The handle: i's side; the teeth: its crossing edges above 1/2, and when they are even
            // in number, the crossing edge nearest 1/2 changes sides if that still leaves the cut
            // violated (Letchford, Reinelt and Theis).
            std::vector<int> handle;
            for (int k = 0; k < m; ++k)
                if (side[static_cast<std::size_t>(k)]) handle.push_back(g[static_cast<std::size_t>(k)]);
            if (static_cast<int>(handle.size()) > n - 2) continue;
            for (int v : handle) inH[static_cast<std::size_t>(v)] = 1;
            std::vector<std::pair<int, int>> teeth;
            std::size_t flip = p.x.size();
            for (std::size_t k = 0; k < p.x.size(); ++k) {
                if (inH[static_cast<std::size_t>(p.u[k])] == inH[static_cast<std::size_t>(p.v[k])] || p.x[k] <= kZero) continue;
                if (p.x[k] > 0.5) teeth.push_back({p.u[k], p.v[k]});
                if (p.x[k] < kOne && (flip == p.x.size() || std::fabs(1 - 2 * p.x[k]) < std::fabs(1 - 2 * p.x[flip]))) flip = k;
            }
            if (teeth.size() % 2 == 0) {
                if (flip == p.x.size() || f + std::fabs(1 - 2 * p.x[flip]) >= 1.0 - minViolation) {
                    for (int v : handle) inH[static_cast<std::size_t>(v)] = 0;
                    continue;
                }
                const std::pair<int, int> e{p.u[flip], p.v[flip]};
                if (p.x[flip] > 0.5) teeth.erase(std::find(teeth.begin(), teeth.end(), e));
                else teeth.push_back(e);
            }
            for (int v : handle) inH[static_cast<std::size_t>(v)] = 0;
            OfferBlossom(cuts, std::move(handle), teeth, support, minViolation, n);
        }
        for (int v : g) local[static_cast<std::size_t>(v)] = -1;
    }
    return cuts;
}

namespace {

// The blossoms of p with its nodes grouped (groupOf, members), put back as combs of p.
void ShrunkBlossoms(const CEdgePoint& p, const std::vector<int>& groupOf, const std::vector<std::vector<int>>& members,
                    const CSupport& support, double minViolation, int maxCuts, std::vector<CTspCut>& cuts) {
    const int g = static_cast<int>(members.size());
    if (g < 6 || g == p.n) return;
    std::vector<std::pair<std::pair<int, int>, double>> edges;
    for (std::size_t k = 0; k < p.x.size(); ++k) {
        int a = groupOf[static_cast<std::size_t>(p.u[k])], b = groupOf[static_cast<std::size_t>(p.v[k])];
        if (a == b || p.x[k] <= kZero) continue;
        edges.push_back({{std::min(a, b), std::max(a, b)}, p.x[k]});
    }
    std::sort(edges.begin(), edges.end());
    CEdgePoint shrunk;
    shrunk.n = g;
    for (const auto& [e, x] : edges) {
        if (!shrunk.x.empty() && shrunk.u.back() == e.first && shrunk.v.back() == e.second) {
            shrunk.x.back() += x;
        } else {
            shrunk.u.push_back(e.first), shrunk.v.push_back(e.second), shrunk.x.push_back(x);
        }
    }
    std::vector<CTspCut> found = SeparateBlossoms(shrunk, minViolation, maxCuts);
    for (CTspCut& c : SeparateOddCutBlossoms(shrunk, minViolation, maxCuts)) found.push_back(std::move(c));
    for (const CTspCut& c : found) {
        if (static_cast<int>(cuts.size()) >= maxCuts) break;
        CTspCut cut{{}, c.rhs, CUT_BLOSSOM, 0};
        for (const auto& s : c.sets) {
            std::vector<int> expanded;
            for (int a : s)
                expanded.insert(expanded.end(), members[static_cast<std::size_t>(a)].begin(), members[static_cast<std::size_t>(a)].end());
            cut.sets.push_back(std::move(expanded));
        }
        for (std::size_t k = 1; k < cut.sets.size(); ++k)
            if (cut.sets[k].size() > 2) cut.kind = CUT_COMB;
        Offer(cuts, std::move(cut), support, minViolation, p.n);
    }
}

// Groups of nodes, each a tight set (its crossing edges sum to 2), grown from single nodes while
// one of two rules applies (Padberg and Rinaldi's shrinking): two groups joined by edges summing to
// 1 become one, and three groups whose edges among them sum to 2 become one. Either way the union
// crosses 2 again.
CUnionFind TightGroups(const CEdgePoint& p) {
    CUnionFind uf(p.n);
    for (bool changed = true; changed;) {
        changed = false;
        // The point between the current groups.
        std::vector<std::pair<std::pair<int, int>, double>> edges;
        for (std::size_t k = 0; k < p.x.size(); ++k) {
            const int a = uf.Find(p.u[k]), b = uf.Find(p.v[k]);
            if (a != b && p.x[k] > kZero) edges.push_back({{std::min(a, b), std::max(a, b)}, p.x[k]});
        }
        std::sort(edges.begin(), edges.end());
        std::vector<std::vector<std::pair<int, double>>> adj(static_cast<std::size_t>(p.n));
        for (std::size_t k = 0; k < edges.size();) {
            const auto e = edges[k].first;
            double w = 0;
            for (; k < edges.size() && edges[k].first == e; ++k) w += edges[k].second;
            adj[static_cast<std::size_t>(e.first)].push_back({e.second, w});
            adj[static_cast<std::size_t>(e.second)].push_back({e.first, w});
        }
        std::vector<char> used(static_cast<std::size_t>(p.n), 0);
        auto Free = [&](int v) { return !used[static_cast<std::size_t>(v)]; };
        for (int a = 0; a < p.n; ++a)
            for (auto [b, w] : adj[static_cast<std::size_t>(a)])
                if (a < b && w >= kOne && Free(a) && Free(b)) {
                    uf.Join(a, b);
                    used[static_cast<std::size_t>(a)] = used[static_cast<std::size_t>(b)] = 1;
                    changed = true;
                }
        if (changed) continue;
        for (int a = 0; a < p.n; ++a) {
            const auto& la = adj[static_cast<std::size_t>(a)];
            for (std::size_t i = 0; i < la.size() && Free(a); ++i)
                for (std::size_t j = i + 1; j < la.size() && Free(a); ++j) {
                    const int b = la[i].first, c = la[j].first;
                    if (!Free(b) || !Free(c)) continue;
                    double wbc = 0;
                    for (auto [d, w] : adj[static_cast<std::size_t>(b)])
                        if (d == c) wbc = w;
                    if (la[i].second + la[j].second + wbc < 2.0 - 1e-6) continue;
                    uf.Join(a, b), uf.Join(a, c);
                    used[static_cast<std::size_t>(a)] = used[static_cast<std::size_t>(b)] = used[static_cast<std::size_t>(c)] = 1;
                    changed = true;
                }
        }
    }
    return uf;
}

}  // namespace

std::vector<CTspCut> SeparateCombs(const CEdgePoint& p, const std::vector<std::vector<int>>& tightSets,
                                   double minViolation, int maxCuts) {
    const int n = p.n;
    std::vector<CTspCut> cuts;
    if (n < 8) return cuts;
    const CSupport support(p);
    CUnionFind ones = Joined(p, kOne - 1e-12, HUGE_VAL);
    std::vector<int> groupOf;
    std::vector<std::vector<int>> members = Groups(ones, n, groupOf);
    ShrunkBlossoms(p, groupOf, members, support, minViolation, maxCuts, cuts);
    CUnionFind tightGroups = TightGroups(p);
    std::vector<std::vector<int>> grown = Groups(tightGroups, n, groupOf);
    if (grown.size() < members.size()) ShrunkBlossoms(p, groupOf, grown, support, minViolation, maxCuts, cuts);
    // Then the given sets alone, disjoint, taken smallest first and then largest first.
    std::vector<const std::vector<int>*> order;
    for (const auto& s : tightSets)
        if (s.size() >= 2 && 4 * s.size() <= static_cast<std::size_t>(n)) order.push_back(&s);
    std::sort(order.begin(), order.end(), [](const auto* a, const auto* b) { return a->size() < b->size(); });
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<char> taken(static_cast<std::size_t>(n), 0);
        CUnionFind sets(n);
        bool any = false;
        for (const auto* s : order) {
            if (std::any_of(s->begin(), s->end(), [&](int v) { return taken[static_cast<std::size_t>(v)] != 0; })) continue;
            for (int v : *s) taken[static_cast<std::size_t>(v)] = 1, sets.Join((*s)[0], v);
            any = true;
        }
        if (!any) break;
        members = Groups(sets, n, groupOf);
        ShrunkBlossoms(p, groupOf, members, support, minViolation, maxCuts, cuts);
        std::reverse(order.begin(), order.end());
    }
    return cuts;
}
