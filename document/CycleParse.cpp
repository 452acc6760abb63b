// CMainDoc::ParseGivenCycle: a cycle typed by the user ("1-5-3-2-4-1", or a pasted cycle text
// with its length in front) becomes the current and initial cycle once it names every node
// exactly once. Texts of any length are read; nothing is copied into a fixed buffer.
#include "document/CycleParse.h"

#include <vector>

#include "document/MainDoc.h"
#include "document/Messages.h"

namespace {

// Blanks skipped, then the leading digits; 0 when there are none. Large values saturate, which
// keeps them out of range for any node count.
long long NodeNumber(std::string_view token) {
    std::size_t k = 0;
    while (k < token.size() && (token[k] == ' ' || token[k] == '\t')) ++k;
    long long value = 0;
    for (; k < token.size() && token[k] >= '0' && token[k] <= '9'; ++k) {
        value = value * 10 + (token[k] - '0');
        if (value > 1000000000LL) value = 1000000000LL;
    }
    return value;
}

int Fail(int code, int message) {
    InfoBox(message);
    return code;
}

}  // namespace

int CMainDoc::ParseGivenCycle(std::string_view text) {
    return ParseGivenCycleInto(m_solver, text);
}

int ParseGivenCycleInto(CCycleSolver& s, std::string_view input) {
    const int n = s.m_nNodes;
    std::string text(input);
    if (text.empty() || text.back() != '1') text += "-1";

    const std::size_t first = text.find("1-");
    if (first == std::string::npos) return Fail(1, IDS_INVALID_CYCLE_STRING);

    std::vector<int> list;
    list.reserve(n);
    std::vector<char> seen(static_cast<std::size_t>(n) + 1, 0);
    auto endToken = [&](const std::string& token) {
        const long long node = NodeNumber(token);
        if (node < 1 || node > n) return Fail(2, IDS_INVALID_NODE_VALUE);
        if (seen[node]) return Fail(3, IDS_NODE_TWICE);
        seen[node] = 1;
        list.push_back(static_cast<int>(node));
        return 0;
    };

    std::string token = "1";
    const std::size_t last = text.size() - 1;
    for (std::size_t i = first + 1; i <= last; ++i) {
        const char c = text[i];
        if (c == '-') {
            if (const int code = endToken(token)) return code;
            // The character after the dash starts the next token unexamined.
            token.clear();
            if (i + 1 <= last) token.push_back(text[++i]);
        } else if (i == last && NodeNumber(token) != 1) {
            // A number glued to the closing 1 ("1-2-31") ends there.
            if (const int code = endToken(token)) return code;
            token.clear();
        } else {
            token.push_back(c);
        }
    }

    if (static_cast<int>(list.size()) != n) return Fail(4, IDS_NODE_COUNT_INVALID);
    for (int k = 1; k <= n; ++k) s.m_aCycle[k] = list[k - 1];
    s.m_aCycle[0] = 0;
    s.m_aCycle[n + 1] = s.m_aCycle[1];
    s.NormalizeCycle();
    for (int k = 1; k <= n; ++k) s.m_aInitial[k] = s.m_aCycle[k];
    s.m_aInitial[0] = 0;
    s.m_aInitial[n + 1] = s.m_aInitial[1];
    return 0;
}
