#include "reference/ReferencePolyn.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace reference {

namespace {

constexpr int kOpening = 0;
constexpr int kSearchA = 1;
constexpr int kSearchB = 2;
constexpr int kRecords = 4000;

Matrix Square(int n) {
    return Matrix(n + 1, std::vector<int>(n + 1, 0));
}

void Clear(Matrix& m) {
    for (auto& row : m) std::fill(row.begin(), row.end(), 0);
}

bool Contains(const Record& r, int node) {
    for (int w = 0; w < 5; ++w)
        if (r[w] == node) return true;
    return false;
}

// The set test of the move memory and of the last-move check: every one of the five nodes of
// inner is one of the five nodes of outer.
bool AllIn(const Record& inner, const Record& outer) {
    for (int w = 0; w < 5; ++w)
        if (!Contains(outer, inner[w])) return false;
    return true;
}

Record FiveNodes(int a, int b, int c, int d, int e) {
    return Record{a, b, c, d, e, 0, 0};
}

}  // namespace

ReferencePolyn::ReferencePolyn(int nodes, int kindOfDocument)
    : n(nodes),
      kind(kindOfDocument),
      other(nodes + 2, 0),
      weight(Square(nodes)),
      work(Square(nodes)),
      adjust(Square(nodes)),
      gain(Square(nodes)),
      mark(Square(nodes)),
      mark2(Square(nodes)),
      insert(nodes + 1, Matrix(nodes + 1, std::vector<int>(nodes + 1, 0))),
      cycle(nodes + 2, 0),
      initial(nodes + 2, 0),
      best(nodes + 2, 0),
      ties(20, std::vector<int>(nodes + 2, 0)),
      memory(kRecords, Record{}) {
    for (int p = 1; p <= n; ++p) cycle[p] = p;
    CloseCycle(cycle);
}

int ReferencePolyn::Budget(double factor, int nodes) {
    return static_cast<int>(factor * nodes * nodes + 0.001) + 1;
}

// ---------------------------------------------------------------------------------------------
// Cycles

int ReferencePolyn::CycleCost() {
    CloseCycle(cycle);
    int sum = 0;
    for (int k = 1; k <= n; ++k) {
        const int w = Up(weight, cycle[k], cycle[k + 1]);
        sum += w;
        if (kind == 2 && w == 3) sum -= 2;
    }
    return sum;
}

int ReferencePolyn::TrueAndAdjustedCost(int& adjusted) {
    CloseCycle(cycle);
    int sum = 0;
    adjusted = 0;
    for (int k = 1; k <= n; ++k) {
        const int w = Up(weight, cycle[k], cycle[k + 1]);
        const int p = Up(adjust, cycle[k], cycle[k + 1]);
        sum += w;
        if (kind == 2 && w == 3) sum -= 2;
        adjusted += w;
        if (p < 0) adjusted += p;
    }
    return sum;
}

void ReferencePolyn::Normalize(std::vector<int>& c) const {
    int start = 1;
    for (int p = 1; p <= n; ++p)
        if (c[p] == 1) {
            start = p;
            break;
        }
    std::vector<int> rotated(c);
    for (int k = 1; k <= n; ++k) rotated[k] = c[(start + k - 2) % n + 1];
    if (rotated[2] >= rotated[n]) {
        std::vector<int> turned(rotated);
        for (int k = 2; k <= n; ++k) turned[k] = rotated[n - k + 2];
        rotated = turned;
    }
    for (int k = 1; k <= n; ++k) c[k] = rotated[k];
    CloseCycle(c);
}

bool ReferencePolyn::IsCycleEdge(const std::vector<int>& c, int a, int b) const {
    for (int k = 1; k <= n; ++k) {
        const int u = c[k], v = Succ(c, k);
        if ((u == a && v == b) || (u == b && v == a)) return true;
    }
    return false;
}

std::vector<int> ReferencePolyn::Reversed(const std::vector<int>& c) const {
    std::vector<int> r(n + 2, 0);
    for (int k = 1; k <= n; ++k) r[k] = c[n + 1 - k];
    CloseCycle(r);
    return r;
}

std::vector<int> ReferencePolyn::RotatedTo(const std::vector<int>& c, int node) const {
    int at = 1;
    for (int p = 1; p <= n; ++p)
        if (c[p] == node) at = p;
    std::vector<int> r(n + 2, 0);
    for (int k = 1; k <= n; ++k) r[k] = c[(at + k - 2) % n + 1];
    CloseCycle(r);
    return r;
}

std::vector<int> ReferencePolyn::MovedNode(const std::vector<int>& c, int x, int a, int b) const {
    std::vector<int> rest;
    for (int p = 1; p <= n; ++p)
        if (c[p] != x) rest.push_back(c[p]);
    const int m = static_cast<int>(rest.size());
    std::vector<int> out;
    for (int k = 0; k < m; ++k) {
        out.push_back(rest[k]);
        const int next = rest[(k + 1) % m];
        if ((rest[k] == a && next == b) || (rest[k] == b && next == a)) out.push_back(x);
    }
    if (static_cast<int>(out.size()) != n) throw std::logic_error("MoveNode: a and b are not neighbours");
    std::vector<int> r(n + 2, 0);
    for (int k = 1; k <= n; ++k) r[k] = out[k - 1];
    Normalize(r);
    return r;
}

