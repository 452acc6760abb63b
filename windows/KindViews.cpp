// The panes of each kind of test window.
#include "windows/KindViews.h"

#include <QLabel>
#include <QVBoxLayout>

#include "document/MainDoc.h"
#include "windows/GraphView.h"
#include "windows/InputView.h"
#include "windows/InputView3.h"
#include "windows/NetView.h"
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
        if (m_doc.m_bFromFile) return;
        if (m_nKind == KIND_MAP)
            m_doc.m_solver.BuildMapNetwork(0);
        else
            m_doc.GenerateRandom();
        m_doc.m_solver.MakeInitialCycle(1, 0);
    }

private:
    int m_nKind;
};

}  // namespace

QWidget* CreateDrawingPane(int kind, CMainDoc& doc) {
    if (kind == KIND_MAP) return nullptr;
    return new CNetView(doc);
}

CTestForm* CreateTestForm(int kind, CMainDoc& doc) {
    if (kind == KIND_NETWORK) return new CInputView(doc);
    if (kind == KIND_GRAPH) return new CGraphView(doc);
    if (kind == KIND_CHECK) return new CInputView3(doc);
    if (kind == KIND_MAP) return new CUSADemo(doc);
    return new CPlaceholderForm(doc, kind);
}
