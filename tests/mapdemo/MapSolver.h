// Map networks for tests: a solver of kind 3 built from a selection of capitals by table index.
#pragma once

#include <initializer_list>
#include <memory>

#include "solver/CycleSolver.h"

// All 51 capitals when indices is empty; the network is sized and built in miles or kilometres.
inline std::unique_ptr<CCycleSolver> MakeMapSolver(std::initializer_list<int> indices = {}, int useKm = 0) {
    auto s = std::make_unique<CCycleSolver>();
    s->m_nKind = KIND_MAP;
    s->m_bMap = 1;
    if (indices.size() == 0) s->SelectAllCapitals();
    for (int k : indices) s->m_bCapitalSelected[k] = 1;
    s->RenumberCapitals();
    if (!s->SetNodeCount(s->CountCapitals())) return nullptr;
    s->BuildMapNetwork(useKm);
    s->MakeInitialCycle(1, 0);
    return s;
}
