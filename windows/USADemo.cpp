// The map window's form.
#include "windows/USADemo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Series.h"
#include "document/Switches.h"
#include "mapdemo/MapSteps.h"
#include "windows/DialogExec.h"
#include "windows/DistanceDlg.h"
#include "windows/MapOptionsDlg.h"
#include "windows/MapPane.h"
#include "windows/QtPlatform.h"
#include "windows/SuperUserDlg.h"
#include "windows/TriangleDlg.h"

// The Length field as the series steps see it: what they write there is a cost "(%d)" while a
// method runs, or the cycle text of the network window after it; the map shows its route's length
// in miles or kilometres instead.
class CUSADemo::CLengthTarget : public ITextTarget {
public:
    CLengthTarget(CUSADemo& form, QLineEdit* edit) : m_form(form), m_edit(edit) {}
    void SetText(std::string_view text) override {
        const bool cycleText = text.find(") ") != std::string_view::npos;  // "( 17) 1-3-2-4-1"
        if (cycleText)
            m_form.ShowLength();
        else
            m_edit.SetText(text);
    }
    std::string GetText() const override { return m_edit.GetText(); }

private:
    CUSADemo& m_form;
    QtLineEditTarget m_edit;
};

// The solver's repaint on every better route: the map pane at once.
class CUSADemo::CRepaintView : public IOwnerView {
public:
    CRepaintView(CUSADemo& form) : m_form(form) {}
    std::string RandStartsText() const override { return m_form.m_doc.m_strRandStarts; }
    int TestsSoFar() const override { return m_form.m_doc.m_nTests; }
    uint32_t SeriesStartMs() const override { return m_form.m_doc.m_dwSeriesTime; }
    uint32_t CampaignStartMs() const override { return m_form.m_doc.m_dwCampaignStart; }
    void RedrawNow(EDrawingPane) override { m_form.m_pMap->repaint(); }

private:
    CUSADemo& m_form;
};

namespace {

QPushButton* AddButton(QWidget* form, const QString& text, const char* name) {
    auto* button = new QPushButton(text, form);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

// A field with its caption as buddy, so that the caption is the field's accessible name.
QLineEdit* AddField(QWidget* form, QBoxLayout* row, const QString& caption, const char* name, bool readOnly,
                    int width) {
    auto* label = new QLabel(caption, form);
    auto* edit = new QLineEdit(form);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(readOnly);
    // The Time field takes what the row leaves; the others are as wide as their numbers.
    if (width > 0)
        edit->setFixedWidth(width);
    else
        edit->setMinimumWidth(60);
    label->setBuddy(edit);
    edit->setAccessibleName(label->text().remove(QLatin1Char('&')));
    row->addWidget(label);
    row->addWidget(edit, width > 0 ? 0 : 1);
    return edit;
}

}  // namespace

CUSADemo::CUSADemo(CMainDoc& doc, QWidget* parent)
    : CTestForm(doc, parent), m_pMap(new CMapPane(this)), m_pRoute(new QListWidget(this)) {
    const bool large = g_nMaximizeChildren == 2;
    m_pMap->setObjectName(QStringLiteral("mapPane"));
    m_pMap->LoadPicture(g_nMaximizeChildren);

    auto* routeLabel = new QLabel(tr("Current &Route"), this);
    routeLabel->setBuddy(m_pRoute);
    m_pRoute->setObjectName(QStringLiteral("route"));
    m_pRoute->setAccessibleName(QStringLiteral("Current Route"));
    m_pRoute->setSelectionMode(QAbstractItemView::MultiSelection);
    m_pRoute->setSortingEnabled(true);
    m_pRoute->setFixedWidth(large ? 210 : 185);
    m_pRoute->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    QPushButton* exp = AddButton(this, tr("&Exp. Method"), "expMethod");
    QPushButton* polyn = AddButton(this, tr("&Polyn.Method"), "polynMethod");
    QPushButton* accept = AddButton(this, tr("&Accept"), "accept");
    QPushButton* reset = AddButton(this, tr("Re&set"), "reset");
    QPushButton* matrix = AddButton(this, tr("&Matrix"), "matrix");
    QPushButton* compare = AddButton(this, tr("&Compare"), "compare");
    QPushButton* randInitial =
        AddButton(this, large ? tr("Rand. Initial") : tr("Rand. &Initial"), "randInitial");
    QPushButton* timeBy = AddButton(this, tr("Time &By Exp.Method"), "timeByExpMethod");
    QPushButton* options = AddButton(this, tr("&Options"), "options");
    QPushButton* triangle = AddButton(this, tr("&Triangle Inequality"), "triangleInequality");

    auto* fields = new QHBoxLayout;
    m_pNodes = AddField(this, fields, tr("Nodes"), "nodes", true, 30);
    m_pLength = AddField(this, fields, tr("Length"), "length", true, 72);
    m_pTime = AddField(this, fields, tr("Time"), "time", true, 0);
    auto* counts = new QHBoxLayout;
    m_pRandStarts = AddField(this, counts, tr("Ran&d.Starts"), "randStarts", false, 50);
    counts->addSpacing(12);
    m_pFullTests = AddField(this, counts, tr("F&ull Tests"), "fullTests", false, 50);
    counts->addStretch(1);
    counts->addWidget(timeBy);
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this);
    m_pRandStarts->setValidator(digits);
    m_pFullTests->setValidator(digits);

