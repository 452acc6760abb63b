// The graph test window's form.
#include "windows/GraphView.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "document/ExactBound.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "windows/DialogExec.h"
#include "windows/MatrixDlg.h"

namespace {

constexpr int kMaxGraphNodes = 1024;
constexpr int kMaxRandStarts = 32767;
constexpr int kInitialCycleChars = 5000;

int ValueOf(const QLineEdit* edit) {
    return LeadingInt(edit->text().toStdString());
}

}  // namespace

CGraphView::CGraphView(CMainDoc& doc, QWidget* parent)
    : CFormViewBase(doc, parent),
      m_pNodes(new QLineEdit(this)),
      m_pDegree(new QLineEdit(QStringLiteral("3"), this)),
      m_pRandStarts(new QLineEdit(this)),
      m_pInitial(new QLineEdit(this)) {
    auto* time = new QLineEdit(this);
    auto* final = new QLineEdit(this);
    CreateResultFields(time, final);

    m_pDegree->setMaxLength(5);
    m_pRandStarts->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_pInitial->setMaxLength(kInitialCycleChars);
    for (QLineEdit* edit : {m_pNodes, m_pDegree, m_pRandStarts}) edit->setMaximumWidth(70);
    for (QLineEdit* edit : {m_pNodes, m_pDegree, m_pRandStarts, m_pInitial}) AcceptOnFocusLoss(edit);

    QHBoxLayout* top =
        CaptionedRow({{"&Nodes", m_pNodes}, {"Max.Degree", m_pDegree}, {"Rand.Starts", m_pRandStarts}});
    top->addStretch(1);

    CTestSeries& series = Series();
    QGridLayout* buttons = CommandGrid({{"E&xp. Method", [this] { OnExpMethod(); }},
                                        {"&Polyn. Method", [this] { OnPolynMethod(); }},
                                        {"&Compare", [&series] { series.GraphCompare(); }},
                                        {"Continuous &Test", [&series] { series.GraphContinuousTest(0); }},
                                        {"&Statistics", [&series] { series.Statistics(); }},
                                        {"&Final to Initial", [&series] { series.FinalToInitial(); }},
                                        {"Randomi&zed Start", [&series] { series.RandomizedStart(); }},
                                        {"&Reset", [&series] { series.Reset(); }},
                                        {"&Editor", [this] { OnEditor(); }},
                                        {"Import",
                                         [this, &series] {
                                             series.Import();
                                             UpdateFromDocument();  // a larger matrix may be taken
                                         }},
                                        {"Gener2", [this] { OnGener2(); }},
                                        {"On&ly One Cycle?", [&series] { series.GraphOnlyOneCycle(); }},
                                        {"&By Exp. Method", [this] { OnEstimate(); }}},
                                       5);

    QGridLayout* results = CaptionedFields({{QStringLiteral("Time:"), time},
                                            {QStringLiteral("Final Cycle"), final},
                                            {QStringLiteral("Initial Cycle"), m_pInitial}});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->addLayout(results);
    layout->addStretch(1);
}

// ---- Document / view ----------------------------------------------------------------------------------

void CGraphView::OnInitialUpdate() {
    CCycleSolver& s = m_doc.m_solver;
    s.m_nKind = KIND_GRAPH;
    m_doc.InitKind(KIND_GRAPH, 8);
    if (m_doc.m_bFromFile)
        m_pDegree->setText(QString::fromStdString(m_doc.m_strAmplitude));
    else
        m_doc.m_strAmplitude = m_pDegree->text().toStdString();
    s.m_nAmplitude = ValueOf(m_pDegree);
    if (!m_doc.m_bFromFile) Series().Reset();

    const int results = m_doc.m_nResults;
    if (m_doc.m_bFromFile) {
        m_strAcceptedInitial = m_doc.CycleText(s.m_aInitial);
        m_pInitial->setText(QString::fromStdString(m_strAcceptedInitial));
        if (results != 0) m_doc.ShowSavedTime(&TimeTarget());
        m_doc.m_nResults = results;
        if (results != 0) Series().Refresh(0);
    } else {
        Series().Refresh(1);
        m_doc.m_nResults = results;
    }
    UpdateFromDocument();
    SizeFrame(m_pInitial);
}

void CGraphView::UpdateFromDocument() {
    m_pNodes->setText(QString::fromStdString(m_doc.m_strNodes));
    m_pDegree->setText(QString::fromStdString(m_doc.m_strAmplitude));
    m_pRandStarts->setText(QString::fromStdString(m_doc.m_strRandStarts));
}

void CGraphView::RefreshForm(int reset) {
    if (reset) ShowCurrentCycle(m_pInitial, m_strAcceptedInitial);
}

// ---- Accept fields --------------------------------------------------------------------------------------

void CGraphView::AcceptFields() {
    CCycleSolver& s = m_doc.m_solver;
    if (Busy()) {
        UpdateFromDocument();
        return;
    }
    bool changed = false;

    const int nodes = AcceptNodes(m_pNodes, kMaxGraphNodes);
    if (nodes < 0) return;
    changed |= nodes > 0;
    if (m_pDegree->text().toStdString() != m_doc.m_strAmplitude) {
        const int d = ValueOf(m_pDegree);
        if (d < 1 || d > s.m_nNodes - 1) {
            PutBack(m_pDegree, m_doc.m_strAmplitude);
            WarningBox(IDS_DEGREE_INVALID);
            return;
        }
        m_doc.m_strAmplitude = m_pDegree->text().toStdString();
        s.m_nAmplitude = d;
        Series().Reset();
        m_doc.m_nResults = 0;
        changed = true;
    }
    m_bParseFailed = AcceptCycleText(m_pInitial, m_strAcceptedInitial) < 0;
    if (m_pRandStarts->text().toStdString() != m_doc.m_strRandStarts) {
        const int r = ValueOf(m_pRandStarts);
        if (r < 1 || r > kMaxRandStarts) {
            PutBack(m_pRandStarts, m_doc.m_strRandStarts);
        } else {
            m_doc.m_strRandStarts = m_pRandStarts->text().toStdString();
            m_doc.m_nResults = 0;
        }
    }
    if (changed) UpdateDrawing();
}

// ---- Commands -----------------------------------------------------------------------------------------

void CGraphView::OnExpMethod() {
    m_bParseFailed = false;
    Series().GraphExactMethod();
}

void CGraphView::OnPolynMethod() {
    m_bParseFailed = false;
    Series().GraphPolynomialMethod();
}

void CGraphView::OnEditor() {
    CCycleSolver& s = m_doc.m_solver;
    Series().BeginMatrixEdit();
    CMatrixDlg editor(s.m_ppGain, s.m_nNodes, KIND_GRAPH, this);
    if (ExecDialog(editor) == QDialog::Accepted) Series().AcceptMatrixEdit();
}

void CGraphView::OnEstimate() {
    ShowExactBound(m_doc, TimeTarget(), true);
}

void CGraphView::OnGener2() {
    Series().Gener2Graph(ValueOf(m_pDegree));
}
