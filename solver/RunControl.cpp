// Run control: the progress/abort poll that long methods call at their checkpoints, the result
// notification, and the one formatter of every duration the program shows.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "solver/CycleSolver.h"

namespace {
int g_nPollDepth = 0;  // polls servicing an event right now (the user-interface thread only)
}  // namespace

int CCycleSolver::PollProgress(int exactMethod) {
    const uint32_t now = NowMs();
    const uint32_t secs = (now - m_dwRunStart) / 1000;
    if (m_dwRunStart != 0 && secs != m_nLastSecond) {
        m_nLastSecond = secs;
        const IOwnerView* owner = m_pOwnerView;
        int requested = 1;
        if (m_bQuiet == 0 && owner) requested = std::atoi(owner->RandStartsText().c_str());

        char text[160];
        char total[64];
        const bool series = owner && (m_bContinuous != 0 || requested >= 2) && exactMethod == 0;
        if (series || (owner && m_bContinuous != 0)) {
            const uint32_t from = m_bContinuous != 0 ? owner->CampaignStartMs() : owner->SeriesStartMs();
            FormatDuration(total, sizeof total, static_cast<double>((now - from) / 1000));
            std::snprintf(text, sizeof text, "%d sec (%d tests, %s)", static_cast<int>(secs), owner->TestsSoFar(),
                          total);
        } else if (m_szStatus[0] != '\0') {
            std::snprintf(text, sizeof text, "%d sec (%s)", static_cast<int>(secs), m_szStatus);
        } else {
            std::snprintf(text, sizeof text, "%d sec", static_cast<int>(secs));
        }
        if (m_pTimeCtrl) m_pTimeCtrl->SetText(text);
    }
    struct CPolling {
        CPolling() { ++g_nPollDepth; }
        ~CPolling() { --g_nPollDepth; }
    } polling;
    return Platform().pEvents->ServiceOne() ? 1 : 0;
}

bool RunIsPolling() {
    return g_nPollDepth > 0;
}

void CCycleSolver::ShowCycleCost() {
    if (m_bQuiet != 0) return;
    const int cost = m_bMaximum == 1 ? Negated(m_nBestCost) : m_nBestCost;
    if (m_pCostCtrl) {
        char text[32];
        std::snprintf(text, sizeof text, "(%d)", cost);
        m_pCostCtrl->SetText(text);
    }
    if (!m_pOwnerView) return;
    EDrawingPane pane = EDrawingPane::MapPane;
    if (m_nRunMode < 0)
        pane = EDrawingPane::CheckView;
    else if (m_nRunMode > 0)
        pane = m_bGraphView != 0 ? EDrawingPane::GraphView : EDrawingPane::NetworkView;
    m_pOwnerView->RedrawNow(pane);
}

int FormatDuration(char* text, std::size_t size, double x) {
    if (std::isnan(x)) {
        std::snprintf(text, size, "%.3f sec", x);
        return 0;
    }
    const double m = x * (1.0 / 60);
    const double h = m * (1.0 / 60);
    const double d = h * (1.0 / 24);
    const double mo = d * (1.0 / 30);
    const double y = x * 3.168876464081849e-8;  // one tropical year is 31 556 925.9747 s
    if (x < 1) return std::snprintf(text, size, "%.3f sec", x), 0;
    if (x < 10) return std::snprintf(text, size, "%.2f sec", x), 0;
    if (m < 1) return std::snprintf(text, size, "%.1f sec", x), 0;
    if (h < 1) return std::snprintf(text, size, "%.2f min", m), 2;
    if (d < 1) return std::snprintf(text, size, "%.2f hours", h), 3;
    if (mo < 1) return std::snprintf(text, size, "%.1f days", d), 4;
    if (y < 1) return std::snprintf(text, size, "%.1f months", mo), 5;
    if (y >= 100000) return std::snprintf(text, size, "%.4E years", y), 6;
    return std::snprintf(text, size, "%.1f years", y), 6;
}

int FormatDuration(std::string& text, double seconds) {
    char buffer[64];
    const int unit = FormatDuration(buffer, sizeof buffer, seconds);
    text = buffer;
    return unit;
}
