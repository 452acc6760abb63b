// The child frames of the test windows.
#include "windows/ChildFrame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHash>
#include <QSplitter>

#include "document/Archive.h"
#include "document/MainDoc.h"
#include "solver/Platform.h"
#include "windows/KindViews.h"
#include "windows/TestForm.h"
#include "windows/WhatsThis.h"

namespace {

constexpr int kDrawingIdealWidth = 232;
constexpr int kDrawingMinWidth = 50;
constexpr int kBannerRoom = 24;

// New documents are numbered per template, as QUIRA1, QUIRA2, Graph1 ...
QString NextUntitledName(const CDocTemplate& tpl) {
    static QHash<int, int> counters;
    return tpl.strDocName + QString::number(++counters[tpl.nStringId]);
}

}  // namespace

QString SameFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
}

CChildFrame* CChildFrame::Create(const CDocTemplate& tpl, std::unique_ptr<CMainDoc> doc,
                                 const QString& title) {
    CChildFrame* frame;
    switch (tpl.frame) {
        case EFrameClass::Splitter:
            frame = new CSplitterFrame(tpl, std::move(doc), title);
            break;
        case EFrameClass::Splitter2:
            frame = new CSplitterFrame2(tpl, std::move(doc), title);
            break;
        case EFrameClass::Splitter3:
            frame = new CSplitterFrame3(tpl, std::move(doc), title);
            break;
        default:
            frame = new CChildFrame(tpl, std::move(doc), title);
            break;
    }
    frame->CreateClient();
    return frame;
}

CChildFrame::CChildFrame(const CDocTemplate& tpl, std::unique_ptr<CMainDoc> doc, const QString& title)
    : m_tpl(tpl), m_pDoc(std::move(doc)), m_strTitle(title.isEmpty() ? NextUntitledName(tpl) : title) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(m_strTitle);
}

CChildFrame::~CChildFrame() {
    // The panes read the document to the end of their lives: they go first.
    m_pDoc->AttachView(nullptr);
    delete widget();
}

void CChildFrame::CreateClient() {
    m_pForm = CreateTestForm(m_tpl.nKind, *m_pDoc);
    setWidget(m_pForm);
    AssignWhatsThis(m_pForm, m_tpl.nKind);
}

void CSplitterFrame::CreateClient() {
    m_pSplitter = new QSplitter(Qt::Horizontal);
    m_pSplitter->setChildrenCollapsible(false);
    m_pDrawing = CreateDrawingPane(m_tpl.nKind, *m_pDoc);
    m_pDrawing->setMinimumWidth(kDrawingMinWidth);
    if (m_pDrawing->focusPolicy() == Qt::NoFocus) m_pDrawing->setFocusPolicy(Qt::ClickFocus);
    m_pForm = CreateTestForm(m_tpl.nKind, *m_pDoc);
    m_pForm->SetDrawingPane(m_pDrawing);
    m_pSplitter->addWidget(m_pDrawing);
    m_pSplitter->addWidget(m_pForm);
    // A larger window gives its room to the drawing; the form keeps its size.
    m_pSplitter->setStretchFactor(0, 1);
    m_pSplitter->setStretchFactor(1, 0);
    m_pSplitter->setSizes({kDrawingIdealWidth, m_pForm->sizeHint().width()});
    setWidget(m_pSplitter);
    setFocusProxy(m_pForm);
    AssignWhatsThis(m_pSplitter, m_tpl.nKind);
}

void CChildFrame::InitialUpdate() {
    // Lay the panes out at their first sizes before the form measures itself to size the frame.
    if (auto* splitter = qobject_cast<QSplitter*>(widget())) {
        const QSize form = m_pForm->sizeHint();
        splitter->resize(kDrawingIdealWidth + splitter->handleWidth() + form.width(),
                         qMax(splitter->height(), form.height()));
        splitter->setSizes({kDrawingIdealWidth, form.width()});
    }
    m_pForm->OnInitialUpdate();
    m_pForm->setFocus();
    MarkUnchanged();
}

