// The Research menu.
#include "windows/ResearchMenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>

#include "document/CycleText.h"
#include "document/InstanceLoad.h"
#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/ResearchText.h"
#include "windows/ChildFrame.h"
#include "windows/DialogExec.h"
#include "windows/FormViewBase.h"
#include "windows/MainFrame.h"
#include "windows/SeriesDialog.h"

namespace {

CFormViewBase* FormOf(CChildFrame* frame) {
    return frame ? qobject_cast<CFormViewBase*>(frame->Form()) : nullptr;
}

// "Known Optimum": one field for the optimum's length.
class CKnownOptimumDlg : public QDialog {
public:
    CKnownOptimumDlg(const QString& current, QWidget* parent) : QDialog(parent), m_pEdit(new QLineEdit(current, this)) {
        setWindowTitle(QStringLiteral("Known Optimum"));
        setObjectName(QStringLiteral("KnownOptimumDlg"));
        m_pEdit->setValidator(new QIntValidator(m_pEdit));
        m_pEdit->setObjectName(QStringLiteral("knownOptimum"));
        auto* label = new QLabel(QStringLiteral("Known &optimum:"), this);
        label->setBuddy(m_pEdit);
        m_pEdit->setAccessibleName(QStringLiteral("Known optimum"));
        const QString help = QStringLiteral(
            "The length of an optimal cycle of this network, as published or found elsewhere. Gap to "
            "Optimum measures each method's result against it. Leave it empty to forget it.");
        m_pEdit->setWhatsThis(help);
        label->setWhatsThis(help);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QFormLayout(this);
        layout->addRow(label, m_pEdit);
        layout->addRow(buttons);
    }
    QString Text() const { return m_pEdit->text().trimmed(); }

private:
    QLineEdit* m_pEdit;
};

}  // namespace

