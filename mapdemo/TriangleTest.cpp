// The triangle-inequality test of a map network.
//
// The built-in distances are road distances, which need not obey the triangle inequality; this lists
// where they do not. Sides equal to the sum of the other two are no violation. The sums are taken in
// 64 bits, so no weight can make them wrap.
#include "mapdemo/TriangleTest.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "solver/CycleSolver.h"

namespace {

bool Violates(int64_t x, int64_t y, int64_t z) {
    const int64_t m = std::max({x, y, z});
    return (m == x && x > y + z) || (m == y && y > x + z) || (m == z && z > x + y);
}

const char* NameOrEmpty(const char* name) {
    return name ? name : "";
}

}  // namespace

CTriangleTestResult TestTriangleInequality(const CCycleSolver& solver) {
    CTriangleTestResult result;
    // During a maximum run the weights are held negated.
    const int64_t s = solver.m_bMaximum == 1 && solver.m_bBusy == 1 ? -1 : 1;
    const int n = std::min(solver.m_nNodes, static_cast<int>(solver.m_ppWeight.Dim()) - 1);
    const auto& w = solver.m_ppWeight;
    for (int a = 1; a <= n - 2; ++a) {
        for (int b = a + 1; b <= n; ++b) {
            for (int d = b + 1; d <= n; ++d) {
                const int64_t x = s * w[a][b], y = s * w[a][d], z = s * w[b][d];
                if (!Violates(x, y, z)) continue;
                char count[16];
                std::snprintf(count, sizeof count, "%4d:", ++result.nViolations);
                std::string line = count;
                line += NameOrEmpty(solver.CapitalName(a));
                line += '-';
                line += NameOrEmpty(solver.CapitalName(b));
                line += '-';
                line += NameOrEmpty(solver.CapitalName(d));
                result.lines.push_back(std::move(line));
            }
        }
    }
    if (result.nViolations == 0) result.lines.emplace_back(NO_VIOLATION_TEXT);
    return result;
}
