// The panes of each kind of test window.
#include "windows/KindViews.h"

#include "document/MainDoc.h"
#include "windows/GraphView.h"
#include "windows/InputView.h"
#include "windows/InputView3.h"
#include "windows/NetView.h"
#include "windows/TestForm.h"
#include "windows/USADemo.h"

QWidget* CreateDrawingPane(int kind, CMainDoc& doc) {
    if (kind == KIND_MAP) return nullptr;
    return new CNetView(doc);
}

CTestForm* CreateTestForm(int kind, CMainDoc& doc) {
    switch (kind) {
        case KIND_GRAPH:
            return new CGraphView(doc);
        case KIND_CHECK:
            return new CInputView3(doc);
        case KIND_MAP:
            return new CUSADemo(doc);
        default:
            return new CInputView(doc);
    }
}
