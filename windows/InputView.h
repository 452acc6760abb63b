// The network test window's form: the size and random range of a complete network, the random
// starts and full tests of the polynomial method, Show Weights and Maximum Cycle, the Time field,
// the initial and the final cycle, and the thirteen commands. Every value lives in the document and
// its solver; every test step is the core's (CTestSeries).
#pragma once

#include "windows/FormViewBase.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class CInputView : public CFormViewBase {
    Q_OBJECT
public:
    explicit CInputView(CMainDoc& doc, QWidget* parent = nullptr);

    // ---- Commands (the buttons) --------------------------------------------------------------------
    void OnExpMethod();
    void OnPolynMethod();
    void OnCompare();
    void OnContinuousTest();
    void OnFinalToInitial();
    void OnReset();
    void OnEditor();
    void OnEdgesList();
    void OnOnlyOneCycle();
    void OnRandomizedStart();
    void OnMethodParams();
    void OnStatistics();
    void OnImport();

    // ---- Fields, for the frame and the tests ------------------------------------------------------
    QLineEdit* NodesField() const { return m_pNodes; }
    QLineEdit* AmplitudeField() const { return m_pAmplitude; }
    QLineEdit* RandStartsField() const { return m_pRandStarts; }
    QLineEdit* FullTestsField() const { return m_pFullTests; }
    QCheckBox* ShowWeightsBox() const { return m_pShowWeights; }
    QCheckBox* MaximumBox() const { return m_pMaximum; }
    QLineEdit* InitialField() const { return m_pInitial; }
    // The button of a command by its caption ("E&xp. Method" ...).
    QPushButton* Button(const QString& caption) const { return CommandButton(caption); }

private:
    QLineEdit* m_pNodes;
    QLineEdit* m_pAmplitude;
    QLineEdit* m_pRandStarts;
    QLineEdit* m_pFullTests;
    QGroupBox* m_pOptions;
    QCheckBox* m_pShowWeights;
    QCheckBox* m_pMaximum;
    QLineEdit* m_pInitial;
};
