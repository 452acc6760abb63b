// CMainDoc: the text report of a test: banner, weight matrix, parameters, initial cycle, result
// and statistics, with CR LF line ends. The same text is written beside a saved document and
// sent to the printer; on the printer a matrix wider than 15 columns is printed in vertical
// bands, one page per band (up to four bands).
#include <cstdio>
#include <fstream>

#include "document/MainDoc.h"
#include "document/ResearchText.h"
#include "document/SafeSave.h"

namespace {

constexpr const char* kBanner = "QUIRA-1, ver.1.0, research tool for the TSP and Hamiltonian cycles";
constexpr std::size_t kBandChars = 81;  // CR LF, the row label and 15 numbers of width 4

const char* KindSuffix(int kind) {
    switch (kind) {
        case KIND_GRAPH:
            return " (Graph Test)";
        case KIND_MAP:
            return " (USA Map)";
        case KIND_CHECK:
            return " (Check the Given Cycle)";
        default:
            return " (QUIRA Test)";
    }
}

}  // namespace

void CMainDoc::WriteReportLine(std::string& out, std::string_view line, int printing, int band) {
    if (printing && band != 0) {
        if (band == 1) {
            if (line.size() > kBandChars) line = line.substr(0, kBandChars);
        } else if (line.size() <= kBandChars) {
            line = "\r\n";  // printed whole in the first band
        } else {
            const std::size_t from = static_cast<std::size_t>(80 * band - 79);
            if (line.size() <= from) {
                line = "\r\n";
            } else {
                // Each later band holds the next 15 columns, as wide as the first band.
                out += "\r\n";
                std::string_view rest = line.substr(from);
                if (rest.size() > kBandChars - 2) rest = rest.substr(0, kBandChars - 2);
                out += rest;
                return;
            }
        }
    }
    out += line;
}

std::string CMainDoc::ReportText(int printing) {
    CCycleSolver& s = m_solver;
    const int n = s.m_nNodes;
    const int w = m_nDocKind == KIND_GRAPH ? 3 : 4;
    int band = printing && n > 15 ? 1 : 0;
    std::string out = "\r\n";
    out += kBanner;
    out += KindSuffix(m_nDocKind);
    for (;;) {
        WriteReportLine(out, "\r\n" + MatrixHeaderLine(n, w), printing, band);
        for (int i = 1; i <= n; ++i) WriteReportLine(out, "\r\n" + MatrixRowLine(s, i, w), printing, band);
        out += "\r\n";
        if (band < 2) {
            out += "\r\nNodes: " + std::to_string(n);
            if (m_nDocKind == KIND_MAP)
                out += "\r\n";
            else if (m_nDocKind == KIND_GRAPH)
                out += "\r\nMax.Degree: " + m_strAmplitude;
            else
                out += "\r\nAmplitude: " + m_strAmplitude;
        } else {
            out += "\r\n\r\n";
        }
        WriteReportLine(out, std::string("\r\nInitial Cycle  : ") + CycleText(s.m_aInitial), printing, band);

        const int results = m_results.StatisticsValue();
        if (m_results.Stored() != 0) {
            if (band < 2)
                out += m_results.Stored() == 3   ? "\r\nBy Both Methods:"
                       : m_results.Stored() == 2 ? "\r\nBy Exp. Method:"
                                                 : "\r\nBy Polyn. Method:";
            else
                out += "\r\n";
            std::string result;
            if (m_nDocKind == KIND_GRAPH && s.m_nBestCost != 0) {
                result = "\r\nCycle does not exist";
            } else if (m_nDocKind != KIND_CHECK) {
                result = std::string("\r\n") + (s.m_bMaximum ? "Maximum" : "Minimum") +
                         " Cycle  : " + CycleText(s.m_aBest);
            } else {
                const bool maximum = s.m_bMaximum != 0;
                const int verdict =
                    JudgeGivenCycle(s.CycleCostOf(s.m_aInitial), s.CycleCostOf(s.m_aBest), maximum);
                result = std::string("\r\n") + GivenCycleVerdictText(verdict, maximum);
            }
            WriteReportLine(out, result, printing, band);
            if (band < 2) {
                out += "\r\n\r\n";
                if (results != 2 && m_nDocKind != KIND_CHECK) out += BuildStatistics(0);
            }
        } else if (results != 0 && band < 2 && m_nDocKind != KIND_CHECK) {
            // A series that ended on a problem without results still has its statistics.
            out += "\r\n\r\n" + std::string(BuildStatistics(0));
        }

        if (!printing) break;
        if (band == 1) {
            out += "\f\r\n";
            band = 2;
        } else if (band == 2 && n > 30) {
            out += "\f\r\n";
            band = 3;
        } else if (band == 3 && n > 45) {
            out += "\f\r\n";
            band = 4;
        } else {
            out += "\f";
            break;
        }
    }
    return out;
}

int CMainDoc::WriteReport(const std::string& fileName) {
    const std::string text = ReportText(fileName == "PRN" ? 1 : 0);
    m_strSaveError = WriteFileSafely(fileName, text);
    return m_strSaveError.empty() ? 1 : 0;
}
