// CMainDoc: the times shown in the windows' Time fields, all written by FormatDuration.
#include <cstdio>

#include "document/MainDoc.h"

namespace {

constexpr std::size_t kFieldChars = 79;  // what is read back from a field

std::string ReadBack(const ITextTarget* control) {
    if (!control) return {};
    std::string text = control->GetText();
    if (text.size() > kFieldChars) text.resize(kFieldChars);
    return text;
}

std::string Duration(double seconds) {
    std::string text;
    FormatDuration(text, seconds);
    return text;
}

std::string TestsSuffix(int tests) {
    char text[40];
    std::snprintf(text, sizeof text, ", %d test(s)", tests);
    return text;
}

}  // namespace

int CMainDoc::ShowEstimate(double seconds, ITextTarget* control) {
    std::string text;
    const int unit = FormatDuration(text, seconds);
    if (m_solver.m_bContinuous == 0 && control) control->SetText(text);
    return unit;
}

void CMainDoc::ShowSavedTime(ITextTarget* control) {
    std::string text = Duration(m_dwPolynMs / 1000.0);
    if (m_nTests != 0) text += TestsSuffix(m_nTests);
    if (control) control->SetText(text);
}

uint32_t CMainDoc::ShowElapsed(uint32_t first, ITextTarget* control, uint32_t secondMs) {
    const uint32_t elapsed = NowMs() - first;
    const uint32_t shown = secondMs == 0 ? elapsed : first;
    ShowEstimate(shown / 1000.0, control);
    if (m_solver.m_bContinuous != 0) return elapsed;
    std::string text = ReadBack(control);
    if (secondMs != 0 && m_results.Stored() == 3) text += " (" + Duration(secondMs / 1000.0) + ")";
    text += "*";
    text += m_results.Stored() == 2 ? std::string(", 1 test(s)") : TestsSuffix(m_nTests);
    if (control) control->SetText(text);
    return elapsed;
}

void CMainDoc::ShowCampaignTotal(uint32_t start, ITextTarget* control) {
    m_dwSeriesTime = NowMs() - start;
    ShowEstimate(m_dwSeriesTime / 1000.0, control);
    std::string text = ReadBack(control);
    if (LeadingInt(m_strRandStarts) == 1) text += " (" + Duration(m_dwPolynMs / 1000.0) + ")";
    text += TestsSuffix(m_nTests);
    if (control) control->SetText(text);
}