    auto* runButtons = new QHBoxLayout;
    for (QPushButton* b : {exp, polyn, compare, randInitial}) runButtons->addWidget(b);

    auto* listButtons = new QGridLayout;
    listButtons->addWidget(accept, 0, 0);
    listButtons->addWidget(reset, 0, 1);
    listButtons->addWidget(matrix, 1, 0);
    listButtons->addWidget(options, 1, 1);
    listButtons->addWidget(triangle, 2, 0, 1, 2);

    auto* right = new QVBoxLayout;
    right->addWidget(routeLabel);
    right->addWidget(m_pRoute, 1);
    right->addLayout(listButtons);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_pMap, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addLayout(right, 0, 1, 4, 1);
    layout->addLayout(fields, 1, 0);
    layout->addLayout(runButtons, 2, 0);
    layout->addLayout(counts, 3, 0);
    layout->setColumnStretch(1, 1);

    connect(exp, &QPushButton::clicked, this, &CUSADemo::OnExpMethod);
    connect(polyn, &QPushButton::clicked, this, &CUSADemo::OnPolynMethod);
    connect(accept, &QPushButton::clicked, this, &CUSADemo::OnAccept);
    connect(reset, &QPushButton::clicked, this, &CUSADemo::OnReset);
    connect(matrix, &QPushButton::clicked, this, &CUSADemo::OnMatrix);
    connect(compare, &QPushButton::clicked, this, &CUSADemo::OnCompare);
    connect(randInitial, &QPushButton::clicked, this, &CUSADemo::OnRandInitial);
    connect(timeBy, &QPushButton::clicked, this, &CUSADemo::OnTimeByExpMethod);
    connect(options, &QPushButton::clicked, this, &CUSADemo::OnOptions);
    connect(triangle, &QPushButton::clicked, this, &CUSADemo::OnTriangleInequality);
    connect(m_pRandStarts, &QLineEdit::editingFinished, this, &CUSADemo::OnCountsEdited);
    connect(m_pFullTests, &QLineEdit::editingFinished, this, &CUSADemo::OnCountsEdited);

    m_pTimeTarget = std::make_unique<QtLineEditTarget>(m_pTime);
    m_pLengthTarget = std::make_unique<CLengthTarget>(*this, m_pLength);
    m_pRepaint = std::make_unique<CRepaintView>(*this);
    m_pSeries = std::make_unique<CTestSeries>(m_doc, *m_pTimeTarget, *m_pLengthTarget);
    // Before every random start and after every run: the route list, the length, the map.
    m_pSeries->m_fnRefresh = [this](int withReset) {
        FillRouteList();
        if (!withReset) ShowLength();
        m_pMap->repaint();
    };
}

CUSADemo::~CUSADemo() {
    if (m_doc.m_solver.m_pOwnerView) m_doc.AttachView(nullptr);
}

bool CUSADemo::Busy() const {
    if (m_doc.m_solver.m_bBusy != 0) return true;
    // A click that arrives through another window's run would nest a second run inside it.
    if (!RunIsPolling()) return false;
    WarningBox(IDS_ANOTHER_RUN);
    return true;
}

