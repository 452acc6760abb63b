// The graph test window's form.
#include "windows/GraphView.h"

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

    BindFields(
        {KIND_GRAPH, m_pNodes, m_pDegree, m_pRandStarts, nullptr, nullptr, nullptr, m_pInitial, m_pInitial});

    QHBoxLayout* top =
        CaptionedRow({{"&Nodes", m_pNodes}, {"Max.Degree", m_pDegree}, {"Rand.Starts", m_pRandStarts}});
    top->addStretch(1);

    CTestSeries& series = Series();
    QGridLayout* buttons = CommandGrid({{"E&xp. Method", [this] { OnExpMethod(); }},
                                        {"&Polyn. Method", [this] { OnPolynMethod(); }},
                                        {"&Compare", [&series] { series.Compare(); }},
                                        {"Continuous &Test", [&series] { series.ContinuousTest(0); }},
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

// ---- Commands -----------------------------------------------------------------------------------------

void CGraphView::OnExpMethod() {
    Fields().m_bParseFailed = false;
    Series().GraphExactMethod();
}

void CGraphView::OnPolynMethod() {
    Fields().m_bParseFailed = false;
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
