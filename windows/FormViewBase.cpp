// The shared side of the test windows' forms.
#include "windows/FormViewBase.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <algorithm>

namespace {
constexpr int kDrawingPaneWidth = 232;  // the splitter frames' ideal width of the drawing
}  // namespace

#include "document/MainDoc.h"
#include "document/Messages.h"
#include "document/Switches.h"

CFormViewBase::CFormViewBase(CMainDoc& doc, QWidget* parent) : CTestForm(doc, parent) {
    m_doc.AttachView(&m_link);
}

CFormViewBase::~CFormViewBase() {
    m_doc.AttachView(nullptr);
}

bool CFormViewBase::Busy() const {
    return m_doc.m_solver.m_bBusy != 0;
}

void CFormViewBase::CreateResultFields(QLineEdit* time, QLineEdit* final) {
    m_pTime = time;
    m_pFinal = final;
    m_pTime->setReadOnly(true);
    m_pFinal->setReadOnly(true);
    // A long cycle shows from its start (its length) rather than from its end.
    for (QLineEdit* edit : {m_pTime, m_pFinal})
        connect(edit, &QLineEdit::textChanged, edit, [edit] { edit->setCursorPosition(0); });
    m_pTimeTarget = std::make_unique<QtLineEditTarget>(m_pTime);
    m_pFinalTarget = std::make_unique<QtLineEditTarget>(m_pFinal);
    m_pSeries = std::make_unique<CTestSeries>(m_doc, *m_pTimeTarget, *m_pFinalTarget);
    m_pSeries->m_fnRefresh = [this](int reset) {
        RefreshForm(reset);
        UpdateDrawing();
    };
}

QLabel* CFormViewBase::Caption(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, this);
    label->setBuddy(field);
    QString name = text;
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name);
    return label;
}

QHBoxLayout* CFormViewBase::CaptionedRow(std::initializer_list<std::pair<const char*, QLineEdit*>> fields) {
    auto* row = new QHBoxLayout;
    for (const auto& [caption, edit] : fields) {
        auto* column = new QVBoxLayout;
        column->addStretch(1);
        column->addWidget(Caption(QString::fromLatin1(caption), edit));
        column->addWidget(edit);
        row->addLayout(column);
    }
    return row;
}

void CFormViewBase::AcceptOnFocusLoss(QLineEdit* edit) {
    edit->installEventFilter(this);
}

void CFormViewBase::AcceptOnClick(QAbstractButton* box) {
    connect(box, &QAbstractButton::clicked, this, [this] { AcceptFields(); });
}

bool CFormViewBase::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !m_bAccepting) {
        m_bAccepting = true;
        AcceptFields();
        m_bAccepting = false;
    }
    return CTestForm::eventFilter(watched, event);
}

QPushButton* CFormViewBase::AddCommand(const QString& caption, std::function<void()> command) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] {
        if (Busy()) return;
        // A click that arrives through another window's run would nest a second run inside it.
        if (RunIsPolling()) {
            WarningBox(IDS_ANOTHER_RUN);
            return;
        }
        // Fields typed into during the command's run would be neither checked nor kept: they
        // take no typing until it ends.
        QList<QPointer<QLineEdit>> editable;
        for (QLineEdit* edit : EditableFields()) {
            edit->setReadOnly(true);
            editable.append(edit);
        }
        command();
        for (const QPointer<QLineEdit>& edit : editable)
            if (edit) edit->setReadOnly(false);
    });
    m_commands.append(button);
    return button;
}

QList<QLineEdit*> CFormViewBase::EditableFields() const {
    QList<QLineEdit*> fields;
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (!edit->isReadOnly()) fields.append(edit);
    return fields;
}

QGridLayout* CFormViewBase::CommandGrid(
    std::initializer_list<std::pair<const char*, std::function<void()>>> commands, int columns) {
    auto* grid = new QGridLayout;
    int k = 0;
    for (const auto& [caption, command] : commands) {
        grid->addWidget(AddCommand(QString::fromLatin1(caption), command), k / columns, k % columns);
        ++k;
    }
    return grid;
}

QGridLayout* CFormViewBase::CaptionedFields(std::initializer_list<std::pair<QString, QWidget*>> rows) {
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& [caption, field] : rows) {
        grid->addWidget(Caption(caption, field), row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    }
    return grid;
}

QPushButton* CFormViewBase::CommandButton(const QString& caption) const {
    for (QPushButton* b : m_commands)
        if (b->text() == caption) return b;
    return nullptr;
}

