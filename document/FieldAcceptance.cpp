// The forms' input fields in the core: Accept fields in each kind's order, and the initial update.
#include "document/FieldAcceptance.h"

#include <cstdio>

#include "document/GivenCycleCheck.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Series.h"

namespace {

std::string RangeNotice(const char* format, int limit) {
    char text[128];
    std::snprintf(text, sizeof text, format, limit);
    return text;
}

}  // namespace

CFormFields::CFormFields(CMainDoc& doc, CTestSeries& series, ITextTarget& timeField, CGivenCycleCheck* check)
    : m_doc(doc), m_series(series), m_time(timeField), m_pCheck(check) {}

bool CFormFields::Refused(const CFieldAnswer& answer) {
    if (!answer.strNotice.empty())
        Platform().pDialogs->ShowMessage(answer.bErrorBox ? EBoxKind::Error : EBoxKind::Warning,
                                         answer.strNotice);
    return answer.state == EFieldState::Refused;
}

void CFormFields::Refresh(int reset) {
    if (m_pCheck)
        m_pCheck->Refresh(reset);
    else
        m_series.Refresh(reset);
}

const std::string& CFormFields::TakeCurrentCycle() {
    m_strAcceptedCycle = m_doc.CycleText(m_doc.m_solver.m_aCycle);
    return m_strAcceptedCycle;
}

CFormTexts CFormFields::DocumentTexts() const {
    CFormTexts t;
    t.strNodes = m_doc.m_strNodes;
    t.strAmplitude = m_doc.m_strAmplitude;
    t.strRandStarts = m_doc.m_strRandStarts;
    t.strFullTests = m_doc.m_strFullTests;
    t.strCycle = m_strAcceptedCycle;
    t.bShowWeights = m_doc.m_bShowWeights != 0;
    t.bMaximum = m_doc.m_solver.m_bMaximum != 0;
    return t;
}

// ---- Initial update ---------------------------------------------------------------------------------

void CFormFields::InitialUpdate(int kind, CFormTexts& texts) {
    CCycleSolver& s = m_doc.m_solver;
    s.m_nKind = kind;
    m_doc.InitKind(kind, 8);
    if (m_doc.m_bFromFile)
        texts.strAmplitude = m_doc.m_strAmplitude;
    else
        m_doc.m_strAmplitude = texts.strAmplitude;
    s.m_nAmplitude = LeadingInt(texts.strAmplitude);
    if (!m_doc.m_bFromFile) m_series.Reset();

    const CResults results = m_doc.m_results;
    if (m_doc.m_bFromFile) {
        m_strAcceptedCycle = m_doc.CycleText(s.m_aInitial);
        if (!results.Empty()) {
            m_doc.ShowSavedTime(&m_time);
            Refresh(0);
        }
    } else {
        Refresh(1);
    }
    m_doc.m_results = results;
    texts = DocumentTexts();
}

// ---- The steps --------------------------------------------------------------------------------------

CFieldAnswer CFormFields::AcceptNodes(std::string& text) {
    if (text == m_doc.m_strNodes) return {};
    const int kind = m_doc.m_nDocKind;
    const int n = LeadingInt(text);
    if (n < MIN_DOC_NODES || n > MaxNodesOfKind(kind)) {
        text = m_doc.m_strNodes;
        return {
            EFieldState::Refused,
            RangeNotice("A number of the nodes is invalid.\nThe valid range: 4...%d", MaxNodesOfKind(kind)),
            true};
    }
    CFieldAnswer answer{EFieldState::Taken, "", false};
    const int old = m_doc.m_solver.m_nNodes;
    if (!m_doc.SetNodeCount(n)) {
        text = m_doc.m_strNodes;
        answer.strNotice = MessageText(IDS_NO_MEMORY_FOR_NODES);
        m_doc.SetNodeCount(old);
    }
    m_doc.m_strNodes = text;
    m_series.Reset();
    TakeCurrentCycle();
    m_time.SetText("");
    m_doc.m_results.Clear();
    return answer;
}

CFieldAnswer CFormFields::AcceptAmplitude(std::string& text) {
    if (text == m_doc.m_strAmplitude) return {};
    const int a = LeadingInt(text);
    if (a < MIN_AMPLITUDE || a > MAX_AMPLITUDE) {
        text = m_doc.m_strAmplitude;
        return {EFieldState::Refused,
                RangeNotice("New amplitude value is invalid\nThe valid range: 0...%d", MAX_AMPLITUDE), true};
    }
    return TakeProblemValue(text, a);
}

CFieldAnswer CFormFields::AcceptDegree(std::string& text) {
    if (text == m_doc.m_strAmplitude) return {};
    const int d = LeadingInt(text);
    if (d < MIN_DEGREE || d > m_doc.m_solver.m_nNodes - 1) {
        text = m_doc.m_strAmplitude;
        return {EFieldState::Refused, MessageText(IDS_DEGREE_INVALID), false};
    }
    return TakeProblemValue(text, d);
}

CFieldAnswer CFormFields::TakeProblemValue(const std::string& text, int value) {
    m_doc.m_strAmplitude = text;
    m_doc.m_solver.m_nAmplitude = value;
    m_series.Reset();
    TakeCurrentCycle();
    m_doc.m_results.Clear();
    return {EFieldState::Taken, "", false};
}

