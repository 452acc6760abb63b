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
#include <QRegularExpressionValidator>
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
    m_pFields = std::make_unique<CFormFields>(m_doc, *m_pSeries, *m_pTimeTarget);
}

void CFormViewBase::BindFields(const CFieldBinding& binding) {
    m_binding = binding;
    if (binding.pAmplitude) binding.pAmplitude->setMaxLength(AMPLITUDE_CHARS);
    if (binding.pCycle) binding.pCycle->setMaxLength(CYCLE_TEXT_CHARS);
    for (QLineEdit* count : {binding.pRandStarts, binding.pFullTests})
        if (count)
            count->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), count));
    for (QLineEdit* number : {binding.pNodes, binding.pAmplitude, binding.pRandStarts, binding.pFullTests})
        if (number) number->setMaximumWidth(70);
    for (QLineEdit* edit :
         {binding.pNodes, binding.pAmplitude, binding.pRandStarts, binding.pFullTests, binding.pCycle})
        if (edit) AcceptOnFocusLoss(edit);
    for (QAbstractButton* box : {binding.pShowWeights, binding.pMaximum})
        if (box) AcceptOnClick(box);
}

CFormTexts CFormViewBase::ReadTexts() const {
    CFormTexts t = m_pFields->DocumentTexts();
    auto read = [](const QLineEdit* edit, std::string& text) {
        if (edit) text = edit->text().toStdString();
    };
    read(m_binding.pNodes, t.strNodes);
    read(m_binding.pAmplitude, t.strAmplitude);
    read(m_binding.pRandStarts, t.strRandStarts);
    read(m_binding.pFullTests, t.strFullTests);
    read(m_binding.pCycle, t.strCycle);
    if (m_binding.pShowWeights) t.bShowWeights = m_binding.pShowWeights->isChecked();
    if (m_binding.pMaximum) t.bMaximum = m_binding.pMaximum->isChecked();
    return t;
}

void CFormViewBase::ShowTexts(const CFormTexts& t) {
    // Only a changed text is set, so a field keeps its cursor and undo history otherwise.
    auto show = [](QLineEdit* edit, const std::string& text) {
        if (!edit) return;
        const QString value = QString::fromStdString(text);
        if (edit->text() != value) edit->setText(value);
    };
    show(m_binding.pNodes, t.strNodes);
    show(m_binding.pAmplitude, t.strAmplitude);
    show(m_binding.pRandStarts, t.strRandStarts);
    show(m_binding.pFullTests, t.strFullTests);
    if (m_binding.pCycle && m_binding.pCycle->text() != QString::fromStdString(t.strCycle)) {
        m_binding.pCycle->setText(QString::fromStdString(t.strCycle));
        m_binding.pCycle->setCursorPosition(0);
    }
    if (m_binding.pShowWeights) m_binding.pShowWeights->setChecked(t.bShowWeights);
    if (m_binding.pMaximum) m_binding.pMaximum->setChecked(t.bMaximum);
}

void CFormViewBase::AcceptFields() {
    CFormTexts texts = ReadTexts();
    const bool changed = m_pFields->Accept(texts);
    ShowTexts(texts);
    if (changed) UpdateDrawing();
}

void CFormViewBase::OnInitialUpdate() {
    CFormTexts texts = ReadTexts();
    m_pFields->InitialUpdate(m_binding.nKind, texts);
    ShowTexts(texts);
    SizeFrame(m_binding.pLastField);
}

void CFormViewBase::UpdateFromDocument() {
    CFormTexts texts = m_pFields->DocumentTexts();
    if (m_binding.pCycle) texts.strCycle = m_binding.pCycle->text().toStdString();
    ShowTexts(texts);
}

void CFormViewBase::RefreshForm(int reset) {
    if (!reset || !m_binding.pCycle) return;
    m_binding.pCycle->setText(QString::fromStdString(m_pFields->TakeCurrentCycle()));
    m_binding.pCycle->setCursorPosition(0);
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