int CFormViewBase::AcceptNodes(QLineEdit* edit, int maxNodes) {
    if (edit->text().toStdString() == m_doc.m_strNodes) return 0;
    const int n = LeadingInt(edit->text().toStdString());
    if (n < MIN_DOC_NODES || n > maxNodes) {
        PutBack(edit, m_doc.m_strNodes);
        ErrorBox(QString::asprintf("A number of the nodes is invalid.\nThe valid range: 4...%d", maxNodes));
        return -1;
    }
    const int old = m_doc.m_solver.m_nNodes;
    if (!m_doc.SetNodeCount(n)) {
        PutBack(edit, m_doc.m_strNodes);
        WarningBox(IDS_NO_MEMORY_FOR_NODES);
        m_doc.SetNodeCount(old);
    }
    m_doc.m_strNodes = edit->text().toStdString();
    Series().Reset();
    TimeTarget().SetText("");
    m_doc.m_nResults = 0;
    return 1;
}

int CFormViewBase::AcceptCycleText(QLineEdit* edit, std::string& accepted) {
    const std::string text = edit->text().toStdString();
    if (text == accepted) return 0;
    if (m_doc.ParseGivenCycle(text) != 0) {
        PutBack(edit, accepted);
        return -1;
    }
    Series().Refresh(1);
    m_doc.m_nResults = 0;
    accepted = text;
    return 1;
}

void CFormViewBase::ErrorBox(const QString& text) {
    Platform().pDialogs->ShowMessage(EBoxKind::Error, text.toStdString());
}

void CFormViewBase::PutBack(QLineEdit* edit, const std::string& text) {
    edit->setText(QString::fromStdString(text));
}

void CFormViewBase::UpdateDrawing() {
    if (m_pDrawing) m_pDrawing->update();
}

void CFormViewBase::SizeFrame(QWidget* lastField) {
    QMdiSubWindow* frame = Frame();
    if (!frame) return;
    if (g_nMaximizeChildren == 1) {
        frame->showMaximized();
        return;
    }
    static QHash<int, QSize> sizeOfKind;
    const int kind = m_doc.m_nDocKind;
    if (!sizeOfKind.contains(kind)) {
        if (QLayout* l = layout()) l->activate();
        // The form down to the last field's bottom right, with a margin, and the drawing beside
        // it at the frame's ideal width.
        const QPoint corner = lastField->mapTo(this, lastField->rect().bottomRight());
        const QSize form = QSize(corner.x() + 30, corner.y() + 16).expandedTo(minimumSizeHint());
        QSize client = form;
        if (auto* splitter = qobject_cast<QSplitter*>(frame->widget()); splitter && m_pDrawing) {
            client.rwidth() += kDrawingPaneWidth + splitter->handleWidth();
        }
        const QSize decorations = frame->sizeHint() - frame->widget()->sizeHint();
        sizeOfKind.insert(kind, client + decorations.expandedTo(QSize(0, 0)));
    }
    QSize size = sizeOfKind.value(kind);
    // On a small screen the frame stays inside the work area; the splitter then narrows the drawing.
    if (QMdiArea* area = frame->mdiArea())
        size = size.boundedTo(area->viewport()->size()).expandedTo(frame->minimumSizeHint());
    frame->resize(size);
}

// ---- The drawing link -------------------------------------------------------------------------------

std::string CFormViewBase::CDrawingLink::RandStartsText() const {
    return m_form.m_doc.m_strRandStarts;
}
int CFormViewBase::CDrawingLink::TestsSoFar() const {
    return m_form.m_doc.m_nTests;
}
uint32_t CFormViewBase::CDrawingLink::SeriesStartMs() const {
    return m_form.m_doc.m_dwSeriesTime;
}
uint32_t CFormViewBase::CDrawingLink::CampaignStartMs() const {
    return m_form.m_doc.m_dwCampaignStart;
}

void CFormViewBase::CDrawingLink::RedrawNow(EDrawingPane) {
    if (m_form.m_pDrawing) m_form.m_pDrawing->repaint();
    if (m_form.m_pFinal) m_form.m_pFinal->repaint();
}

void CFormViewBase::ShowCurrentCycle(QLineEdit* edit, std::string& accepted) {
    accepted = m_doc.CycleText(m_doc.m_solver.m_aCycle);
    edit->setText(QString::fromStdString(accepted));
    edit->setCursorPosition(0);
}