CFieldAnswer CFormFields::AcceptRandStarts(std::string& text, std::string* fullTests) {
    return AcceptRandStartsText(m_doc, text, fullTests);
}

CFieldAnswer CFormFields::AcceptFullTests(std::string& text, const std::string& randStarts) {
    return AcceptFullTestsText(m_doc, text, randStarts);
}

CFieldAnswer CFormFields::AcceptShowWeights(bool showWeights) {
    if (showWeights == (m_doc.m_bShowWeights != 0)) return {};
    m_doc.m_bShowWeights = showWeights ? 1 : 0;
    return {EFieldState::Taken, "", false};
}

CFieldAnswer CFormFields::AcceptMaximum(bool maximum) {
    if (maximum == (m_doc.m_solver.m_bMaximum != 0)) return {};
    // The results were sought in the other sense: none of them stands.
    m_doc.m_results.Clear();
    m_doc.m_solver.m_bMaximum = maximum ? 1 : 0;
    return {EFieldState::Taken, "", false};
}

CFieldAnswer CFormFields::AcceptCycle(std::string& text) {
    if (text == m_strAcceptedCycle) return {};
    m_bParseFailed = false;
    if (m_pCheck) m_pCheck->m_nVerdict = VERDICT_NONE;
    const std::string typed = text;
    if (m_doc.ParseGivenCycle(typed) != 0) {  // the parser has shown its notice
        m_bParseFailed = true;
        if (m_pCheck) m_pCheck->m_nVerdict = VERDICT_NOT_OPTIMAL;
        text = m_strAcceptedCycle;
        return {EFieldState::Refused, "", false};
    }
    m_series.Refresh(1);
    m_doc.m_results.Clear();
    text = TakeCurrentCycle();
    m_strAcceptedCycle = typed;
    return {EFieldState::Taken, "", false};
}

// ---- Accept fields ----------------------------------------------------------------------------------

bool CFormFields::Accept(CFormTexts& texts) {
    if (m_doc.m_solver.m_bBusy) {
        const std::string cycle = texts.strCycle;
        texts = DocumentTexts();
        texts.strCycle = cycle;
        return false;
    }
    bool changed = false;
    // A taken field counts as a change of the drawing; a node count or amplitude also made a new
    // problem, whose cycle the cycle field now shows.
    auto take = [&](const CFieldAnswer& answer, bool redraw) {
        if (Refused(answer)) return false;
        if (answer.state == EFieldState::Taken) changed = changed || redraw;
        return true;
    };
    auto newProblem = [&] { texts.strCycle = m_strAcceptedCycle; };

    switch (m_doc.m_nDocKind) {
        case KIND_GRAPH: {
            if (!take(AcceptNodes(texts.strNodes), true)) return false;
            if (changed) newProblem();
            if (!take(AcceptDegree(texts.strAmplitude), true)) return false;
            if (changed) newProblem();
            take(AcceptCycle(texts.strCycle), false);
            take(AcceptRandStarts(texts.strRandStarts, nullptr), false);
            break;
        }
        case KIND_CHECK: {
            if (!take(AcceptNodes(texts.strNodes), true)) return false;
            if (changed) newProblem();
            if (!take(AcceptAmplitude(texts.strAmplitude), true)) return false;
            if (changed) newProblem();
            take(AcceptMaximum(texts.bMaximum), true);
            take(AcceptCycle(texts.strCycle), true);
            break;
        }
        default: {
            if (!take(AcceptNodes(texts.strNodes), true)) return false;
            if (changed) newProblem();
            if (!take(AcceptAmplitude(texts.strAmplitude), true)) return false;
            if (changed) newProblem();
            if (!take(AcceptRandStarts(texts.strRandStarts, &texts.strFullTests), false)) return false;
            if (!take(AcceptFullTests(texts.strFullTests, texts.strRandStarts), false)) return false;
            take(AcceptShowWeights(texts.bShowWeights), true);
            take(AcceptMaximum(texts.bMaximum), true);
            take(AcceptCycle(texts.strCycle), false);
            break;
        }
    }
    return changed;
}

// ---- Rand.Starts and Full Tests, shared with the map window ------------------------------------------

CFieldAnswer AcceptRandStartsText(CMainDoc& doc, std::string& text, std::string* fullTests) {
    if (text == doc.m_strRandStarts) return {};
    const int r = LeadingInt(text);
    if (r < MIN_RAND_STARTS || r > MAX_RAND_STARTS) {
        text = doc.m_strRandStarts;
        return {EFieldState::Refused, "", false};
    }
    doc.m_strRandStarts = text;
    if (fullTests) *fullTests = text;
    doc.m_results.Clear();
    return {EFieldState::Taken, "", false};
}

CFieldAnswer AcceptFullTestsText(CMainDoc& doc, std::string& text, const std::string& randStarts) {
    if (text == doc.m_strFullTests) return {};
    const int f = LeadingInt(text);
    if (f < 0 || f > LeadingInt(randStarts)) {
        text = doc.m_strFullTests;
        return {EFieldState::Refused, "", false};
    }
    doc.m_strFullTests = text;
    doc.m_results.Clear();
    return {EFieldState::Taken, "", false};
}
