// The input fields of the network, graph and check windows' forms in the core: the limits of every
// field (one table, which the forms, the map window and quira-cli read), Accept fields in each
// kind's order with each field taken, unchanged or refused with its notice, and the forms' initial
// update. A form only moves its widgets' texts into a CFormTexts, calls these steps and shows the
// texts they leave.
#pragma once

#include <string>

class CGivenCycleCheck;
class CMainDoc;
class CTestSeries;
class ITextTarget;

// ---- Limits -----------------------------------------------------------------------------------------
// The node counts: MIN_DOC_NODES to MaxNodesOfKind(kind) (document/MainDoc.h).
constexpr int MIN_AMPLITUDE = 0;
constexpr int MAX_AMPLITUDE = 32000;
constexpr int AMPLITUDE_CHARS = 5;  // also the graph's Max.Degree
constexpr int MIN_DEGREE = 1;       // to the node count less one
constexpr int MIN_RAND_STARTS = 1;
constexpr int MAX_RAND_STARTS = 32767;
constexpr int CYCLE_TEXT_CHARS = 5000;  // the Initial and Given cycle fields
constexpr int MAX_CELL_WEIGHT = 32000;  // a network cell of the matrix editor, -32000..32000

// ---- Acceptance -------------------------------------------------------------------------------------

enum class EFieldState { Unchanged, Taken, Refused };

// The answer to one field: taken, unchanged, or refused with its notice (empty for a silent
// refusal); a refused field's text is put back to the document's.
struct CFieldAnswer {
    EFieldState state = EFieldState::Unchanged;
    std::string strNotice;
    bool bErrorBox = false;  // the form's own "Error" box, else a "Warning" box
};

// What the form's fields hold; the fields a kind lacks are ignored.
struct CFormTexts {
    std::string strNodes;
    std::string strAmplitude;  // the Max.Degree of a graph
    std::string strRandStarts;
    std::string strFullTests;
    std::string strCycle;  // Initial cycle, or the check window's Given cycle
    bool bShowWeights = true;
    bool bMaximum = false;
};

// Rand.Starts (1 to 32767; a new text is given to Full Tests too when fullTests is given) and Full
// Tests (0 to Rand.Starts), silent when refused; a taken one clears the results. The map window's
// counts are these steps too.
CFieldAnswer AcceptRandStartsText(CMainDoc& doc, std::string& text, std::string* fullTests);
CFieldAnswer AcceptFullTestsText(CMainDoc& doc, std::string& text, const std::string& randStarts);

class CFormFields {
public:
    // check: the check window's commands, whose verdict a new given cycle clears.
    CFormFields(CMainDoc& doc, CTestSeries& series, ITextTarget& timeField,
                CGivenCycleCheck* check = nullptr);

    void AttachCheck(CGivenCycleCheck* check) { m_pCheck = check; }

    // The form's initial update: binds the document to the kind, takes the amplitude (degree)
    // text of a loaded document or gives the form's default to a new one, makes a new document's
    // first random problem, and shows a loaded document's cycle, time and result. texts holds the
    // form's defaults and receives what the form shows.
    void InitialUpdate(int kind, CFormTexts& texts);
    // Accept fields in the order of the document's kind. While a method runs the fields get the
    // document's texts back. A refusal shows its notice and ends the acceptance. Returns whether
    // the drawing has to be redrawn.
    bool Accept(CFormTexts& texts);
    // The document's texts and check states as the form shows them (Update from the document).
    CFormTexts DocumentTexts() const;
    // A refresh with reset: the current cycle's text becomes the cycle field's and the accepted one.
    const std::string& TakeCurrentCycle();

    // The single steps, as Accept runs them.
    CFieldAnswer AcceptNodes(std::string& text);
    CFieldAnswer AcceptAmplitude(std::string& text);
    CFieldAnswer AcceptDegree(std::string& text);
    // A new Rand.Starts text is given to Full Tests too when fullTests is given (network, map).
    CFieldAnswer AcceptRandStarts(std::string& text, std::string* fullTests);
    CFieldAnswer AcceptFullTests(std::string& text, const std::string& randStarts);
    CFieldAnswer AcceptShowWeights(bool showWeights);
    CFieldAnswer AcceptMaximum(bool maximum);
    // A typed cycle: the parser shows its own notice when it refuses the text; a taken one becomes
    // the current and initial cycle and the form is refreshed with reset.
    CFieldAnswer AcceptCycle(std::string& text);

    std::string m_strAcceptedCycle;  // the last cycle text parsed successfully
    bool m_bParseFailed = false;     // the parser refused the last typed cycle

private:
    // A new amplitude (degree) is taken: a new random problem of it, no results.
    CFieldAnswer TakeProblemValue(const std::string& text, int value);
    // Shows the answer's notice; true when the field was refused.
    static bool Refused(const CFieldAnswer& answer);
    void Refresh(int reset);

    CMainDoc& m_doc;
    CTestSeries& m_series;
    ITextTarget& m_time;
    CGivenCycleCheck* m_pCheck;
};