std::vector<int> ReferencePolyn::ReversedTail(const std::vector<int>& c, int node, int stop) const {
    const std::vector<int> rot = RotatedTo(c, node);
    std::vector<int> r(n + 2, 0);
    int k = 1;
    while (k <= n && rot[k] != stop) {
        r[k] = rot[k];
        ++k;
    }
    for (int from = n; k <= n; ++k, --from) r[k] = rot[from];
    Normalize(r);
    return r;
}

void ReferencePolyn::NegateWeights() {
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            weight[i][j] = static_cast<int>(0u - static_cast<uint32_t>(weight[i][j]));
}

// ---------------------------------------------------------------------------------------------
// Insertion table, pass set-up and adjustments

void ReferencePolyn::AddToT(int a, int b, int k, int d) {
    int& entry = a < b ? insert[a][b][k] : insert[b][a][k];
    const int sum = static_cast<int>(static_cast<uint32_t>(entry) + static_cast<uint32_t>(d));
    entry = kind == 2 ? static_cast<int8_t>(static_cast<uint8_t>(sum & 0xFF)) : sum;
}

void ReferencePolyn::LowerEdge(int i, int j, int d, int toWork) {
    if (toWork)
        work[i][j] -= d;
    else
        adjust[i][j] -= d;
    for (int m = 1; m <= n; ++m)
        if (m != i && m != j) AddToT(i, j, m, -d);
    // Pairs that contain j, seen from i, and pairs that contain i, seen from j.
    for (int m = 1; m <= n; ++m) {
        if (m != j && m != i) AddToT(j, m, i, d);
        if (m != i && m != j) AddToT(i, m, j, d);
    }
}

void ReferencePolyn::PrepareTables() {
    Clear(adjust);
    Clear(work);
    for (auto& plane : insert) Clear(plane);
    for (int k = 1; k <= n; ++k)
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                int value = 0;
                if (i != k && j != k) value = weight[i][j] - Up(weight, i, k) - Up(weight, j, k);
                insert[i][j][k] = kind == 2 ? static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF)) : value;
            }
    Clear(work);
    Stabilise();
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            adjust[i][j] = work[i][j];
            work[i][j] = 0;
        }
    bestCost = CycleCost();
    for (int p = 1; p <= n; ++p) best[p] = cycle[p];
    CloseCycle(best);
}

void ReferencePolyn::Stabilise() {
    if (n == 0) return;
    int stable = 0;
    int x = 0;
    long long visits = 0;
    for (;;) {
        if (++visits > 50000000LL) throw std::runtime_error("Stabilise does not settle");
        x = x + 1;
        if (x == n + 1) x = 1;  // the poll never reports an Escape here
        int bestValue = INT_MIN, bi = 0, bj = 0;
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                if (i == x || j == x) continue;
                if (bi == 0 || insert[i][j][x] > bestValue) {
                    bestValue = insert[i][j][x];
                    bi = i;
                    bj = j;
                }
            }
        int second = INT_MIN;
        bool haveSecond = false;
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                if (i == x || j == x || (i == bi && j == bj)) continue;
                if (!haveSecond || insert[i][j][x] > second) {
                    second = insert[i][j][x];
                    haveSecond = true;
                }
            }
        const int d = bestValue - second;
        if (d > 0) {
            stable = 0;
            LowerEdge(bi, bj, d, 1);
            ++counts.stabiliseLowerings;
        } else if (d == 0) {
            stable = stable + 1;
        }
        if (stable == n) return;
    }
}

int ReferencePolyn::FindInsertionInCycle(int k) {
    insGain = INT_MIN;
    auto visit = [&](int a, int b) {
        if (a == k || b == k) return;
        const int value = T(a, b, k);
        if (value > insGain) {
            insGain = value;
            insI = std::min(a, b);
            insJ = std::max(a, b);
        }
    };
    visit(cycle[1], cycle[n]);
    for (int p = 1; p <= n - 1; ++p) visit(cycle[p], cycle[p + 1]);
    return insGain;
}

int ReferencePolyn::RemovalDelta(int k) {
    int at = 0;
    for (int p = 1; p <= n; ++p)
        if (cycle[p] == k) {
            at = p;
            break;
        }
    if (at == 0) return 0;
    const int a = Pred(cycle, at), b = Succ(cycle, at);
    gapLo = std::min(a, b);
    gapHi = std::max(a, b);
    return T(a, b, k);
}

// The largest gain of the pair at positions p < q that the adjustment stage and the gain census
// compute (INT_MIN when no edge qualifies).
int ReferencePolyn::PairGain(int p, int q) {
    const std::vector<int>& c = cycle;
    const int x = c[p], y = c[q];
    int bestValue = INT_MIN;
    for (int r = 1; r <= n; ++r) {
        const int u = c[r], v = Succ(c, r);
        int w = Pred(c, r);
        if (u == x || u == y || v == x || v == y) continue;
        int z = u;
        if (p <= r && r <= q) {
            z = v;
            w = r == n - 1 ? c[1] : (r == n ? c[2] : c[r + 2]);
        }
        const int t0 = T(x, z, y);
        const int t1 = T(u, v, y);
        const int t2 = (w != x && w != y) ? T(z, w, y) : t1;
        bestValue = std::max({bestValue, t1 - t0, t2 - t0});
    }
    return bestValue;
}

