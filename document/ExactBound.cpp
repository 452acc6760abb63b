// The exact method's estimate shown as a bound.
#include "document/ExactBound.h"

#include "document/MainDoc.h"

std::string ExactBoundText(const std::string& shown, int nodes, bool markBelow) {
    const std::string text = shown.substr(0, 79);
    if (nodes >= EXACT_BOUND_NODES) return "> " + text;
    return markBelow ? "<= " + text : text;
}

void ShowExactBound(CMainDoc& doc, ITextTarget& timeField, bool markBelow) {
    doc.m_results.Clear();
    doc.ShowEstimate(doc.EstimateExactSeconds(), &timeField);
    timeField.SetText(ExactBoundText(timeField.GetText(), doc.m_solver.m_nNodes, markBelow));
}
