// The check-a-given-cycle window's form: the size and random range of a network, Maximum Cycle,
// the Time field, the given cycle and the Comments field with the verdict, and the seven commands.
// The verdicts are the core's (CGivenCycleCheck); the shared commands (Reset, Editor) are
// CTestSeries's.
#pragma once

#include <memory>

#include "document/GivenCycleCheck.h"
#include "windows/FormViewBase.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class CInputView3 : public CFormViewBase {
    Q_OBJECT
public:
    explicit CInputView3(CMainDoc& doc, QWidget* parent = nullptr);

    CGivenCycleCheck& Check() { return *m_pCheck; }

    // ---- Fields, for the frame and the tests ------------------------------------------------------
    QLineEdit* NodesField() const { return m_pNodes; }
    QLineEdit* AmplitudeField() const { return m_pAmplitude; }
    QCheckBox* MaximumBox() const { return m_pMaximum; }
    QLineEdit* GivenField() const { return m_pGiven; }
    QLineEdit* CommentsField() const { return FinalField(); }
    QPushButton* Button(const QString& caption) const { return CommandButton(caption); }

private:
    void OnEditor();

    QLineEdit* m_pNodes;
    QLineEdit* m_pAmplitude;
    QCheckBox* m_pMaximum;
    QLineEdit* m_pGiven;
    std::unique_ptr<CGivenCycleCheck> m_pCheck;
};
