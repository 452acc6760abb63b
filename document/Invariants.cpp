// The document's invariants, checked after its steps in Debug builds.
#include "document/Invariants.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "document/MainDoc.h"

std::string DocumentInvariantFault(const CMainDoc& doc) {
    const CResults& r = doc.m_results;
    if (!r.InRange()) return "results state " + std::to_string(r.Bits()) + " out of range";
    if (!CResults::IsStoredValue(r.Stored())) return "stored results " + std::to_string(r.Stored());
    const CCycleSolver& s = doc.m_solver;
    if (s.m_bBusy != 0 || !s.m_bAllocated || s.m_nNodes < 3) return "";
    std::string fault = CycleFault(s.m_aInitial, s.m_nNodes);
    if (!fault.empty()) return "initial cycle: " + fault;
    if (r.Stored() != 0) {
        std::vector<int> best(s.m_aBest, s.m_aBest + s.m_nNodes + 2);
        best[static_cast<std::size_t>(s.m_nNodes) + 1] = best[1];
        fault = CycleFault(best.data(), s.m_nNodes);
        if (!fault.empty()) return "result cycle: " + fault;
    }
    return SolverInvariantFault(s, INV_ENTRY);
}

#ifndef NDEBUG
void CheckDocumentInvariants(const CMainDoc& doc, const char* step) {
    const std::string fault = DocumentInvariantFault(doc);
    if (fault.empty()) return;
    std::fprintf(stderr, "invariant broken after the %s: %s\n", step, fault.c_str());
    std::abort();
}
#endif