int ReferencePolyn::AdjustWeights(int first) {
    Clear(mark);
    Clear(gain);
    int found = 0;
    for (int p = 1; p <= n; ++p) {
        const int x = cycle[p], nx = Succ(cycle, p), px = Pred(cycle, p);
        for (int q = p + 1; q <= n; ++q) {
            const int y = cycle[q];
            if (y == x || y == nx || y == px) continue;
            const int b = PairGain(p, q);
            if (b > 0) {
                if (testLevel == 1)
                    Up(gain, x, y) += b;
                else
                    Up(gain, x, y) = std::max(Up(gain, x, y), b);
                found = 1;
            }
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            if (testLevel == 1 && first == 0 && adjust[i][j] < 0) continue;
            if (gain[i][j] > 0) {
                const int q = gain[i][j];
                LowerEdge(i, j, q, 0);
                ++counts.adjustLowerings;
                if (testLevel == 2) mark[i][j] -= q;
            }
        }
    return found;
}

void ReferencePolyn::PayBack(int amount) {
    int remaining = amount;
    for (;;) {
        auto find = [&](bool filtered, int& lo, int& hi) {
            int lowest = 0;
            lo = hi = 0;
            auto visit = [&](int a, int b) {
                if (filtered && Up(mark, a, b) == Up(mark2, a, b)) return;
                if (Up(adjust, a, b) < lowest) {
                    lowest = Up(adjust, a, b);
                    lo = std::min(a, b);
                    hi = std::max(a, b);
                }
            };
            for (int p = 1; p <= n - 1; ++p) visit(cycle[p], cycle[p + 1]);
            visit(cycle[n], cycle[1]);
            return lowest;
        };
        int lo = 0, hi = 0;
        int lowest = find(testLevel == 2, lo, hi);
        if (lo == 0 && testLevel == 2) lowest = find(false, lo, hi);
        if (lo == 0) return;
        const int d = std::max(lowest, remaining);
        LowerEdge(lo, hi, d, 0);
        if (d != 0) ++counts.payBacks;
        if (testLevel == 2) {
            mark[lo][hi] = mark[lo][hi] < d ? mark[lo][hi] - d : 0;
            mark2[lo][hi] = mark2[lo][hi] < d ? mark2[lo][hi] - d : 0;
        }
        remaining = remaining - d;
        if (remaining == 0 || lowest == 0) return;
    }
}

void ReferencePolyn::GainCensus() {
    Clear(gain);
    for (int p = 1; p <= n; ++p) {
        const int x = cycle[p], nx = Succ(cycle, p), px = Pred(cycle, p);
        for (int q = p + 1; q <= n; ++q) {
            const int y = cycle[q];
            if (y == x || y == nx || y == px) continue;
            const int b = PairGain(p, q);
            if (b > 0 && Up(adjust, x, y) >= 0 && b > Up(gain, x, y)) Up(gain, x, y) = b;
        }
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (adjust[i][j] >= 0 && gain[i][j] > 0 && mark2[i][j] == 0) mark2[j][i] = gain[i][j];
}

void ReferencePolyn::MarkEdges() {
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) weight[j][i] = 0;
    for (int p = 1; p <= n; ++p)
        for (int q = 1; q <= n; ++q) {
            const int x = cycle[p], y = cycle[q];
            if (x == y || IsCycleEdge(cycle, x, y)) continue;
            const int ex = std::max(Up(weight, x, Pred(cycle, p)), Up(weight, x, Succ(cycle, p)));
            const int ey = std::max(Up(weight, y, Pred(cycle, q)), Up(weight, y, Succ(cycle, q)));
            weight[std::max(x, y)][std::min(x, y)] = ex + ey - Up(weight, x, y);
        }
    std::vector<std::pair<int, int>> picked;
    const int scans = n >= 50 ? 5 : (n >= 40 ? 4 : 3);
    for (int s = 1; s <= scans; ++s) {
        int bi = 0, bj = 0, bestL = 0;
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) {
                if (IsCycleEdge(cycle, i, j) || adjust[i][j] != 0 || adjust[j][i] != 0 || mark2[j][i] != 0)
                    continue;
                bool shares = false;
                for (auto [a, b] : picked)
                    if (a == i || a == j || b == i || b == j) shares = true;
                if (shares) continue;
                if (bi == 0 || weight[j][i] > bestL) {
                    bestL = weight[j][i];
                    bi = i;
                    bj = j;
                }
            }
        if (bi != 0) picked.push_back({bi, bj});
    }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            if (std::find(picked.begin(), picked.end(), std::make_pair(i, j)) == picked.end()) continue;
            if (mark2[j][i] != 0 || adjust[i][j] != 0 || IsCycleEdge(cycle, i, j)) continue;
            const int d = weight[i][j] / 5;
            LowerEdge(i, j, d, 0);
            mark2[i][j] -= d;
            adjust[j][i] = 1;
            mark[j][i] = 1;
            ++counts.markedEdges;
        }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            weight[j][i] = 0;
            mark2[j][i] = 0;
        }
}

