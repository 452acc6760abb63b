// The child frames of the test windows. Each frame owns its window's document for the window's
// whole life. The network, graph and check windows split their client area: the drawing on the
// left (232 pixels ideal, 50 at least) and the kind's form on the right, which is the active
// pane; the map window's plain frame holds its form alone.
//
// A frame knows the file its document came from or went to, and whether the document changed
// since then; closing a changed document asks first, and a document whose method runs refuses to
// close at all.
#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "windows/DocTemplate.h"

class CMainDoc;
class CTestForm;
class QSplitter;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Creates the frame class of the template over the document, with its panes; the caller
    // adds it to the multi-document area and then calls InitialUpdate. The title is the template's
    // document name with a number unless one is given (an instance's name).
    static CChildFrame* Create(const CDocTemplate& tpl, std::unique_ptr<CMainDoc> doc,
                               const QString& title = {});
    ~CChildFrame() override;

    CMainDoc& Doc() const { return *m_pDoc; }
    CTestForm* Form() const { return m_pForm; }
    QWidget* DrawingPane() const { return m_pDrawing; }
    const CDocTemplate& Template() const { return m_tpl; }

    // The document's file ("" while it has none) and the title shown in the window's caption:
    // the file's name, or the template's document name with a number ("QUIRA1").
    const QString& PathName() const { return m_strPath; }
    QString Title() const { return m_strTitle; }

    // The form's first update (binding the document to its kind, sizing the frame); the state it
    // leaves is the unchanged state of the document.
    void InitialUpdate();

    // True when the document differs from what was last opened, saved or first shown.
    bool IsModified() const;
    // Saves into the document's file, or asks for one first (always with askName), with the
    // companion file of its node positions. False when the user cancelled, chose the instance
    // file the window was read from, or the file could not be written (the document has said why).
    bool Save(bool askName);
    // The can-close query: refused while a method runs; a changed document asks whether to save
    // it first (Yes saves, No discards, Cancel keeps the window open).
    bool CanClose();

    // Closes the window without asking again: the user has answered the can-close query.
    void CloseConfirmed() {
        m_bCloseConfirmed = true;
        close();
    }

    // The window has accepted its close and waits to be deleted.
    bool IsClosing() const { return m_bClosing; }

    // Moves the focus between the two panes (F6 and Shift+F6).
    void FocusNextPane(bool forward);

signals:
    void Saved(const QString& path);

protected:
    CChildFrame(const CDocTemplate& tpl, std::unique_ptr<CMainDoc> doc, const QString& title);
    void closeEvent(QCloseEvent* event) override;
    // Builds the client area; the plain frame holds the form alone.
    virtual void CreateClient();

    const CDocTemplate& m_tpl;
    std::unique_ptr<CMainDoc> m_pDoc;
    CTestForm* m_pForm = nullptr;
    QPointer<QWidget> m_pDrawing;

private:
    friend class CMainFrame;
    void SetPathName(const QString& path);
    std::string SavedBytes() const;
    void MarkUnchanged();

    QString m_strPath;
    QString m_strTitle;
    std::string m_strSavedBytes;
    bool m_bCloseConfirmed = false;
    bool m_bClosing = false;
};

// The path by which two names of one file compare equal (the canonical path of a file that exists).
QString SameFile(const QString& path);

// The frame of the network test window.
class CSplitterFrame : public CChildFrame {
    Q_OBJECT
public:
    QSplitter* Splitter() const { return m_pSplitter; }

protected:
    friend class CChildFrame;
    using CChildFrame::CChildFrame;
    void CreateClient() override;
    void showEvent(QShowEvent* event) override;

private:
    QSplitter* m_pSplitter = nullptr;
    bool m_bPlaced = false;
};

// The frame of the graph test window.
class CSplitterFrame2 : public CSplitterFrame {
    Q_OBJECT
protected:
    friend class CChildFrame;
    using CSplitterFrame::CSplitterFrame;
};

// The frame of the check-a-given-cycle window.
class CSplitterFrame3 : public CSplitterFrame {
    Q_OBJECT
protected:
    friend class CChildFrame;
    using CSplitterFrame::CSplitterFrame;
};
