// The network test window's form.
#include "windows/InputView.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "windows/DialogExec.h"
#include "windows/EdgesListDlg.h"
#include "windows/MatrixDlg.h"
#include "windows/SuperUserDlg.h"

namespace {

constexpr int kMaxNetworkNodes = 512;
constexpr int kMaxAmplitude = 32000;
constexpr int kMaxRandStarts = 32767;
constexpr int kInitialCycleChars = 5000;

int ValueOf(const QLineEdit* edit) {
    return LeadingInt(edit->text().toStdString());
}

}  // namespace

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

    m_pAmplitude->setMaxLength(5);
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    m_pRandStarts->setValidator(digits);
    m_pFullTests->setValidator(digits);
    m_pInitial->setMaxLength(kInitialCycleChars);
    m_pShowWeights->setChecked(true);
    for (QLineEdit* edit : {m_pNodes, m_pAmplitude, m_pRandStarts, m_pFullTests}) edit->setMaximumWidth(70);
    for (QLineEdit* edit : {m_pNodes, m_pAmplitude, m_pRandStarts, m_pFullTests, m_pInitial})
        AcceptOnFocusLoss(edit);
    AcceptOnClick(m_pShowWeights);
    AcceptOnClick(m_pMaximum);
    m_pShowWeights->setAccessibleName(QStringLiteral("Show Weights"));
    m_pMaximum->setAccessibleName(QStringLiteral("Maximum Cycle"));

    auto* options = new QVBoxLayout(m_pOptions);
    options->addWidget(m_pShowWeights);
    options->addWidget(m_pMaximum);

    // Each number under its caption, the Options group beside them.
    auto* top = new QHBoxLayout;
    const std::pair<const char*, QLineEdit*> numbers[] = {{"&Nodes", m_pNodes},
                                                          {"&Amplitude", m_pAmplitude},
                                                          {"Ran&d.Starts", m_pRandStarts},
                                                          {"F&ull Tests", m_pFullTests}};
    for (const auto& [caption, edit] : numbers) {
        auto* column = new QVBoxLayout;
        column->addStretch(1);
        column->addWidget(Caption(QString::fromLatin1(caption), edit));
        column->addWidget(edit);
        top->addLayout(column);
    }
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

// ---- Document / view ----------------------------------------------------------------------------------

void CInputView::OnInitialUpdate() {
    CCycleSolver& s = m_doc.m_solver;
    s.m_nKind = KIND_NETWORK;
    m_doc.InitKind(KIND_NETWORK, 8);
    if (m_doc.m_bFromFile)
        m_pAmplitude->setText(QString::fromStdString(m_doc.m_strAmplitude));
    else
        m_doc.m_strAmplitude = m_pAmplitude->text().toStdString();
    s.m_nAmplitude = ValueOf(m_pAmplitude);
    if (!m_doc.m_bFromFile) Series().Reset();

    const int results = m_doc.m_nResults;
    if (m_doc.m_bFromFile) {
        m_strAcceptedInitial = m_doc.CycleText(s.m_aInitial);
        m_pInitial->setText(QString::fromStdString(m_strAcceptedInitial));
        if (results != 0) {
            m_doc.ShowSavedTime(&TimeTarget());
            Series().Refresh(0);
        }
    } else {
        Series().Refresh(1);
    }
    m_doc.m_nResults = results;
    UpdateFromDocument();
    SizeFrame(m_pInitial);
}

void CInputView::UpdateFromDocument() {
    m_pNodes->setText(QString::fromStdString(m_doc.m_strNodes));
    m_pAmplitude->setText(QString::fromStdString(m_doc.m_strAmplitude));
    m_pRandStarts->setText(QString::fromStdString(m_doc.m_strRandStarts));
    m_pFullTests->setText(QString::fromStdString(m_doc.m_strFullTests));
    m_pShowWeights->setChecked(m_doc.m_bShowWeights != 0);
    m_pMaximum->setChecked(m_doc.m_solver.m_bMaximum != 0);
}

void CInputView::RefreshForm(int reset) {
    if (reset) ShowCurrentCycle(m_pInitial, m_strAcceptedInitial);
}

// ---- Accept fields --------------------------------------------------------------------------------------

void CInputView::AcceptFields() {
    CCycleSolver& s = m_doc.m_solver;
    if (Busy()) {
        UpdateFromDocument();
        return;
    }
    bool changed = false;

    if (m_pNodes->text().toStdString() != m_doc.m_strNodes) {
        const int n = ValueOf(m_pNodes);
        if (n < MIN_DOC_NODES || n > kMaxNetworkNodes) {
            PutBack(m_pNodes, m_doc.m_strNodes);
            ErrorBox(QString::asprintf("A number of the nodes is invalid.\nThe valid range: 4...%d",
                                       kMaxNetworkNodes));
            return;
        }
        const int old = s.m_nNodes;
        if (!m_doc.SetNodeCount(n)) {
            PutBack(m_pNodes, m_doc.m_strNodes);
            WarningBox(IDS_NO_MEMORY_FOR_NODES);
            m_doc.SetNodeCount(old);
        }
        m_doc.m_strNodes = m_pNodes->text().toStdString();
        Series().Reset();
        TimeTarget().SetText("");
        m_doc.m_nResults = 0;
        changed = true;
    }
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
    if (m_pRandStarts->text().toStdString() != m_doc.m_strRandStarts) {
        const int r = ValueOf(m_pRandStarts);
        if (r < 1 || r > kMaxRandStarts) {
            PutBack(m_pRandStarts, m_doc.m_strRandStarts);
            return;
        }
        m_doc.m_strRandStarts = m_pRandStarts->text().toStdString();
        m_pFullTests->setText(m_pRandStarts->text());
        m_doc.m_nResults = 0;
    }
    if (m_pFullTests->text().toStdString() != m_doc.m_strFullTests) {
        const int f = ValueOf(m_pFullTests);
        if (f < 0 || f > ValueOf(m_pRandStarts)) {
            PutBack(m_pFullTests, m_doc.m_strFullTests);
            return;
        }
        m_doc.m_strFullTests = m_pFullTests->text().toStdString();
        m_doc.m_nResults = 0;
    }
    if (int(m_pShowWeights->isChecked()) != m_doc.m_bShowWeights) {
        m_doc.m_bShowWeights = m_pShowWeights->isChecked() ? 1 : 0;
        changed = true;
    }
    if (int(m_pMaximum->isChecked()) != s.m_bMaximum) {
        m_doc.m_nResults = 0;
        s.m_bMaximum = m_pMaximum->isChecked() ? 1 : 0;
        changed = true;
    }
    const std::string initial = m_pInitial->text().toStdString();
    if (initial != m_strAcceptedInitial) {
        m_bParseFailed = false;
        if (m_doc.ParseGivenCycle(initial) != 0) {
            m_bParseFailed = true;
            PutBack(m_pInitial, m_strAcceptedInitial);
        } else {
            Series().Refresh(1);
            m_doc.m_nResults = 0;
            m_strAcceptedInitial = initial;
        }
    }
    if (changed) UpdateDrawing();
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
