// The shared side of the test windows' forms.
#include "windows/FormViewBase.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>

#include "document/MainDoc.h"
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
        frame->ensurePolished();
        if (QLayout* l = frame->layout()) l->activate();
        const QPoint bottomRight = lastField->mapTo(frame, lastField->rect().bottomRight());
        sizeOfKind.insert(
            kind, QSize(bottomRight.x() + 30, bottomRight.y() + 16).expandedTo(frame->minimumSizeHint()));
    }
    frame->resize(sizeOfKind.value(kind));
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