void CUSADemo::OnInitialUpdate() {
    CCycleSolver& s = m_doc.m_solver;
    s.m_nKind = KIND_MAP;
    m_doc.AttachView(m_pRepaint.get());
    m_doc.InitKind(KIND_MAP, MAP_CAPITALS);
    m_pMap->Attach(&s);
    m_pMap->LoadPicture(g_nMaximizeChildren);
    m_pRandStarts->setText(QString::fromStdString(m_doc.m_strRandStarts));
    m_pFullTests->setText(QString::fromStdString(m_doc.m_strFullTests));
    if (m_doc.m_bFromFile) {
        // The Length field's unit follows the weights the file holds.
        m_bUseKilometers = s.m_bUseKilometers;
        FillRouteList();
        m_pNodes->setText(QString::number(s.m_nNodes));
        ShowLength();
        if (m_doc.m_results.Stored() != 0) m_doc.ShowSavedTime(m_pTimeTarget.get());
        m_pMap->repaint();
    } else {
        Rebuild(0);
    }
    if (QMdiSubWindow* frame = Frame()) {
        if (g_nMaximizeChildren == 1)
            frame->showMaximized();
        else
            frame->resize(frame->sizeHint().expandedTo(frame->minimumSizeHint()));
    }
}

void CUSADemo::CommitFields() {
    OnCountsEdited();
}

void CUSADemo::FillRouteList() {
    const CCycleSolver& s = m_doc.m_solver;
    m_pRoute->clear();
    for (int k = 1; k <= s.m_nNodes; ++k) m_pRoute->addItem(QString::fromStdString(MapRouteLine(s, k)));
}

void CUSADemo::ShowLength() {
    m_pLength->setText(QString::fromStdString(MapLengthText(m_doc.m_solver, m_bUseKilometers)));
}

void CUSADemo::Rebuild(int random) {
    RebuildMapNetwork(m_doc, m_bUseKilometers, random);
    RefreshAfterStep();
    m_pTime->clear();
}

// The route list, Nodes, the length and the map after a step.
void CUSADemo::RefreshAfterStep() {
    FillRouteList();
    m_pNodes->setText(QString::number(m_doc.m_solver.m_nNodes));
    ShowLength();
    m_pMap->repaint();
}

void CUSADemo::OnExpMethod() {
    if (Busy()) return;
    m_pSeries->ExactMethod();
    RefreshAfterStep();
}

void CUSADemo::OnPolynMethod() {
    if (Busy()) return;
    m_pSeries->PolynomialMethod();
    RefreshAfterStep();
}

void CUSADemo::OnCompare() {
    if (Busy()) return;
    m_pSeries->Compare();
    RefreshAfterStep();
}

void CUSADemo::OnAccept() {
    if (Busy()) return;
    std::vector<int> positions;
    for (const QListWidgetItem* item : m_pRoute->selectedItems())
        positions.push_back(item->text().section(QLatin1Char(':'), 0, 0).trimmed().toInt());
    if (AcceptMapSelection(m_doc, positions, m_bUseKilometers)) {
        RefreshAfterStep();
        m_pTime->clear();
    }
}

void CUSADemo::OnReset() {
    if (Busy()) return;
    ResetMapSelection(m_doc, m_bUseKilometers);
    RefreshAfterStep();
    m_pTime->clear();
}

void CUSADemo::OnRandInitial() {
    if (Busy()) return;
    Rebuild(1);
}

void CUSADemo::OnMatrix() {
    CDistanceDlg dialog(m_doc.m_solver, this);
    ExecDialog(dialog);
    m_pMap->repaint();
}

void CUSADemo::OnTimeByExpMethod() {
    if (Busy()) return;
    EditMethodParams(MapParamSet(), this);
}

void CUSADemo::OnOptions() {
    if (Busy()) return;
    CMapOptionsDlg dialog(m_pMap->m_bShowDistances, m_bUseKilometers, m_doc.m_solver.m_bMaximum, this);
    if (ExecDialog(dialog) != QDialog::Accepted) return;
    m_pMap->m_bShowDistances = dialog.ShowDistances();
    const int oldKm = m_bUseKilometers;
    m_bUseKilometers = dialog.UseKilometers();
    if (ApplyMapOptions(m_doc, dialog.Maximum(), m_bUseKilometers, oldKm)) ShowLength();
    m_pMap->repaint();
}

void CUSADemo::OnTriangleInequality() {
    if (Busy()) return;
    CTriangleDlg dialog(m_doc.m_solver, this);
    ExecDialog(dialog);
    m_pMap->repaint();
}

void CUSADemo::OnCountsEdited() {
    std::string starts = m_pRandStarts->text().toStdString();
    std::string full = m_pFullTests->text().toStdString();
    AcceptMapCounts(m_doc, starts, full);
    m_pRandStarts->setText(QString::fromStdString(starts));
    m_pFullTests->setText(QString::fromStdString(full));
}