void CSplitterFrame::showEvent(QShowEvent* event) {
    CChildFrame::showEvent(event);
    if (m_bPlaced) return;
    // Now that the frame has its size, the drawing gets its ideal width and the form the rest.
    m_bPlaced = true;
    // However the form sized the frame, the drawing keeps its ideal width beside the whole form.
    const int needed = kDrawingIdealWidth + m_pSplitter->handleWidth() + m_pForm->minimumSizeHint().width();
    if (!isMaximized() && m_pSplitter->width() < needed)
        resize(width() + needed - m_pSplitter->width(), height());
    // ... and is at least as tall as wide, with room for the banner line under the ring.
    const int tall = kDrawingIdealWidth + kBannerRoom;
    if (!isMaximized() && m_pSplitter->height() < tall)
        resize(width(), height() + tall - m_pSplitter->height());
    const int rest = m_pSplitter->width() - kDrawingIdealWidth - m_pSplitter->handleWidth();
    if (rest > 0) m_pSplitter->setSizes({kDrawingIdealWidth, rest});
}

std::string CChildFrame::SavedBytes() const {
    if (m_pForm) m_pForm->CommitFields();
    CArchive ar;
    m_pDoc->Serialize(ar);
    return ar.Bytes();
}

void CChildFrame::MarkUnchanged() {
    m_strSavedBytes = SavedBytes();
}

bool CChildFrame::IsModified() const {
    return SavedBytes() != m_strSavedBytes;
}

void CChildFrame::SetPathName(const QString& path) {
    m_strPath = path;
    m_strTitle = QFileInfo(path).fileName();
    setWindowTitle(m_strTitle);
}

bool CChildFrame::Save(bool askName) {
    if (m_pForm) m_pForm->CommitFields();
    QString path = m_strPath;
    if (askName || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? m_strTitle + m_tpl.Extension() : path;
        const std::string chosen = Platform().pDialogs->ChooseFileToSave(
            m_tpl.strFilterName.toStdString(), m_tpl.Extension().mid(1).toStdString(),
            suggested.toStdString());
        if (chosen.empty()) return false;
        path = QString::fromStdString(chosen);
    }
    const std::string& source = m_pDoc->m_layout.source;
    if (!source.empty() && SameFile(path) == SameFile(QString::fromStdString(source))) {
        Platform().pDialogs->ShowMessage(EBoxKind::Warning, path.toStdString() +
                                                                " is the instance file this window was read "
                                                                "from.\nSave the test under another name.");
        return false;
    }
    if (!m_pDoc->OnSaveDocument(path.toStdString())) return false;
    m_pDoc->SaveLayoutBeside(path.toStdString());
    SetPathName(path);
    MarkUnchanged();
    emit Saved(path);
    return true;
}

bool CChildFrame::CanClose() {
    if (!m_pDoc->CanCloseFrame()) return false;
    if (!IsModified()) return true;
    const std::string question = "Save changes to " + m_strTitle.toStdString() + "?";
    switch (Platform().pDialogs->AskYesNoCancel(question)) {
        case EAnswer::Yes:
            return Save(false);
        case EAnswer::No:
            return true;
        case EAnswer::Cancel:
            break;
    }
    return false;
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_bCloseConfirmed || CanClose()) {
        m_bClosing = true;
        QMdiSubWindow::closeEvent(event);
    } else
        event->ignore();
}

void CChildFrame::FocusNextPane(bool) {
    // Two panes at most: forward and back both reach the other one.
    if (!m_pDrawing) return;
    const QWidget* focus = focusWidget();
    const bool inForm = focus && (focus == m_pForm || m_pForm->isAncestorOf(focus));
    if (inForm)
        m_pDrawing->setFocus(Qt::OtherFocusReason);
    else
        m_pForm->setFocus(Qt::OtherFocusReason);
}
