// Small helpers of the move generators: the five-node sets that identify moves.
#pragma once

// 1 when node is one of the five nodes of set.
inline bool InFive(const int* set, int node) {
    return node == set[0] || node == set[1] || node == set[2] || node == set[3] || node == set[4];
}

// 1 when every node of the candidate lies in set (the candidate would repeat the last move).
inline bool AllInFive(const int* candidate, const int* set) {
    for (int w = 0; w < 5; ++w)
        if (!InFive(set, candidate[w])) return false;
    return true;
}
