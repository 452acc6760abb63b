// The check-a-given-cycle window's form.
#include "windows/InputView3.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "document/ExactBound.h"
#include "document/MainDoc.h"
#include "windows/DialogExec.h"
#include "windows/MatrixDlg.h"

CInputView3::CInputView3(CMainDoc& doc, QWidget* parent)
    : CFormViewBase(doc, parent),
      m_pNodes(new QLineEdit(this)),
      m_pAmplitude(new QLineEdit(QStringLiteral("100"), this)),
      m_pMaximum(new QCheckBox(QStringLiteral("&Maximum Cycle"), this)),
      m_pGiven(new QLineEdit(this)) {
    auto* time = new QLineEdit(this);
    auto* comments = new QLineEdit(this);
    CreateResultFields(time, comments);
    m_pCheck = std::make_unique<CGivenCycleCheck>(doc, TimeTarget(), FinalTarget());
    m_pCheck->m_fnRefresh = [this](int reset) {
        RefreshForm(reset);
        UpdateDrawing();
    };

    Fields().AttachCheck(m_pCheck.get());
    BindFields(
        {KIND_CHECK, m_pNodes, m_pAmplitude, nullptr, nullptr, nullptr, m_pMaximum, m_pGiven, comments});
    m_pMaximum->setAccessibleName(QStringLiteral("Maximum Cycle"));

    QHBoxLayout* top = CaptionedRow({{"&Nodes", m_pNodes}, {"&Amplitude", m_pAmplitude}});
    top->addWidget(m_pMaximum, 0, Qt::AlignBottom);
    top->addStretch(1);

    CGivenCycleCheck& check = *m_pCheck;
    CTestSeries& series = Series();
    QGridLayout* buttons =
        CommandGrid({{"E&xp. Method", [&check] { check.ExactMethod(); }},
                     {"&Polyn. Method", [&check] { check.PolynomialMethod(); }},
                     {"&Compare", [&check] { check.Compare(); }},
                     {"&Final to Given", [&check] { check.FinalToGiven(); }},
                     {"&Reset", [&series] { series.Reset(); }},
                     {"&Editor", [this] { OnEditor(); }},
                     {"&By Exp. Method", [this] { ShowExactBound(m_doc, TimeTarget(), false); }}},
                    4);

    QGridLayout* results = CaptionedFields({{QStringLiteral("Time:"), time},
                                            {QStringLiteral("&Given cycle"), m_pGiven},
                                            {QStringLiteral("Comments"), comments}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(results);
    layout->addStretch(1);
}

// ---- Commands -----------------------------------------------------------------------------------------

void CInputView3::OnEditor() {
    CCycleSolver& s = m_doc.m_solver;
    Series().BeginMatrixEdit();
    CMatrixDlg editor(s.m_ppGain, s.m_nNodes, KIND_CHECK, this);
    if (ExecDialog(editor) == QDialog::Accepted) Series().AcceptMatrixEdit();
}
