// The form of a test window: the right-hand pane of the network, graph and check windows and the
// whole client area of the map window. The window's frame creates it over the frame's document,
// hands it the drawing pane, and calls it at the document/view moments below.
#pragma once

#include <QPointer>
#include <QWidget>

class CMainDoc;
class QMdiSubWindow;

class CTestForm : public QWidget {
    Q_OBJECT
public:
    explicit CTestForm(CMainDoc& doc, QWidget* parent = nullptr) : QWidget(parent), m_doc(doc) {}

    CMainDoc& Doc() const { return m_doc; }

    // Once, when the window first shows, with the document new or just read from a file: bind the
    // document to the kind (InitKind), fill the fields, size or maximise the frame.
    virtual void OnInitialUpdate() = 0;
    // Moves what the user typed but has not yet accepted into the document; called before the
    // document is saved, printed or asked whether it changed.
    virtual void CommitFields() {}

    // The drawing on the left of the window (none for the map window). Set by the frame before
    // the initial update.
    void SetDrawingPane(QWidget* pane) { m_pDrawing = pane; }
    QWidget* DrawingPane() const { return m_pDrawing; }

    // The child frame that holds this form; null when the form stands alone (as in tests).
    QMdiSubWindow* Frame() const;

protected:
    CMainDoc& m_doc;
    QPointer<QWidget> m_pDrawing;
};
