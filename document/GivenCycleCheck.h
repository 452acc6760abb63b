// The commands of the check-a-given-cycle window over a document: is the given (initial) cycle a
// minimum (maximum) one, by the exact method, by the polynomial method, or by both with a
// comparison of their verdicts. The window and quira-cli's `check` run these same steps.
#pragma once

#include <cstdint>
#include <functional>

#include "document/Outcome.h"

class CMainDoc;
class ITextTarget;

class CGivenCycleCheck {
public:
    CGivenCycleCheck(CMainDoc& doc, ITextTarget& timeField, ITextTarget& commentsField);

    void ExactMethod();
    void PolynomialMethod();
    void Compare();
    // Final to Given: the best cycle the polynomial method finds from the given one becomes the
    // given cycle.
    void FinalToGiven();
    // The refresh of the form: with reset the Comments and Time fields are emptied and the result
    // flags cleared; without, the Comments field shows the current cycle.
    void Refresh(int reset);
    // The verdict text for the document's sense (minimum or maximum): GivenCycleVerdictText.
    const char* VerdictText(int verdict) const;

    int m_nVerdict = VERDICT_NONE;
    int m_nExactVerdict = VERDICT_NONE;  // of the last exact check (Compare keeps it)
    uint32_t m_dwExactElapsedMs = 0;
    std::function<void(int reset)> m_fnRefresh;  // the form's own refresh

private:
    void CheckByPolynomial();
    void Judge(int given, int found);

    CMainDoc& m_doc;
    ITextTarget& m_time;
    ITextTarget& m_comments;
};
