// Random networks and random graphs of bounded degree.
#include "document/RandomInstances.h"

#include <vector>

#include "solver/CrtRandom.h"
#include "solver/CycleSolver.h"

namespace {

constexpr int kGraphCandidates = 1025;  // the visiting order holds at most this many entries

// Present edges at node v: upper-triangle entries in v's row or column that hold 0.
int DegreeOf(const CCycleSolver& s, int v) {
    int degree = 0;
    for (int a = 1; a < v; ++a) degree += s.m_ppWeight[a][v] == 0;
    for (int b = v + 1; b <= s.m_nNodes; ++b) degree += s.m_ppWeight[v][b] == 0;
    return degree;
}

}  // namespace

void RandomNetwork(CCycleSolver& s) {
    CrtSrandFromClock();
    const int n = s.m_nNodes;
    if (!s.m_ppWeight) return;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) s.m_ppWeight[i][j] = 0;
    s.MakeInitialCycle(1, 0);
    const int a = s.m_nAmplitude;
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            int w;
            if (a > 0) {
                w = CrtRand() % (2 * a + 1) - a;
                if (a > 20000) w = 2 * (CrtRand() % a) - a + 1;
            } else {
                w = CrtRand() % 2;
            }
            s.m_ppWeight[i][j] = w;
        }
    }
}

void RandomGraph(CCycleSolver& s) {
    CrtSrandFromClock();
    const int n = s.m_nNodes;
    const int d = s.m_nAmplitude;
    if (!s.m_ppWeight) return;
    if (d == 0) {
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) s.m_ppWeight[i][j] = CrtRand() % 2;
        return;
    }
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) s.m_ppWeight[i][j] = j > i ? 1 : 0;
    if (n < 2 || n >= kGraphCandidates) return;

    std::vector<int> candidates(n + 1), order(n + 1), rotated(n + 1);
    for (int i = 1; i <= n; ++i) {
        // A visiting order: node 1, then a random permutation of 2..n by repeated selection.
        int left = 0;
        for (int v = 2; v <= n; ++v) candidates[left++] = v;
        order[1] = 1;
        for (int p = 2; p <= n; ++p) {
            const int pick = CrtRand() % left;
            order[p] = candidates[pick];
            for (int k = pick; k + 1 < left; ++k) candidates[k] = candidates[k + 1];
            --left;
        }
        // Rotated to start at a random position.
        const int start = CrtRand() % (n - 1) + 1;
        for (int k = 0; k < n; ++k) rotated[k + 1] = order[(start - 1 + k) % n + 1];

        const int target = d - DegreeOf(s, i);
        int added = 0;
        for (int k = 1; k <= n; ++k) {
            if (added == target) break;
            const int w = rotated[k];
            if (w <= i || s.m_ppWeight[i][w] != 1) continue;
            if (DegreeOf(s, w) < d) {
                s.m_ppWeight[i][w] = 0;
                ++added;
            }
        }
    }
}

void Gener2(CCycleSolver& s, int degree) {
    const CPlatform& p = Platform();
    CrtSrand(p.seedOverride ? *p.seedOverride : NowMs() / 1000);
    const int n = s.m_nNodes;
    if (n < 2 || !s.m_ppWeight) return;
    std::vector<int> deg(n + 1, 0);
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const int r = CrtRand();
            if ((r & 1) != 0 || deg[i] >= degree || deg[j] >= degree) {
                s.m_ppWeight[i][j] = 1;
            } else {
                s.m_ppWeight[i][j] = 0;
                ++deg[i];
                ++deg[j];
            }
        }
    }
}
