// CMainDoc::BuildStatistics: the statistics text of a series of tests (random starts, full and
// short tests, a continuous test, a series of random graphs), from the document's counters.
#include <algorithm>
#include <cstdio>

#include "document/MainDoc.h"

const char* CMainDoc::BuildStatistics(int show) {
    int tests = m_nTests;
    // The windows keep Rand.Starts at 1 or more; a text that reads lower counts as 1 here, so the
    // divisions below always have a divisor.
    const int starts = std::max(1, LeadingInt(m_strRandStarts));
    const char* noun = m_nDocKind == KIND_GRAPH ? "graph" : "network";
    // An ended series counts as polynomial results (CResults::StatisticsValue).
    const int results = m_results.StatisticsValue();
    if (results == 3 && starts != 1) {
        tests = starts;
        m_nTests = starts;
    }

    std::string text;
    char line[256];
    std::snprintf(line, sizeof line, "Number of random tests: %d\r\n", tests);
    text += line;
    const int q = tests / starts;
    const int r = tests % starts;
    if (r == 0)
        std::snprintf(line, sizeof line, "(%d %s(s) with %d random starts)\r\n", q, noun, starts);
    else
        std::snprintf(line, sizeof line,
                      "(%d %s(s) with %d random starts\n and 1 %s with %d random start(s))\r\n", q, noun,
                      starts, noun, r);
    text += line;

    if (m_nDocKind == KIND_NETWORK || m_nDocKind == KIND_MAP) {
        const int full = LeadingInt(m_strFullTests);
        if (full != 0 && full <= starts) {
            const int fullCount = full * q + std::min(r, full);
            std::snprintf(line, sizeof line, "Full tests: %d, shorten tests: %d\r\n", fullCount,
                          tests - fullCount);
            text += line;
        } else if (full == 0) {
            const int shortCount = tests != 0 && q == 0 ? 1 : q;
            std::snprintf(line, sizeof line, "Short tests: %d, shorten tests: %d\r\n", shortCount,
                          tests - shortCount);
            text += line;
        }
    }
    if (m_nDocKind == KIND_GRAPH && tests > 1) {
        std::snprintf(line, sizeof line, "Cycle  was  found  in  %d  graph(s).\r\n", m_nCyclesFound);
        text += line;
    }

    uint32_t total = m_dwPolynMs;
    if (results != 2) {
        std::snprintf(line, sizeof line, "Average time of polyn.method: %.3f sec\r\n",
                      tests != 0 ? m_dwPolynMs / (tests * 1000.0) : 0.0);  // an interrupted first test
        text += line;
    } else {
        total = m_dwSeriesTime;
    }
    std::string duration;
    FormatDuration(duration, total / 1000.0);
    text += "Total time of polyn.method: " + duration;
    if (m_nDiffSolutions != 0) {
        std::snprintf(line, sizeof line, "\r\nDifferent solutions were found %d times.", m_nDiffSolutions);
        text += line;
    }

    std::snprintf(m_szText, sizeof m_szText, "%s", text.c_str());
    if (show != 0) Platform().pDialogs->ShowMessage(EBoxKind::Information, m_szText);
    return m_szText;
}
