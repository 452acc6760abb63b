// Reader of the map outline text and the point-in-state test.
#include "mapdemo/MapOutline.h"

#include <charconv>
#include <cstddef>

namespace {

// Splits off the next blank-separated word of rest.
std::string_view NextWord(std::string_view& rest) {
    std::size_t start = rest.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    std::size_t end = rest.find_first_of(" \t\r");
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    return word;
}

bool ToInt(std::string_view word, int& value) {
    if (word.empty()) return false;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size();
}

// "n x1 y1 ... xn yn": exactly n points, n >= minPoints, nothing after them.
bool ReadLine(std::string_view rest, std::size_t minPoints, CMapLine& line) {
    int n = 0;
    if (!ToInt(NextWord(rest), n) || n < 0 || static_cast<std::size_t>(n) < minPoints) return false;
    // Every point takes at least four characters ("x y "), so a count beyond that is a fault.
    if (static_cast<std::size_t>(n) > rest.size() / 4 + 1) return false;
    line.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        CMapPoint p{};
        if (!ToInt(NextWord(rest), p.x) || !ToInt(NextWord(rest), p.y)) return false;
        line.push_back(p);
    }
    return NextWord(rest).empty();
}

}  // namespace

int CMapOutline::Parse(std::string_view text) {
    *this = CMapOutline();
    int lineNo = 0;
    auto fail = [&](const char* why) {
        std::string error = "line " + std::to_string(lineNo) + ": " + why;
        *this = CMapOutline();
        m_strError = std::move(error);
        return 0;
    };
    bool header = false;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view rest = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        ++lineNo;
        std::string_view word = NextWord(rest);
        if (word.empty() || word[0] == '#') continue;
        if (!header) {
            if (word != "OUTLINE" || !ToInt(NextWord(rest), m_nWidth) || !ToInt(NextWord(rest), m_nHeight) ||
                !ToInt(NextWord(rest), m_nUnits) || m_nWidth <= 0 || m_nHeight <= 0 || m_nUnits <= 0 ||
                !NextWord(rest).empty())
                return fail("OUTLINE width height units expected");
            header = true;
        } else if (word == "STATE") {
            CMapState state;
            if (!ToInt(NextWord(rest), state.nCapital) || state.nCapital < 1)
                return fail("STATE index name expected");
            const std::size_t start = rest.find_first_not_of(' ');
            if (start == std::string_view::npos) return fail("STATE without a name");
            state.strName = std::string(rest.substr(start));
            while (!state.strName.empty() && state.strName.back() == '\r') state.strName.pop_back();
            m_aStates.push_back(std::move(state));
        } else if (word == "RING") {
            if (m_aStates.empty()) return fail("RING before the first STATE");
            CMapLine ring;
            if (!ReadLine(rest, 3, ring)) return fail("RING n and n points expected");
            m_aStates.back().aRings.push_back(std::move(ring));
        } else if (word == "BORDER" || word == "COAST") {
            CMapLine line;
            if (!ReadLine(rest, 2, line)) return fail("n and n points expected");
            (word == "BORDER" ? m_aBorders : m_aCoasts).push_back(std::move(line));
        } else {
            return fail("unknown line");
        }
    }
    if (!header) return fail("no OUTLINE line");
    return 1;
}

const CMapState* CMapOutline::StateOf(int capital) const {
    for (const CMapState& state : m_aStates)
        if (state.nCapital == capital) return &state;
    return nullptr;
}

int CMapOutline::StateContains(int capital, double x, double y) const {
    const CMapState* state = StateOf(capital);
    if (!state) return 0;
    const double px = x * m_nUnits, py = y * m_nUnits;
    bool inside = false;
    for (const CMapLine& ring : state->aRings) {
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const double xi = ring[i].x, yi = ring[i].y, xj = ring[j].x, yj = ring[j].y;
            if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
        }
    }
    return inside ? 1 : 0;
}
