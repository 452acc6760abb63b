// The network test window's form.
#include "windows/InputView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/MainDoc.h"
#include "windows/DialogExec.h"
#include "windows/EdgesListDlg.h"
#include "windows/MatrixDlg.h"
#include "windows/SuperUserDlg.h"

CInputView::CInputView(CMainDoc& doc, QWidget* parent)
    : CFormViewBase(doc, parent),
      m_pNodes(new QLineEdit(this)),
      m_pAmplitude(new QLineEdit(QStringLiteral("100"), this)),
      m_pRandStarts(new QLineEdit(this)),
      m_pFullTests(new QLineEdit(this)),
      m_pOptions(new QGroupBox(QStringLiteral("&Options"), this)),
      m_pShowWeights(new QCheckBox(QStringLiteral("Show Weights"), m_pOptions)),
      m_pMaximum(new QCheckBox(QStringLiteral("Maximum Cycle"), m_pOptions)),
      m_pInitial(new QLineEdit(this)) {
    auto* time = new QLineEdit(this);
    auto* final = new QLineEdit(this);
    CreateResultFields(time, final);

    m_pShowWeights->setChecked(true);
    BindFields({KIND_NETWORK, m_pNodes, m_pAmplitude, m_pRandStarts, m_pFullTests, m_pShowWeights, m_pMaximum,
                m_pInitial, m_pInitial});
    m_pShowWeights->setAccessibleName(QStringLiteral("Show Weights"));
    m_pMaximum->setAccessibleName(QStringLiteral("Maximum Cycle"));

    auto* options = new QVBoxLayout(m_pOptions);
    options->addWidget(m_pShowWeights);
    options->addWidget(m_pMaximum);

    // Each number under its caption, the Options group beside them.
    QHBoxLayout* top = CaptionedRow({{"&Nodes", m_pNodes},
                                     {"&Amplitude", m_pAmplitude},
                                     {"Ran&d.Starts", m_pRandStarts},
                                     {"F&ull Tests", m_pFullTests}});
    top->addWidget(m_pOptions);
    top->addStretch(1);

    QGridLayout* buttons = CommandGrid({{"E&xp. Method", [this] { OnExpMethod(); }},
                                        {"&Polyn. Method", [this] { OnPolynMethod(); }},
                                        {"&Compare", [this] { OnCompare(); }},
                                        {"Continuous &Test", [this] { OnContinuousTest(); }},
                                        {"&Statistics", [this] { OnStatistics(); }},
                                        {"&Final to Initial", [this] { OnFinalToInitial(); }},
                                        {"Randomi&zed Start", [this] { OnRandomizedStart(); }},
                                        {"&Reset", [this] { OnReset(); }},
                                        {"&Editor", [this] { OnEditor(); }},
                                        {"Import", [this] { OnImport(); }},
                                        {"Ed&ges List", [this] { OnEdgesList(); }},
                                        {"On&ly One Cycle?", [this] { OnOnlyOneCycle(); }},
                                        {"&By Exp. Method", [this] { OnMethodParams(); }}},
                                       5);
    QGridLayout* results = CaptionedFields({{QStringLiteral("Time:"), time},
                                            {QStringLiteral("Final Cycle"), final},
                                            {QStringLiteral("&Initial Cycle"), m_pInitial}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(results);
    layout->addStretch(1);
}

// ---- Commands -----------------------------------------------------------------------------------------

void CInputView::OnExpMethod() {
    Guarded([&] { Series().ExactMethod(); });
}
void CInputView::OnPolynMethod() {
    Guarded([&] { Series().PolynomialMethod(); });
}
void CInputView::OnCompare() {
    Guarded([&] { Series().Compare(); });
}
void CInputView::OnContinuousTest() {
    Guarded([&] { Series().ContinuousTest(0); });
}
void CInputView::OnFinalToInitial() {
    Guarded([&] { Series().FinalToInitial(); });
}
void CInputView::OnReset() {
    Guarded([&] { Series().Reset(); });
}
void CInputView::OnRandomizedStart() {
    Guarded([&] { Series().RandomizedStart(); });
}
void CInputView::OnOnlyOneCycle() {
    Guarded([&] { Series().OnlyOneCycle(); });
}
void CInputView::OnStatistics() {
    Guarded([&] { Series().Statistics(); });
}
void CInputView::OnImport() {
    Guarded([&] {
        Series().Import();
        UpdateFromDocument();  // the import may have taken a larger matrix
    });
}

void CInputView::OnEditor() {
    Guarded([&] {
        CCycleSolver& s = m_doc.m_solver;
        Series().BeginMatrixEdit();
        CMatrixDlg editor(s.m_ppGain, s.m_nNodes, KIND_NETWORK, this);
        if (ExecDialog(editor) == QDialog::Accepted) Series().AcceptMatrixEdit();
    });
}

void CInputView::OnEdgesList() {
    Guarded([&] {
        if (!Series().EdgesListCommand()) return;
        CEdgesListDlg dialog(m_doc.m_solver, this);
        ExecDialog(dialog);
    });
}

void CInputView::OnMethodParams() {
    Guarded([&] { EditMethodParams(NetworkParamSet(), this); });
}
