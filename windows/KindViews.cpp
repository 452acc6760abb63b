// The panes of each kind of test window.
#include "windows/KindViews.h"

#include <QLabel>
#include <QVBoxLayout>

#include "document/MainDoc.h"
#include "windows/TestForm.h"
#include "windows/USADemo.h"

namespace {

// Stands in for a kind's form until that form exists: binds the document to its kind, so the
// window opens, saves and prints like any other.
class CPlaceholderForm : public CTestForm {
public:
    CPlaceholderForm(CMainDoc& doc, int kind) : CTestForm(doc), m_nKind(kind) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(tr("This test window's form is not built yet."), this));
        layout->addStretch();
    }
    void OnInitialUpdate() override {
        m_doc.m_solver.m_nKind = m_nKind;
        m_doc.InitKind(m_nKind, m_nKind == KIND_MAP ? MAP_CAPITALS : 8);
    }

private:
    int m_nKind;
};

}  // namespace

QWidget* CreateDrawingPane(int kind, CMainDoc&) {
    if (kind == KIND_MAP) return nullptr;
    auto* pane = new QWidget;
    pane->setAutoFillBackground(true);
    pane->setBackgroundRole(QPalette::Base);
    return pane;
}

CTestForm* CreateTestForm(int kind, CMainDoc& doc) {
    if (kind == KIND_MAP) return new CUSADemo(doc);
    return new CPlaceholderForm(doc, kind);
}
