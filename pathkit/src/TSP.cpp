// TSP: the tour list and its local-search operations.
#include "pathkit/TSP.h"

#include <algorithm>
#include <climits>
#include <list>

TSP::TSP() = default;

TSP::~TSP() = default;

TSP::iterator TSP::Find(int node) {
    for (auto it = tourList.begin(); it != tourList.end(); ++it)
        if (*it == node) return it;
    return tourList.end();
}

TSP::iterator TSP::Next(iterator it) {
    ++it;
    return it == tourList.end() ? tourList.begin() : it;
}

TSP::iterator TSP::Prev(iterator it) {
    if (it == tourList.begin()) it = tourList.end();
    return --it;
}

int TSP::Distance(iterator from, iterator to) {
    // Bounded by the list's length, so a position outside the list cannot loop for ever.
    const std::size_t size = tourList.size();
    for (std::size_t count = 0; count < size; ++count) {
        if (from == to) return static_cast<int>(count);
        from = Next(from);
    }
    return -1;
}

void TSP::Swap(iterator& first, iterator& last) {
    if (tourList.empty()) return;
    std::list<int> reversed;
    auto it = first;
    for (std::size_t count = 0; count < tourList.size(); ++count) {
        reversed.push_front(*it);
        if (it == last) break;
        it = Next(it);
    }
    it = first;
    for (int value : reversed) {
        *it = value;
        it = Next(it);
    }
}

int TSP::CalcCost() {
    if (tourList.size() < 2 || !matrix) return 0;
    // Summed in 64 bits: weights near the 32-bit limit would overflow an int sum after two steps.
    long long cost = 0;
    for (auto it = tourList.begin(); it != tourList.end(); ++it) {
        const int a = *it;
        const int b = *Next(it);
        if (a != b && a >= 1 && a <= dim && b >= 1 && b <= dim) cost += GetCost(a, b);
    }
    return static_cast<int>(std::clamp<long long>(cost, INT_MIN, INT_MAX));
}
