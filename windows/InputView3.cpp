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

namespace {

constexpr int kMaxCheckNodes = 512;
constexpr int kMaxAmplitude = 32000;
constexpr int kGivenCycleChars = 5000;

int ValueOf(const QLineEdit* edit) {
    return LeadingInt(edit->text().toStdString());
}

}  // namespace

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

    m_pAmplitude->setMaxLength(5);
    m_pGiven->setMaxLength(kGivenCycleChars);
    for (QLineEdit* edit : {m_pNodes, m_pAmplitude}) edit->setMaximumWidth(70);
    for (QLineEdit* edit : {m_pNodes, m_pAmplitude, m_pGiven}) AcceptOnFocusLoss(edit);
    AcceptOnClick(m_pMaximum);
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

// ---- Document / view ----------------------------------------------------------------------------------

void CInputView3::OnInitialUpdate() {
    CCycleSolver& s = m_doc.m_solver;
    s.m_nKind = KIND_CHECK;
    m_doc.InitKind(KIND_CHECK, 8);
    if (m_doc.m_bFromFile)
        m_pAmplitude->setText(QString::fromStdString(m_doc.m_strAmplitude));
    else
        m_doc.m_strAmplitude = m_pAmplitude->text().toStdString();
    s.m_nAmplitude = ValueOf(m_pAmplitude);
    if (!m_doc.m_bFromFile) Series().Reset();

    const int results = m_doc.m_nResults;
    if (m_doc.m_bFromFile) {
        m_strAcceptedGiven = m_doc.CycleText(s.m_aInitial);
        m_pGiven->setText(QString::fromStdString(m_strAcceptedGiven));
        m_pGiven->setCursorPosition(0);
        if (results != 0) {
            m_doc.ShowSavedTime(&TimeTarget());
            m_pCheck->Refresh(0);
        }
    } else {
        m_pCheck->Refresh(1);
    }
    m_doc.m_nResults = results;
    UpdateFromDocument();
    SizeFrame(CommentsField());
}

void CInputView3::UpdateFromDocument() {
    m_pNodes->setText(QString::fromStdString(m_doc.m_strNodes));
    m_pAmplitude->setText(QString::fromStdString(m_doc.m_strAmplitude));
    m_pMaximum->setChecked(m_doc.m_solver.m_bMaximum != 0);
}

void CInputView3::RefreshForm(int reset) {
    if (reset) ShowCurrentCycle(m_pGiven, m_strAcceptedGiven);
}

// ---- Accept fields --------------------------------------------------------------------------------------

void CInputView3::AcceptFields() {
    CCycleSolver& s = m_doc.m_solver;
    if (Busy()) {
        UpdateFromDocument();
        return;
    }
    bool changed = false;

    const int nodes = AcceptNodes(m_pNodes, kMaxCheckNodes);
    if (nodes < 0) return;
    changed |= nodes > 0;
    if (m_pAmplitude->text().toStdString() != m_doc.m_strAmplitude) {
        const int a = ValueOf(m_pAmplitude);
        if (a < 0 || a > kMaxAmplitude) {
            PutBack(m_pAmplitude, m_doc.m_strAmplitude);
            ErrorBox(
                QString::asprintf("New amplitude value is invalid\nThe valid range: 0...%d", kMaxAmplitude));
            return;
        }
        m_doc.m_strAmplitude = m_pAmplitude->text().toStdString();
        s.m_nAmplitude = a;
        Series().Reset();
        m_doc.m_nResults = 0;
        changed = true;
    }
    if (int(m_pMaximum->isChecked()) != s.m_bMaximum) {
        m_doc.m_nResults = 0;
        s.m_bMaximum = m_pMaximum->isChecked() ? 1 : 0;
        changed = true;
    }
    if (m_pGiven->text().toStdString() != m_strAcceptedGiven) {
        m_pCheck->m_nVerdict = VERDICT_NONE;
        const int taken = AcceptCycleText(m_pGiven, m_strAcceptedGiven);
        if (taken < 0) m_pCheck->m_nVerdict = VERDICT_NOT_OPTIMAL;  // the parser rejected the text
        changed |= taken > 0;
    }
    if (changed) UpdateDrawing();
}

// ---- Commands -----------------------------------------------------------------------------------------

void CInputView3::OnEditor() {
    CCycleSolver& s = m_doc.m_solver;
    Series().BeginMatrixEdit();
    CMatrixDlg editor(s.m_ppGain, s.m_nNodes, KIND_CHECK, this);
    if (ExecDialog(editor) == QDialog::Accepted) Series().AcceptMatrixEdit();
}