// ---------------------------------------------------------------------------------------------
// Acceptance, stop test and move memory

int ReferencePolyn::StopTest() {
    if (targetCost != INT_MIN && bestCost == targetCost) return 1;
    if (seekOther != 0 && bestCost == otherCost) {
        for (int p = 1; p <= n; ++p)
            if (best[p] != other[p]) return 1;
    }
    if (runMode != -1) return 0;
    return bestCost < startCost ? 1 : 0;
}

int ReferencePolyn::AcceptCycle(int cost) {
    if (cost > bestCost) return 0;
    auto copyCurrentToBest = [&] {
        for (int p = 1; p <= n; ++p) best[p] = cycle[p];
        CloseCycle(best);
    };
    if (keepTies == 0) {
        copyCurrentToBest();
    } else if (cost == bestCost) {
        if (nTies < 19) nTies = nTies + 1;
        ++counts.tiesStored;
        copyCurrentToBest();
        ties[nTies] = best;
    } else {
        copyCurrentToBest();
        nTies = 1;
        ties[1] = best;
    }
    bestCost = cost;
    return 1;
}

bool ReferencePolyn::RecordWithin(const Record& rec, const Record& m) const {
    return AllIn(rec, m);
}

int ReferencePolyn::MemoryCheckAndRecord(int reset, const Record& m) {
    if (reset == 0 && memoryUsed == 3999) ++counts.memoryClearings;
    if (reset != 0 || memoryUsed == 3999) {
        memoryUsed = 0;
        for (auto& rec : memory) rec.fill(0);
    }
    if (reset == 0) {
        for (int r = 0; r < kRecords; ++r) {
            const Record& rec = memory[r];
            if (rec[1] == 0) break;
            if (moveKind != 0 && rec[5] != moveKind) continue;
            if (RecordWithin(rec, m)) {
                ++counts.memoryHits;
                return 1;
            }
        }
    }
    int slot = kRecords - 1;
    for (int r = 0; r < kRecords; ++r)
        if (memory[r][1] == 0) {
            slot = r;
            break;
        }
    for (int w = 0; w < 5; ++w) memory[slot][w] = m[w];
    memory[slot][5] = moveKind;
    memory[slot][6] = 0;
    if (reset == 0) memoryUsed = memoryUsed + 1;
    AcceptCycle(CycleCost());
    return 0;
}

int ReferencePolyn::MemoryContains(const Record& m) const {
    for (int r = 0; r <= 3998; ++r) {
        const Record& rec = memory[r];
        if (rec[1] == 0) break;
        if (moveKind != 0 && rec[5] != moveKind) continue;
        if (RecordWithin(rec, m)) return 1;
    }
    return 0;
}

