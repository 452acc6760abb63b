// The main frame of QUIRA1: the multi-document area holding the test windows, with the menus,
// the toolbar and the status bar. Every command of the program starts here: the File commands
// over the document templates, the four New ... Window commands, the Options switches, the
// Window menu and the help. One function (UpdateActions) enables every command from the active
// test window.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QStringList>

class CChildFrame;
class CResearchMenu;
struct CDocTemplate;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QMimeData;
class QToolBar;

// The program's command ids, as the menus, the toolbar and the accelerators know them.
enum ECommandId {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT = 32807,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_OPTIONS_ASCII_SAVE = 32778,
    ID_OPTIONS_SHOW_STATISTICS = 32779,
    ID_OPTIONS_STOP_SHORT_TESTING = 32774,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_INTRODUCTION = 32775,
    ID_HELP_INDEX = 57666,
    ID_HELP_USING = 57668,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_APP_ABOUT = 57664,
    ID_NEW_QUIRA_WINDOW = 32809,
    ID_NEW_GRAPH_WINDOW = 32811,
    ID_NEW_CHECK_WINDOW = 32810,
    ID_NEW_USA_MAP = 32773,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
};

constexpr int kRecentFileCount = 4;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Creates the menus, toolbar and status bar, reads the recent files and params.dat.
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_pMdiArea; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    QAction* Command(int id) const { return m_commands.value(id); }
    QMenu* Menu(const QString& title) const;
    QLabel* Indicator(int k) const { return m_pIndicators[k]; }  // CAP, NUM, SCRL
    CResearchMenu* Research() const { return m_pResearch; }

    CChildFrame* ActiveFrame() const;
    QList<CChildFrame*> Frames() const;

    // ---- Commands ------------------------------------------------------------------------------
    // File New: the "New" dialog, then a window of the chosen kind (none when cancelled).
    CChildFrame* OnFileNew();
    // A new, untitled window of the template.
    CChildFrame* NewWindow(const CDocTemplate& tpl);
    // Opens the file in a window of its kind; a file already open is brought to the front. A
    // published instance file (told by its content) opens as OpenInstance opens it. Null when the
    // file cannot be opened (the document has said why).
    CChildFrame* OpenFile(const QString& path);
    // A published instance file in a new network window of its size, drawn at its coordinates.
    CChildFrame* OpenInstance(const QString& path);
    CChildFrame* OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();

    // Files dropped on the main window open as File Open opens them.
    void OpenDroppedFiles(const QMimeData& mime);

    QStringList RecentFiles() const { return m_recentFiles; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* AddCommand(int id, const QString& text, const QString& prompt, const QKeySequence& key = {},
                        const QString& icon = {});
    void CreateActions();
    void ExplainCommands();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ReadRecentFiles();
    void WriteRecentFiles() const;
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void UpdateRecentFileActions();
    void UpdateWindowMenu();
    void UpdateActions();
    void UpdateTitle();
    void ShowFrame(CChildFrame* frame);
    void GrowForDrawing(CChildFrame* frame);
    void ArrangeIcons();
    void UpdateLockIndicators(quint32 nativeModifiers);
    void ActivateFrameOf(QWidget* widget);

    QMdiArea* m_pMdiArea;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    CResearchMenu* m_pResearch = nullptr;
    QLabel* m_pIndicators[3]{};
    QHash<int, QAction*> m_commands;
    QList<QAction*> m_recentActions;
    QStringList m_recentFiles;
    int m_nPlaced = 0;  // windows placed so far, for the next one's position
};

// The main frame's title.
inline constexpr const char* kMainFrameTitle = "QUIRA-1 (Traveling SalesMan Problem), Research version";

// Test windows open maximised on a screen narrower than 700 pixels: the value of
// g_nMaximizeChildren for a screen width.
int MaximizeChildrenForScreenWidth(int width);
