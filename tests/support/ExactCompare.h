// The exact methods on workers against the single loop on the same random problems.
#pragma once

#include <random>
#include <string>

#include "support/Networks.h"

// Runs count random problems of nMin..nMax nodes through the single loop and through two or three
// workers: networks with weights 1..3 (many ties) in minimum and maximum mode, and graphs of
// varied density. Returns "" when every cost, cycle and weight matrix agrees, else the first
// difference.
inline std::string CompareParallelWithSingleLoop(int count, int nMin, int nMax, unsigned seed) {
    std::mt19937 rng(seed);
    for (int t = 0; t < count; ++t) {
        const int n = nMin + t % (nMax - nMin + 1);
        const bool graph = t % 5 == 4;
        const bool maximum = !graph && t % 2 == 1;
        auto single = MakeSolver(n, graph ? KIND_GRAPH : KIND_NETWORK);
        auto parallel = MakeSolver(n, graph ? KIND_GRAPH : KIND_NETWORK);
        if (graph) {
            std::bernoulli_distribution edge(0.3 + 0.1 * (t % 4));
            for (int i = 1; i <= n; ++i)
                for (int j = i + 1; j <= n; ++j) single->m_ppWeight[i][j] = edge(rng) ? 0 : 1;
        } else {
            FillRandom(*single, rng, 3);
        }
        for (int i = 1; i <= n; ++i)
            for (int j = i + 1; j <= n; ++j) parallel->m_ppWeight[i][j] = single->m_ppWeight[i][j];
        single->m_bMaximum = parallel->m_bMaximum = maximum;
        const auto before = WeightSnapshot(*single);

        int expected = 0, got = 0;
        {
            const CExactThreadsScope one(1);
            expected = graph ? single->ExpMethodGraph(nullptr) : single->ExpMethodNet(0, nullptr);
        }
        {
            const CExactThreadsScope workers(2 + t % 2);
            got = graph ? parallel->ExpMethodGraph(nullptr) : parallel->ExpMethodNet(0, nullptr);
        }
        const std::string what = "problem " + std::to_string(t) + " (n=" + std::to_string(n) +
                                 (graph     ? ", graph"
                                  : maximum ? ", maximum"
                                            : "") +
                                 "): ";
        if (got != expected)
            return what + "result " + std::to_string(got) + ", single loop " + std::to_string(expected);
        if (CycleOf(*parallel, parallel->m_aBest) != CycleOf(*single, single->m_aBest) ||
            CycleOf(*parallel, parallel->m_aCycle) != CycleOf(*single, single->m_aCycle))
            return what + "another cycle than the single loop";
        if (!graph && parallel->m_nBestCost != single->m_nBestCost) return what + "another best cost";
        if (WeightSnapshot(*parallel) != before) return what + "the weights changed";
    }
    return "";
}