CResearchMenu::CResearchMenu(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_pMenu(new QMenu(tr("&Research"), &frame)) {
    m_pMenu->setObjectName(QStringLiteral("ResearchMenu"));
    const struct {
        ECommand id;
        QString text;
        QString prompt;
        QKeySequence key;
        void (CResearchMenu::*slot)();
    } commands[] = {
        {PROVEN_OPTIMUM, tr("&Proven Optimum"),
         tr("Prove the optimum of the network by branch and cut; Escape stops it and keeps the best cycle and "
            "the bound"),
         QKeySequence(tr("Ctrl+Shift+P")), &CResearchMenu::OnProvenOptimum},
        {GAP, tr("&Gap to Optimum"),
         tr("The gap of each method's result to the known optimum (typed, from OPTIMA.tsv beside the "
            "instance, or proven)"),
         QKeySequence(tr("Ctrl+Shift+G")), nullptr},
        {KNOWN_OPTIMUM, tr("&Known Optimum..."), tr("Type the known optimum of the network"), {}, nullptr},
        {SERIES, tr("&Series..."),
         tr("A series of random networks from a fixed first seed, each against its proven optimum: table, "
            "plot and CSV"),
         QKeySequence(tr("Ctrl+Shift+S")), &CResearchMenu::OnSeries},
        {COPY_CYCLE, tr("Copy &Cycle"), tr("Copy the window's current cycle to the clipboard as its text"), {},
         &CResearchMenu::OnCopyCycle},
        {COPY_MATRIX, tr("Copy &Matrix"),
         tr("Copy the weight matrix to the clipboard as the report's rows (Import reads them back)"), {},
         &CResearchMenu::OnCopyMatrix},
    };
    for (const auto& c : commands) {
        auto* action = new QAction(c.text, &frame);
        action->setStatusTip(c.prompt);
        action->setWhatsThis(c.prompt);
        if (!c.key.isEmpty()) action->setShortcut(c.key);
        frame.addAction(action);  // shortcuts work while the menu is closed
        m_pCommands[c.id] = action;
        if (c.slot) connect(action, &QAction::triggered, this, c.slot);
        m_pMenu->addAction(action);
        if (c.id == KNOWN_OPTIMUM || c.id == SERIES) m_pMenu->addSeparator();
    }
    connect(m_pCommands[GAP], &QAction::triggered, this, &CResearchMenu::OnGap);
    connect(m_pCommands[KNOWN_OPTIMUM], &QAction::triggered, this, [this] { OnKnownOptimum(); });
    connect(m_pMenu, &QMenu::aboutToShow, this, &CResearchMenu::UpdateActions);
}

void CResearchMenu::UpdateActions() {
    CChildFrame* active = m_frame.ActiveFrame();
    const bool network = active && active->Doc().m_nDocKind == KIND_NETWORK && FormOf(active);
    for (ECommand c : {PROVEN_OPTIMUM, GAP, KNOWN_OPTIMUM, SERIES}) m_pCommands[c]->setEnabled(network);
    for (ECommand c : {COPY_CYCLE, COPY_MATRIX}) m_pCommands[c]->setEnabled(active != nullptr);
}

CChildFrame* CResearchMenu::NetworkFrame(bool quiet) const {
    CChildFrame* frame = m_frame.ActiveFrame();
    CFormViewBase* form = FormOf(frame);
    if (!form || frame->Doc().m_nDocKind != KIND_NETWORK || form->Busy()) return nullptr;
    // A command that arrives through another window's run would nest a second run inside it.
    if (RunIsPolling()) {
        if (!quiet) WarningBox(IDS_ANOTHER_RUN);
        return nullptr;
    }
    form->CommitFields();
    return frame;
}

void CResearchMenu::OnProvenOptimum() {
    CChildFrame* frame = NetworkFrame();
    if (!frame) return;
    CFormViewBase* form = FormOf(frame);
    CMainDoc& doc = frame->Doc();
    CTestSeries& series = form->Series();
    // An instance's fixed edges bind its optimum too.
    std::vector<std::pair<int, int>> fixed;
    if (!doc.m_layout.source.empty() && doc.m_layout.PlacesNodes(doc.m_solver.m_nNodes)) {
        std::string reason;
        if (!ReadInstanceFixedEdges(doc.m_layout.source, fixed, reason)) {
            Platform().pDialogs->ShowMessage(EBoxKind::Warning, "Cannot read the fixed edges of " +
                                                                    doc.m_layout.source + ":\n" + reason + ".");
            return;
        }
    }
    series.m_aFixedEdges = fixed;
    QStatusBar* status = m_frame.statusBar();
    series.m_fnOptimumProgress = [status](uint32_t ms, int best, int64_t bound, bool hasBound) {
        status->showMessage(QStringLiteral("Proven Optimum: ") +
                            QString::fromStdString(OptimumProgressText(ms, best, bound, hasBound)));
    };
    series.OptimumMethod();
    series.m_fnOptimumProgress = {};
    series.m_aFixedEdges.clear();
    if (doc.m_results.Has(RESULT_OPTIMUM) || doc.m_optimum.bAborted) {
        // The cycle found is the window's result: the Final field and the drawing show it.
        // (Set only when it differs: setting the same text again moves the view to its end.)
        const std::string cycle = FormatCycleText(doc.m_solver, doc.m_solver.m_aCycle);
        if (form->FinalTarget().GetText() != cycle) form->FinalTarget().SetText(cycle);
        if (QWidget* drawing = frame->DrawingPane()) drawing->update();
    }
    status->showMessage(QString::fromStdString(OptimumOutcomeText(doc.m_optimum)));
}

bool CResearchMenu::OnKnownOptimum() {
    CChildFrame* frame = NetworkFrame();
    if (!frame) return false;
    const QVariant current = frame->property(kKnownOptimumProperty);
    CKnownOptimumDlg dialog(current.isValid() ? QString::number(current.toInt()) : QString(), &m_frame);
    if (ExecDialog(dialog) != QDialog::Accepted) return false;
    bool ok = false;
    const int value = dialog.Text().toInt(&ok);
    frame->setProperty(kKnownOptimumProperty, ok ? QVariant(value) : QVariant());
    return ok || dialog.Text().isEmpty();
}

void CResearchMenu::OnGap() {
    CChildFrame* frame = NetworkFrame();
    if (!frame) return;
    auto typed = [frame]() -> std::optional<int> {
        const QVariant v = frame->property(kKnownOptimumProperty);
        return v.isValid() ? std::optional<int>(v.toInt()) : std::nullopt;
    };
    CGapReference reference = FindGapReference(frame->Doc(), typed());
    if (!reference.bFound) {
        if (!reference.strError.empty())
            Platform().pDialogs->ShowMessage(EBoxKind::Warning, "The optima table is left aside:\n" +
                                                                    reference.strError + ".");
        // Nothing known: the user may type the optimum.
        if (!OnKnownOptimum() || !typed()) return;
        reference = FindGapReference(frame->Doc(), typed());
    }
    const std::string text = MethodGapsText(frame->Doc(), reference);
    m_frame.statusBar()->showMessage(QString::fromStdString(text).replace(QLatin1Char('\n'), QStringLiteral("; ")));
    Platform().pDialogs->ShowMessage(EBoxKind::Information, text);
}

void CResearchMenu::OnSeries() {
    CChildFrame* frame = NetworkFrame();
    if (!frame) return;
    if (!m_pSeries) m_pSeries = new CSeriesDialog(&m_frame);
    m_pSeries->Attach(frame);
    m_pSeries->show();
    m_pSeries->raise();
    m_pSeries->activateWindow();
}

void CResearchMenu::OnCopyCycle() {
    CChildFrame* frame = m_frame.ActiveFrame();
    if (!frame) return;
    const CCycleSolver& s = frame->Doc().m_solver;
    QApplication::clipboard()->setText(QString::fromStdString(FormatCycleText(s, s.m_aCycle)));
}

void CResearchMenu::OnCopyMatrix() {
    CChildFrame* frame = m_frame.ActiveFrame();
    if (!frame) return;
    QApplication::clipboard()->setText(QString::fromStdString(MatrixText(frame->Doc())));
}