int ReferencePolyn::MemoryContainsReversal(const Record& m) const {
    for (int r = 0; r <= 3999; ++r) {
        const Record& rec = memory[r];
        if (rec[1] == 0) break;
        if (rec[5] != 2) continue;
        if (RecordWithin(rec, m)) return 1;
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Move generators

int ReferencePolyn::RelocateNode(int kindOfMove) {
    moveKind = kindOfMove;
    const Record last = move;
    int bestGain = INT_MIN;
    bool found = false;
    int bk = 0, bi = 0, bj = 0, ba = 0, bb = 0;
    const Matrix& marks = testLevel == 1 ? adjust : mark;
    auto adjustedOrOnCycle = [&](int a, int b) {
        const int e = a < b ? marks[a][b] : marks[b][a];
        return e < 0 || IsCycleEdge(cycle, a, b);
    };
    for (int k = 1; k <= n; ++k) {
        const int ins = FindInsertionInCycle(k);
        const int i = insI, j = insJ;
        const int rem = RemovalDelta(k);
        const int a = gapLo, b = gapHi;
        if (last[0] > 0 && !Contains(last, k) && !Contains(last, i) && !Contains(last, j)) continue;
        const int g = ins - rem;
        if (!(g > bestGain)) continue;
        if (last[0] == -1 && adjustedOrOnCycle(k, i) && adjustedOrOnCycle(k, j) && adjustedOrOnCycle(a, b)) {
            ++counts.guardedSkips;
            continue;
        }
        const Record candidate = FiveNodes(i, k, j, a, b);
        if (AllIn(candidate, last) || MemoryContains(candidate)) continue;
        bestGain = g;
        found = true;
        bk = k, bi = i, bj = j, ba = a, bb = b;
    }
    if (!found) return 0;
    cycle = MovedNode(cycle, bk, bi, bj);
    move[0] = bi, move[1] = bk, move[2] = bj, move[3] = ba, move[4] = bb;
    ++counts.relocations;
    return 1;
}

int ReferencePolyn::ReverseSegment() {
    moveKind = 2;
    const Record last = move;
    int bestValue = INT_MIN;
    bool found = false;
    Record chosen{};
    std::vector<int> result;
    const Matrix& marks = testLevel == 1 ? adjust : mark;
    auto adjustedOrOnCycle = [&](int a, int b) {
        const int e = a < b ? marks[a][b] : marks[b][a];
        return e < 0 || IsCycleEdge(cycle, a, b);
    };
    for (int scan = 0; scan < 2; ++scan) {
        const std::vector<int> c = scan == 0 ? cycle : Reversed(cycle);
        for (int p = 1; p <= n; ++p) {
            const int x = c[p], a = Pred(c, p);
            if (last[0] > 0 && !Contains(last, x) && !Contains(last, a)) continue;
            for (int q = 1; q <= n; ++q) {
                const int u = c[q], v = Succ(c, q);
                if (u == x || u == a || v == a) continue;
                const int value = T(u, v, x) - T(a, u, x);
                if (!(value > bestValue)) continue;
                if (last[0] == -1 && adjustedOrOnCycle(x, v) && adjustedOrOnCycle(a, u)) {
                    ++counts.guardedSkips;
                    continue;
                }
                const Record candidate = FiveNodes(v, u, x, a, a);
                if (AllIn(candidate, last) || MemoryContainsReversal(candidate)) continue;
                bestValue = value;
                found = true;
                chosen = FiveNodes(v, u, x, a, u);
                result = ReversedTail(c, x, v);
            }
        }
    }
    if (!found) return 0;
    cycle = result;
    for (int w = 0; w < 5; ++w) move[w] = chosen[w];
    ++counts.reversals;
    return 1;
}

int ReferencePolyn::RelocateNodeWide() {
    moveKind = 1;
    const Record last = move;
    int bestValue = 0;
    bool found = false;
    Record chosen{};
    std::vector<int> result;
    for (int scan = 0; scan < 2; ++scan) {
        const std::vector<int> c = scan == 0 ? cycle : Reversed(cycle);
        for (int p = 1; p <= n; ++p) {
            const int x = c[p], a = Pred(c, p);
            if (last[0] > 0 && !Contains(last, x) && !Contains(last, a)) continue;
            for (int r = 1; r <= n; ++r) {
                const int u = c[r], w = Pred(c, r);
                if (u == x || u == a || w == a || w == x) continue;
                if (IsCycleEdge(cycle, a, u)) continue;
                const int value = T(w, u, x) - T(a, u, x);
                if (!(value > bestValue)) continue;
                const std::vector<int> moved = MovedNode(c, u, x, a);
                // The fifth node: the smaller neighbour of the node standing at position w of the
                // moved cycle, or the larger one when the smaller is x.
                const int lo = std::min(Pred(moved, w), Succ(moved, w));
                const int hi = std::max(Pred(moved, w), Succ(moved, w));
                const int g = lo == x ? hi : lo;
                const Record candidate = FiveNodes(w, u, x, a, g);
                if (AllIn(candidate, last) || MemoryContains(candidate)) continue;
                bestValue = value;
                found = true;
                chosen = candidate;
                result = moved;
            }
        }
    }
    if (!found) return 0;
    cycle = result;
    for (int w = 0; w < 5; ++w) move[w] = chosen[w];
    ++counts.wideRelocations;
    return 1;
}

int ReferencePolyn::SegmentStage() {
    moveKind = 4;
    Clear(gain);
    const std::vector<int> c = cycle;
    int g = INT_MIN;
    int bx = 0, by = 0, bz = 0, be = 0;
    for (int p = 1; p <= n; ++p) {
        const int x = c[p], nx = Succ(c, p), px = Pred(c, p);
        for (int q = p + 1; q <= n; ++q) {
            const int y = c[q];
            if (y == nx || y == px) continue;
            if (move[0] > 0 && !Contains(move, y)) continue;
            int b = INT_MIN;
            for (int r = 1; r <= n; ++r) {
                const int u = c[r], v = Succ(c, r);
                int w = Pred(c, r);
                if (u == x || u == y || v == x || v == y) continue;
                int z = u;
                if (p <= r && r <= q) {
                    z = v;
                    w = r == n - 1 ? c[1] : (r == n ? c[2] : c[r + 2]);
                }
                const int t0 = T(x, z, y);
                const int t1 = T(u, v, y);
                const int t2 = (w != x && w != y) ? T(z, w, y) : t1;
                const int val = std::max(t1 - t0, t2 - t0);
                if (!(val > b)) continue;
                const int e = (t1 - t0 >= t2 - t0) ? v : w;
                if (IsCycleEdge(c, y, e) || IsCycleEdge(c, x, z) || IsCycleEdge(c, z, y) ||
                    IsCycleEdge(c, x, e))
                    continue;
                b = val;
                if (y != z && e != x && e != z && val > g) {
                    g = val;
                    bx = x, by = y, bz = z, be = e;
                }
            }
        }
    }
    if (bx == 0 || by == 0 || bz == 0 || be == 0) return 0;
    const std::vector<int> rot = RotatedTo(c, bz);
    int pX = 0, pY = 0, pE = 0;
    for (int k = 1; k <= n; ++k) {
        if (rot[k] == bx) pX = k;
        if (rot[k] == by) pY = k;
        if (rot[k] == be) pE = k;
    }
    ++counts.segmentMoves;
    if (pY < pX) ++counts.segmentMovesFromInside;
    std::vector<int> built{0, bz};
    if (rot[2] == be) {
        for (int k = pX; k <= n; ++k) {
            built.push_back(rot[k]);
            if (rot[k] == by) break;
        }
        for (int k = pE; k <= n && rot[k] != bx; ++k) built.push_back(rot[k]);
        for (int k = pY + 1; k <= n; ++k) built.push_back(rot[k]);
    } else {
        for (int k = pX; k <= n; ++k) {
            built.push_back(rot[k]);
            if (rot[k] == by) break;
        }
        for (int k = pE; k >= 1 && rot[k] != by; --k) built.push_back(rot[k]);
        for (int k = pX - 1; k >= 1; --k) {
            built.push_back(rot[k]);
            if (rot[k] == bz) break;
        }
    }
    move[0] = rot[pX - 1];
    const int afterY = pY == n ? rot[1] : rot[pY + 1];
    for (int w = 1; w <= 4; ++w) move[w] = afterY;
    if (static_cast<int>(built.size()) < n + 1) throw std::logic_error("SegmentStage: short cycle");
    for (int k = 1; k <= n; ++k) cycle[k] = built[k];
    {
        std::vector<int> check(cycle.begin() + 1, cycle.begin() + n + 1);
        std::sort(check.begin(), check.end());
        for (int k = 0; k < n; ++k)
            if (check[k] != k + 1) throw std::logic_error("SegmentStage: not a permutation");
    }
    Normalize(cycle);
    int adjusted = 0;
    AcceptCycle(TrueAndAdjustedCost(adjusted));
    return 1;
}

// ---------------------------------------------------------------------------------------------
// The three searches

namespace {
struct Proposal {
    int moved = 0;
    std::vector<int> cycle;
    Record record{};
    int trueCost = 0;
    int adjusted = 0;
};
}  // namespace

int ReferencePolyn::Search(int which, int budget) {
    cycle = best;
    CloseCycle(cycle);
    if (which == kSearchA) {
        for (int w = 0; w < 5; ++w) move[w] = 0;
    } else {
        move.fill(0);
    }
    MemoryCheckAndRecord(1, move);
    std::vector<int> walk = cycle;
    const int iterations = budget > 4000 ? 3999 : budget;
    int base = 0;
    TrueAndAdjustedCost(base);
    if (which == kSearchA && base < bestCost) {
        PayBack(base - bestCost);
        base = bestCost;
    }
    int lastTrue = bestCost;
    int improvements = 0;
    auto keep = [&](Proposal& pr, int moved) {
        pr.moved = moved;
        pr.cycle = cycle;
        pr.record = move;
        pr.trueCost = TrueAndAdjustedCost(pr.adjusted);
    };
    auto rekeep = [&](Proposal& pr) {
        pr.cycle = cycle;
        pr.record = move;
        pr.trueCost = TrueAndAdjustedCost(pr.adjusted);
    };
    for (int counter = iterations; counter >= 1; --counter) {
        cycle = walk;
        MemoryCheckAndRecord(0, move);
        if (StopTest()) return 1;
        counts.longestSearch = std::max(counts.longestSearch, static_cast<long>(iterations - counter + 1));
        if (which == kSearchB) lastTrue = base;
        const Record r0 = move;
        Proposal p1, p2, p3;

        cycle = walk;
        if (which == kSearchB) move[0] = -1;
        keep(p1, RelocateNode(1));

        cycle = walk;
        if (which == kSearchB)
            move[0] = -1;
        else
            move = r0;
        keep(p2, ReverseSegment());

        if (which == kOpening && p1.adjusted > base && p2.adjusted > base) {
            cycle = walk;
            if (!readings.rerunCarriesRecord) move = r0;
            move[0] = 0;
            RelocateNode(1);
            rekeep(p1);
            cycle = walk;
            if (!readings.rerunCarriesRecord) move = r0;
            move[0] = 0;
            ReverseSegment();
            rekeep(p2);
            if (p1.adjusted > base && p2.adjusted > base) {
                cycle = walk;
                move = r0;
                keep(p3, testLevel == 1 ? RelocateNodeWide() : SegmentStage());
            }
        }
        if (which == kSearchA && testLevel == 1 && p1.adjusted > base && p2.adjusted > base) {
            cycle = walk;
            move = r0;
            keep(p3, RelocateNodeWide());
        }
        if (!p1.moved && !p2.moved && !p3.moved) return 0;

        const int bestNow = bestCost;
        Proposal* taken = nullptr;
        int takenKind = 1;
        bool accept = false;
        if (p1.trueCost < bestNow && p1.trueCost < p2.trueCost) {
            taken = &p1, takenKind = 1, accept = true;
        } else if (p2.trueCost < bestNow) {
            taken = &p2, takenKind = 2, accept = true;
        } else if (p3.moved) {
            taken = &p3, takenKind = (which == kOpening && testLevel == 2) ? 4 : 1;
        } else if ((p2.adjusted < p1.adjusted || p1.moved == 0) && p2.moved != 0) {
            taken = &p2, takenKind = 2;
        } else {
            taken = &p1, takenKind = 1;
        }
        walk = taken->cycle;
        move = taken->record;
        base = taken->adjusted;
        const int chosenTrue = taken->trueCost;
        moveKind = takenKind;
        if (accept) {
            cycle = walk;
            AcceptCycle(chosenTrue);
            ++improvements;
            lastTrue = chosenTrue;
        }
        if (which != kOpening && base < lastTrue && chosenTrue >= bestCost && chosenTrue != base) {
            cycle = walk;
            PayBack(base - lastTrue);
            base = lastTrue;
        }
    }
    cycle = walk;
    MemoryCheckAndRecord(0, move);
    if (stopRequest) {
        aborted = 1;
        return 0;
    }
    return improvements;
}

// ---------------------------------------------------------------------------------------------
// The driver for networks

int ReferencePolyn::RunNetwork(int mode, int quiet) {
    (void)quiet;
    const bool full = testLevel == 2;
    double factorA = 0.015, factorB = 0.25;
    int sweeps = 10, opening = 2 * n, firstLoop = 0, secondLoop = 0, markDrop = 0;
    if (full) {
        sweeps = 1;
        opening = 3 * n;
        if (kind == 3) {
            factorA = settings.mapParam1, factorB = settings.mapParam2;
            firstLoop = settings.mapFirstLoop, secondLoop = settings.mapSecondLoop;
            markDrop = 1000;
        } else {
            factorA = settings.param1, factorB = settings.param2;
            firstLoop = settings.firstLoop, secondLoop = settings.secondLoop;
            markDrop = std::max(amplitude / 5, 1);
        }
    }
    const int budgetA = Budget(factorA, n), budgetB = Budget(factorB, n);
    aborted = 0;
    keepTies = full ? 0 : 1;
    runMode = mode;
    stopRequest = 0;
    bool restarted = false;
    auto negated = [](int v) { return v == INT_MIN ? v : -v; };
    if (maximum) {
        NegateWeights();
        targetCost = negated(targetCost);
        refCost = negated(refCost);
    }
    initial = cycle;
    if (mode == -1) startCost = CycleCost();

restart:
    pass = 0;
    if (keepTies) nTies = 1;
    Clear(mark);
    Clear(mark2);
passPoint:
    moveKind = 0;
    PrepareTables();
    if (full) {
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) adjust[j][i] = mark[i][j];
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j)
                if (mark[j][i] != 0) adjust[i][j] -= markDrop;
    }
    if (pass == 0) Search(kOpening, opening);
    if (!full) pass = pass + 1;
    if (stopRequest) {
        aborted = 1;
        goto finish;
    }
    if (StopTest()) goto finish;
    if (keepTies) {
        nTies = 1;
        ties[1] = best;
    }
    cycle = best;
    {
        int result = 0;
        for (int r = 1; r <= sweeps; ++r) {
            if (keepTies) {
                if (r <= nTies) best = ties[r];
                cycle = best;
            }
            AdjustWeights(r == 1 ? 1 : 0);
            cycle = best;
            result = Search(kSearchA, budgetA);
            if (stopRequest) {
                aborted = 1;
                goto finish;
            }
            if (StopTest()) goto finish;
            if (result != 0) break;
            result = Search(kSearchB, budgetB);
            if (result != 0) break;
        }
        cycle = best;
        if (!full) {
            if (result != 0) goto passPoint;
            goto finish;
        }
    }
    pass = pass + 1;
    GainCensus();
    MarkEdges();
    if (!restarted && pass == firstLoop) {
        cycle = best;
        restarted = true;
        goto restart;
    }
    if (pass >= secondLoop) goto finish;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) mark[i][j] = adjust[j][i];
    goto passPoint;

