// The panes of each kind of test window: the frame of a kind asks here for its drawing and its
// form, so a new form class is wired into the program in one place.
#pragma once

class CMainDoc;
class CTestForm;
class QWidget;

// The drawing pane of the network, graph and check windows; null for the map window, whose form
// draws its own map.
QWidget* CreateDrawingPane(int kind, CMainDoc& doc);
// The form of the kind (KIND_NETWORK, KIND_GRAPH, KIND_CHECK, KIND_MAP).
CTestForm* CreateTestForm(int kind, CMainDoc& doc);
