// TSPData::CalcMatrix: the matrix of a coordinate instance from its distance function.
#include "Distance.h"
#include "pathkit/TSPData.h"

using namespace pathkit;

namespace {

// Fills the packed matrix row by row, which is the order of its entries.
template <class Pos, class Function>
void Fill(int* entry, const Pos* pos, int n, Function distance) {
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) *entry++ = ToEntry(distance(pos[i], pos[j]));
}

}  // namespace

void TSPData::CalcMatrix() {
    if (!distType || dim <= 0) return;
    // A 2-D instance uses the 2-D function, anything else the 3-D one; without that function or
    // those positions the entries stay as they are.
    if (Is2D()) {
        if (!distType->dist2D || !AllocMatrix()) return;
        Fill(matrix.get(), pos2D.get(), dim, distType->dist2D);
    } else {
        if (!distType->dist3D || !pos3D || !AllocMatrix()) return;
        Fill(matrix.get(), pos3D.get(), dim, distType->dist3D);
    }
}