finish:
    cycle = best;
    bestCost = startCost = CycleCost();
    if (maximum) {
        NegateWeights();
        startCost = -startCost;
        bestCost = -bestCost;
        targetCost = negated(targetCost);
        refCost = negated(refCost);
    }
    return aborted;
}

// ---------------------------------------------------------------------------------------------
// The method for graphs

int ReferencePolyn::GraphRelocate() {
    moveKind = 0;
    const Record last = move;
    int bestGain = INT_MIN;
    bool found = false;
    int bk = 0, bi = 0, bj = 0, ba = 0, bb = 0;
    for (int k = 1; k <= n; ++k) {
        const int ins = FindInsertionInCycle(k);
        const int i = insI, j = insJ;
        const int rem = RemovalDelta(k);
        const int a = gapLo, b = gapHi;
        if (last[0] != 0 && !Contains(last, k)) continue;
        const int g = ins - rem;
        if (!(g > bestGain)) continue;
        const Record candidate = FiveNodes(i, k, j, a, b);
        if (AllIn(candidate, last) || MemoryContains(candidate)) continue;
        bestGain = g;
        found = true;
        bk = k, bi = i, bj = j, ba = a, bb = b;
    }
    if (!found) return 0;
    cycle = MovedNode(cycle, bk, bi, bj);
    move[0] = bi, move[1] = bk, move[2] = bj, move[3] = ba, move[4] = bb;
    return 1;
}

