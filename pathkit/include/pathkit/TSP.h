// TSP: an instance together with a tour held as a doubly linked list of node numbers, with the
// operations that local-search tour improvement needs: cyclic stepping, finding a node, the cyclic
// distance between two positions, reversal of a segment (the 2-opt move) and the tour cost.
//
// The list is cyclic in use: stepping past the last element continues at the first. The caller fills
// tourList with node numbers 1..dim, each at most once.
#pragma once

#include <list>

#include "pathkit/TSPData.h"
#include "pathkit/pathkit_export.h"

class PATHKIT_EXPORT TSP : public TSPData {
public:
    using iterator = std::list<int>::iterator;

    TSP();
    ~TSP() override;

    // The first element, from the front, that holds node; end() of tourList when there is none.
    iterator Find(int node);
    // The element after it; after the last element, the first. it must be an element of the list.
    iterator Next(iterator it);
    // The element before it; before the first element, the last.
    iterator Prev(iterator it);
    // The number of Next steps from `from` to `to` (0 when equal); -1 when `to` is not reached.
    int Distance(iterator from, iterator to);
    // Reverses the cyclic segment from first to last inclusive (it may wrap past the end). The
    // elements stay in place and only their values move, so first and last keep their positions.
    void Swap(iterator& first, iterator& last);
    // The length of the closed tour: the matrix entries of every pair of cyclic neighbours. A list of
    // fewer than two elements costs 0, as does a step between equal or out-of-range node numbers; a
    // length beyond the 32-bit range is saturated.
    int CalcCost();

    std::list<int> tourList;
};