int ReferencePolyn::GraphReverse() {
    moveKind = 0;
    const Record last = move;
    int bestValue = INT_MIN;
    bool found = false;
    Record chosen{};
    std::vector<int> result;
    for (int scan = 0; scan < 2; ++scan) {
        const std::vector<int> c = scan == 0 ? cycle : Reversed(cycle);
        for (int p = 1; p <= n; ++p) {
            const int x = c[p], a = Pred(c, p);
            if (last[0] != 0 && !Contains(last, x) && !Contains(last, a)) continue;
            for (int q = 1; q <= n; ++q) {
                const int u = c[q], v = Succ(c, q);
                if (u == x || u == a || v == a) continue;
                const int value = T(u, v, x) - T(a, u, x);
                if (!(value > bestValue)) continue;
                const Record candidate = FiveNodes(v, u, x, a, u);
                if (AllIn(candidate, last) || MemoryContains(candidate)) continue;
                bestValue = value;
                found = true;
                chosen = candidate;
                result = ReversedTail(c, x, v);
            }
        }
    }
    if (!found) return 0;
    cycle = result;
    for (int w = 0; w < 5; ++w) move[w] = chosen[w];
    return 1;
}

void ReferencePolyn::GraphWalk(int budget) {
    std::vector<int> walk = cycle;
    if (budget == 0) return;
    int count = budget;
    for (;;) {
        cycle = walk;
        MemoryCheckAndRecord(0, move);
        const Record r0 = move;
        const int g1 = GraphRelocate();
        if (bestCost == 0) return;
        const int t1 = CycleCost();
        const std::vector<int> c1 = cycle;
        cycle = walk;
        const Record r1 = move;
        move = r0;
        const int g2 = GraphReverse();
        if (g1 == 0 && g2 == 0) return;
        const int t2 = CycleCost();
        const std::vector<int> c2 = cycle;
        if ((t2 < t1 || g1 == 0) && g2 != 0) {
            walk = c2;
        } else {
            walk = c1;
            move = r1;
        }
        count = count - 1;
        if (count == 0) {
            if (readings.graphWalkOffersWalk) cycle = walk;
            MemoryCheckAndRecord(0, move);
        }
        if (bestCost == 0 || count == 0) return;
    }
}

void ReferencePolyn::GraphSearch(int budget, int reset) {
    if (bestCost == 0) return;
    int before = 0;
    do {
        cycle = best;
        if (reset != 0) {
            move.fill(0);
            MemoryCheckAndRecord(1, move);
        }
        before = bestCost;
        GraphWalk(budget);
        if (bestCost == 0) return;
        if (stopRequest) {
            aborted = 1;
            return;
        }
    } while (before > bestCost);
    GraphWalk(budget);
    if (bestCost != 0 && stopRequest) aborted = 1;
}

int ReferencePolyn::RunGraph() {
    stopRequest = 0;
    aborted = 0;
    runMode = 1;
    keepTies = 0;
    const Matrix saved = weight;
    auto edge = [&](int a, int b) { return Up(weight, a, b) == 0; };
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            if (weight[i][j] != 0) continue;
            for (int k = i + 1; k <= n; ++k)
                for (int l = k + 1; l <= n; ++l) {
                    if (weight[k][l] != 0) continue;
                    if (!edge(i, k) && !edge(i, l) && !edge(j, k) && !edge(j, l)) {
                        Up(weight, i, k) = 3, Up(weight, i, l) = 3, Up(weight, j, k) = 3,
                                      Up(weight, j, l) = 3;
                        ++counts.graphRaised;
                    }
                }
        }
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j) {
            if (weight[i][j] != 0) continue;
            for (int k = i + 1; k <= n; ++k)
                for (int l = k + 1; l <= n; ++l) {
                    if (weight[k][l] != 0) continue;
                    if (!edge(i, k) && !edge(i, l) && (edge(j, k) || edge(j, l))) {
                        for (auto [a, b] :
                             {std::pair{i, k}, std::pair{i, l}, std::pair{j, k}, std::pair{j, l}})
                            if (Up(weight, a, b) == 3) Up(weight, a, b) = 1;
                    }
                }
        }
    PrepareTables();
    const int budget = (n * n) / 2;
    GraphSearch(budget, 1);
    if (stopRequest) aborted = 1;
    if (bestCost != 0) {
        cycle = best;
        GraphSearch(budget, 1);
    }
    cycle = best;
    weight = saved;
    bestCost = startCost = CycleCost();
    return aborted;
}

// ---------------------------------------------------------------------------------------------
// Edges list

int ReferencePolyn::EdgesList() {
    aborted = 0;
    runMode = 1;
    stopRequest = 0;
    if (maximum) NegateWeights();
    PrepareTables();
    best = cycle;
    auto at = [&](int position) { return cycle[(position - 1) % n + 1]; };
    for (int k = 1; k <= n; ++k) {
        const int x = at(k);
        const int e1a = std::min(at(k + 1), at(k + 2)), e1b = std::max(at(k + 1), at(k + 2));
        const int e2a = std::min(at(k + 2), at(k + 3)), e2b = std::max(at(k + 2), at(k + 3));
        const int a = T(e1a, e1b, x), b = T(e2a, e2b, x);
        if (a < b) LowerEdge(e1a, e1b, a - b, 0);
    }
    cycle = best;
    startCost = bestCost;
    if (maximum) {
        NegateWeights();
        startCost = -startCost;
    }
    return aborted;
}

}  // namespace reference
