// The main frame.
#include "windows/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QWhatsThis>
#include <cstdlib>
#include <memory>

#include "document/InstanceFileCheck.h"
#include "document/MainDoc.h"
#include "document/Params.h"
#include "document/Switches.h"
#include "solver/MethodParams.h"
#include "windows/AboutDlg.h"
#include "windows/ChildFrame.h"
#include "windows/DocTemplate.h"
#include "windows/HelpWindow.h"
#include "windows/IntroDlg.h"
#include "windows/NewDocDlg.h"
#include "windows/ReportPrinter.h"
#include "windows/ResearchMenu.h"
#include "windows/ShellIcons.h"
#include "windows/TestForm.h"

namespace {

QSettings ProgramSettings() {
    return QSettings(QStringLiteral("QUIRA-1"), QStringLiteral("QUIRA1"));
}

// The switch an Options command toggles (only those three commands have one).
int& SwitchOf(int id) {
    switch (id) {
        case ID_OPTIONS_ASCII_SAVE:
            return g_bAsciiSave;
        case ID_OPTIONS_SHOW_STATISTICS:
            return g_bShowStatistics;
        default:
            return g_bStopShortTesting;
    }
}

}  // namespace

int MaximizeChildrenForScreenWidth(int width) {
    return width < 700 ? 1 : 2;
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_pMdiArea(new QMdiArea(this)) {
    setWindowTitle(QString::fromLatin1(kMainFrameTitle));
    setObjectName(QStringLiteral("MainFrame"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);
    setAcceptDrops(true);

    CreateActions();
    ExplainCommands();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ReadRecentFiles();
    ReadParams();  // a missing params.dat keeps the defaults

    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] {
        UpdateActions();
        UpdateTitle();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [](Qt::ApplicationState state) { g_bAppActive = state == Qt::ApplicationActive ? 1 : 0; });
    qApp->installEventFilter(this);
    UpdateActions();
}

CMainFrame::~CMainFrame() {
    // The test windows go with the area; nothing of this frame is left to update by then.
    for (CChildFrame* frame : findChildren<CChildFrame*>()) frame->disconnect(this);
    qApp->removeEventFilter(this);
}

// ---- Construction ------------------------------------------------------------------------------------

QAction* CMainFrame::AddCommand(int id, const QString& text, const QString& prompt, const QKeySequence& key,
                                const QString& icon) {
    auto* action = new QAction(text, this);
    // A prompt holds the status-bar text and, after a line break, the tool tip.
    const QStringList parts = prompt.split(QLatin1Char('\n'));
    action->setStatusTip(parts.value(0));
    action->setWhatsThis(parts.value(0));  // What's This tells the prompt where nothing better is said
    if (parts.size() > 1) action->setToolTip(parts[1]);
    if (!key.isEmpty()) action->setShortcut(key);
    if (!icon.isEmpty()) action->setIcon(ShellIcon(icon));
    action->setData(id);
    m_commands.insert(id, action);
    addAction(action);  // shortcuts work while the menus are closed
    return action;
}

void CMainFrame::CreateActions() {
    connect(AddCommand(ID_FILE_NEW, tr("&New Test Window"), tr("Create a new document\nNew"),
                       QKeySequence(tr("Ctrl+N")), QStringLiteral("file-new")),
            &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(AddCommand(ID_FILE_OPEN, tr("&Open..."), tr("Open an existing document\nOpen"),
                       QKeySequence(tr("Ctrl+O")), QStringLiteral("file-open")),
            &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(AddCommand(ID_FILE_CLOSE, tr("&Close"), tr("Close the active document\nClose")),
            &QAction::triggered, this, [this] {
                if (CChildFrame* frame = ActiveFrame()) frame->close();
            });
    connect(AddCommand(ID_FILE_SAVE, tr("&Save"), tr("Save the active document\nSave"),
                       QKeySequence(tr("Ctrl+S"))),
            &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(AddCommand(ID_FILE_SAVE_AS, tr("Save &As..."),
                       tr("Save the active document with a new name\nSave As"), {},
                       QStringLiteral("file-saveas")),
            &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
    connect(
        AddCommand(ID_FILE_PRINT, tr("&Print"), tr("Print a net\nPrint a net"), {}, QStringLiteral("print")),
        &QAction::triggered, this, &CMainFrame::OnFilePrint);
    connect(AddCommand(ID_FILE_PRINT_PREVIEW, tr("Print Pre&view"), tr("Display full pages\nPrint Preview")),
            &QAction::triggered, this, &CMainFrame::OnFilePrintPreview);
    for (int k = 0; k < kRecentFileCount; ++k) {
        QAction* recent = AddCommand(ID_FILE_MRU_FILE1 + k, QString(), tr("Open this document"));
        connect(recent, &QAction::triggered, this, [this, k] {
            if (k < m_recentFiles.size()) OpenFile(m_recentFiles[k]);
        });
        m_recentActions << recent;
    }
    connect(AddCommand(ID_APP_EXIT, tr("E&xit"), tr("Quit the application; prompts to save documents\nExit")),
            &QAction::triggered, this, &QWidget::close);

    QAction* toolbar =
        AddCommand(ID_VIEW_TOOLBAR, tr("&Toolbar"), tr("Show or hide the toolbar\nToggle ToolBar"));
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    connect(toolbar, &QAction::toggled, this, [this](bool on) { m_pToolBar->setVisible(on); });
    QAction* status = AddCommand(ID_VIEW_STATUS_BAR, tr("&Status Bar"),
                                 tr("Show or hide the status bar\nToggle StatusBar"));
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    const struct {
        int id;
        QString text;
        QString prompt;
    } options[] = {
        {ID_OPTIONS_ASCII_SAVE, tr("&Allow ASCII save"),
         tr("Toggles whether to save data to ASCII file or no")},
        {ID_OPTIONS_SHOW_STATISTICS, tr("&Show statistics"),
         tr("Show statistics (average test time etc.) after each test")},
        {ID_OPTIONS_STOP_SHORT_TESTING, tr("Stop &under short testing"), QString()},
    };
    for (const auto& option : options) {
        QAction* action = AddCommand(option.id, option.text, option.prompt);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id = option.id] {
            int& value = SwitchOf(id);
            value = value ? 0 : 1;
            UpdateActions();
        });
    }

    connect(
        AddCommand(ID_WINDOW_CASCADE, tr("&Cascade"), tr("Arrange windows so they overlap\nCascade Windows")),
        &QAction::triggered, m_pMdiArea, &QMdiArea::cascadeSubWindows);
    connect(AddCommand(ID_WINDOW_TILE_HORZ, tr("&Tile"),
                       tr("Arrange windows as non-overlapping tiles\nTile Windows")),
            &QAction::triggered, m_pMdiArea, &QMdiArea::tileSubWindows);
    connect(AddCommand(ID_WINDOW_ARRANGE, tr("&Arrange Icons"),
                       tr("Arrange icons at the bottom of the window\nArrange Icons")),
            &QAction::triggered, this, &CMainFrame::ArrangeIcons);
    connect(AddCommand(ID_NEXT_PANE, tr("Next Pane"), tr("Switch to the next window pane\nNext Pane"),
                       QKeySequence(Qt::Key_F6)),
            &QAction::triggered, this, [this] {
                if (CChildFrame* frame = ActiveFrame()) frame->FocusNextPane(true);
            });
    connect(AddCommand(ID_PREV_PANE, tr("Previous Pane"),
                       tr("Switch back to the previous window pane\nPrevious Pane"),
                       QKeySequence(Qt::SHIFT | Qt::Key_F6)),
            &QAction::triggered, this, [this] {
                if (CChildFrame* frame = ActiveFrame()) frame->FocusNextPane(false);
            });

    const struct {
        int id;
        QString text;
        QString prompt;
        QString icon;
    } newWindows[] = {
        {ID_NEW_QUIRA_WINDOW, tr("New &QUIRA Window"), tr("New QUIRA Window\nQUIRA Window"),
         QStringLiteral("new-network")},
        {ID_NEW_GRAPH_WINDOW, tr("New &Graph Window"), tr("New Graph Window\nGraph Window"),
         QStringLiteral("new-graph")},
        {ID_NEW_CHECK_WINDOW, tr("New C&heck Window"),
         tr("New Check a Given Cycle Window\nCheck a Given Cycle Window"), QStringLiteral("new-check")},
        {ID_NEW_USA_MAP, tr("New &USA Map"), tr("New USA Map\nUSA Map"), QStringLiteral("new-map")},
    };
    // The first three walk the templates from the first one; the map command takes the last one.
    const int positions[] = {0, 1, 2, -1};
    for (int k = 0; k < 4; ++k) {
        QAction* action =
            AddCommand(newWindows[k].id, newWindows[k].text, newWindows[k].prompt, {}, newWindows[k].icon);
        connect(action, &QAction::triggered, this, [this, position = positions[k]] {
            const auto& templates = DocTemplates();
            NewWindow(position < 0 ? templates.back() : templates[position]);
        });
    }

    connect(AddCommand(ID_INTRODUCTION, tr("I&ntroduction"),
                       tr("Read an introduction to the program\nIntroduction")),
            &QAction::triggered, this, [this] { ShowIntroductionDialog(this); });
    connect(AddCommand(ID_HELP_INDEX, tr("&Index"), tr("List Help topics\nHelp Index")), &QAction::triggered,
            this, [this] { ShowHelpIndex(this); });
    connect(
        AddCommand(ID_HELP_USING, tr("&Using Help"), tr("Display instructions about how to use help\nHelp")),
        &QAction::triggered, this, [this] { ShowUsingHelp(this); });
    connect(AddCommand(ID_HELP, tr("Help"), tr("Display help for current task or command\nHelp"),
                       QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] { ShowHelpIndex(this); });
    connect(AddCommand(ID_CONTEXT_HELP, tr("What's &This?"),
                       tr("Display help for clicked on buttons, menus and windows\nHelp"),
                       QKeySequence(Qt::SHIFT | Qt::Key_F1), QStringLiteral("context-help")),
            &QAction::triggered, this, [] { QWhatsThis::enterWhatsThisMode(); });
    connect(AddCommand(ID_APP_ABOUT, tr("&About QUIRA-1..."),
                       tr("Display program information, version number and copyright\nAbout"), {},
                       QStringLiteral("about")),
            &QAction::triggered, this, [this] { ShowAboutDialog(this); });
}

void CMainFrame::ExplainCommands() {
    // Where the prompt says too little.
    Command(ID_FILE_OPEN)
        ->setWhatsThis(tr(
            "Open a test document (.tsp network, .grp graph, .chk check, .map map), or a published instance "
            "file of the TSP format: it opens in a network window of its size, drawn at its coordinates."));
    Command(ID_OPTIONS_STOP_SHORT_TESTING)
        ->setWhatsThis(
            tr("Stop a series of random starts as soon as a short test disagrees with the start before it."));
    Command(ID_CONTEXT_HELP)
        ->setWhatsThis(tr("Click this, then any control, to read what the control does."));
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_CLOSE, ID_FILE_SAVE_AS}) file->addAction(Command(id));
    file->addSeparator();
    file->addAction(Command(ID_FILE_PRINT));
    file->addAction(Command(ID_FILE_PRINT_PREVIEW));
    file->addSeparator();
    for (QAction* recent : m_recentActions) file->addAction(recent);
    file->addSeparator();
    file->addAction(Command(ID_APP_EXIT));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(Command(ID_VIEW_TOOLBAR));
    view->addAction(Command(ID_VIEW_STATUS_BAR));

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    for (int id : {ID_OPTIONS_ASCII_SAVE, ID_OPTIONS_SHOW_STATISTICS, ID_OPTIONS_STOP_SHORT_TESTING})
        options->addAction(Command(id));
    connect(options, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);

    // The research commands stand in a menu of their own beside the original ones.
    m_pResearch = new CResearchMenu(*this);
    menuBar()->addMenu(m_pResearch->Menu());

    m_pWindowMenu = menuBar()->addMenu(tr("&Window"));
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
    UpdateWindowMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(Command(ID_INTRODUCTION));
    help->addSeparator();
    help->addAction(Command(ID_HELP_INDEX));
    help->addAction(Command(ID_HELP_USING));
    help->addSeparator();
    help->addAction(Command(ID_APP_ABOUT));
}

void CMainFrame::CreateToolBar() {
    m_pToolBar = new QToolBar(tr("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("Toolbar"));
    m_pToolBar->setMovable(true);
    m_pToolBar->setFloatable(true);
    m_pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_pToolBar->setIconSize(QSize(24, 24));
    const int buttons[] = {ID_FILE_NEW,
                           ID_FILE_OPEN,
                           ID_FILE_SAVE_AS,
                           0,
                           ID_NEW_QUIRA_WINDOW,
                           ID_NEW_GRAPH_WINDOW,
                           ID_NEW_CHECK_WINDOW,
                           ID_NEW_USA_MAP,
                           0,
                           ID_FILE_PRINT,
                           0,
                           ID_APP_ABOUT,
                           ID_CONTEXT_HELP};
    for (int id : buttons) {
        if (id == 0)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(Command(id));
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
    // Hiding the toolbar by its own menu or by closing it when floating keeps View > Toolbar true.
    connect(m_pToolBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden()) Command(ID_VIEW_TOOLBAR)->setChecked(visible);
    });
}

void CMainFrame::CreateStatusBar() {
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int k = 0; k < 3; ++k) {
        m_pIndicators[k] = new QLabel(QString::fromLatin1(names[k]), this);
        m_pIndicators[k]->setAlignment(Qt::AlignCenter);
        m_pIndicators[k]->setMinimumWidth(
            m_pIndicators[k]->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        m_pIndicators[k]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_pIndicators[k]->setEnabled(false);  // lit only when the platform tells that the lock is on
        statusBar()->addPermanentWidget(m_pIndicators[k]);
    }
    statusBar()->showMessage(tr("Ready"));
    // Once a command's prompt goes, the pane says "Ready" again.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(tr("Ready"));
    });
}

QMenu* CMainFrame::Menu(const QString& title) const {
    for (QAction* action : menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

// ---- Test windows ------------------------------------------------------------------------------------

CChildFrame* CMainFrame::ActiveFrame() const {
    auto* frame = qobject_cast<CChildFrame*>(m_pMdiArea->activeSubWindow());
    return frame && !frame->IsClosing() ? frame : nullptr;
}

QList<CChildFrame*> CMainFrame::Frames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(window); frame && !frame->IsClosing()) frames << frame;
    return frames;
}

void CMainFrame::ShowFrame(CChildFrame* frame) {
    m_pMdiArea->addSubWindow(frame);
    connect(frame, &CChildFrame::Saved, this, &CMainFrame::AddRecentFile);
    connect(frame, &CChildFrame::Saved, this, &CMainFrame::UpdateTitle);  // the new file's name
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateTitle);
    connect(frame, &QObject::destroyed, this, [this] {
        UpdateActions();
        UpdateTitle();
    });
    // A form that does not size its frame leaves it at three quarters of the area.
    const QSize area = m_pMdiArea->viewport()->size();
    frame->resize(qMax(frame->sizeHint().width(), area.width() * 3 / 4),
                  qMax(frame->sizeHint().height(), area.height() * 3 / 4));
    frame->InitialUpdate();
    if (g_nMaximizeChildren == 1) {
        frame->showMaximized();
    } else {
        // Each new window steps down and right from the last, and starts over where it would
        // leave the area.
        const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
        const int k = m_nPlaced++;
        const int rows = qMax(1, (area.height() - frame->height()) / qMax(1, step) + 1);
        int offset = step * (k % qMin(rows, 8));
        if (offset + frame->width() > area.width() || offset + frame->height() > area.height()) offset = 0;
        frame->move(offset, offset);
        frame->show();
        if (frame->DrawingPane() && frame->Doc().m_layout.PlacesNodes(frame->Doc().m_solver.m_nNodes))
            GrowForDrawing(frame);
    }
    m_pMdiArea->setActiveSubWindow(frame);
    UpdateActions();
    UpdateTitle();
}

void CMainFrame::GrowForDrawing(CChildFrame* frame) {
    // The nodes at their coordinates want room: as tall as the area leaves below the frame's top,
    // and wide enough for a square drawing where the area is wide enough.
    const QSize area = m_pMdiArea->viewport()->size();
    const QWidget* drawing = frame->DrawingPane();
    if (!drawing) return;
    const int height = qMax(frame->height(), area.height() - frame->y());
    const int drawingHeight = drawing->height() + height - frame->height();
    const int width =
        qBound(frame->width(), frame->width() + drawingHeight - drawing->width(), area.width() - frame->x());
    frame->resize(width, height);
}

CChildFrame* CMainFrame::OnFileNew() {
    const int choice = AskNewDocumentKind(this);
    if (choice < 0 || choice >= DocTemplates().size()) return nullptr;
    return NewWindow(DocTemplates()[choice]);
}

CChildFrame* CMainFrame::NewWindow(const CDocTemplate& tpl) {
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    CChildFrame* frame = CChildFrame::Create(tpl, std::move(doc));
    ShowFrame(frame);
    return frame;
}

CChildFrame* CMainFrame::OpenFile(const QString& path) {
    const QString wanted = SameFile(path);
    for (CChildFrame* frame : Frames()) {
        // A window read from an instance file stands for that file until it is saved as a test.
        const QString& own = frame->PathName();
        const QString source = QString::fromStdString(frame->Doc().m_layout.source);
        if ((!own.isEmpty() && SameFile(own) == wanted) ||
            (own.isEmpty() && !source.isEmpty() && SameFile(source) == wanted)) {
            if (frame->isMinimized()) frame->showNormal();
            m_pMdiArea->setActiveSubWindow(frame);
            return frame;
        }
    }
    // The content tells a published instance from a test document; both may be called *.tsp.
    if (IsInstanceFileText(ReadFileHead(path.toStdString(), 256))) return OpenInstance(path);
    auto doc = std::make_unique<CMainDoc>();
    if (!doc->OnOpenDocument(path.toStdString())) {
        RemoveRecentFile(path);
        return nullptr;
    }
    doc->OpenLayoutBeside(path.toStdString());
    // The kind stored in the file chooses the window, whatever the file's extension says.
    const CDocTemplate& tpl = TemplateOfKind(doc->m_nDocKind);
    CChildFrame* frame = CChildFrame::Create(tpl, std::move(doc));
    frame->SetPathName(QFileInfo(path).absoluteFilePath());
    ShowFrame(frame);
    AddRecentFile(frame->PathName());
    return frame;
}

CChildFrame* CMainFrame::OpenInstance(const QString& path) {
    auto doc = std::make_unique<CMainDoc>();
    doc->OnNewDocument();
    if (!doc->OpenInstance(path.toStdString())) {
        RemoveRecentFile(path);
        return nullptr;
    }
    // A new, untitled test under the instance's name; Save asks where to keep it.
    const QString name = QString::fromStdString(doc->m_layout.name);
    CChildFrame* frame = CChildFrame::Create(TemplateOfKind(KIND_NETWORK), std::move(doc), name);
    ShowFrame(frame);
    AddRecentFile(path);
    return frame;
}

CChildFrame* CMainFrame::OnFileOpen() {
    const std::string path = Platform().pDialogs->ChooseFileToOpen(OpenFileFilters().toStdString(), "tsp");
    return path.empty() ? nullptr : OpenFile(QString::fromStdString(path));
}

bool CMainFrame::OnFileSave() {
    CChildFrame* frame = ActiveFrame();
    return frame && frame->Save(false);
}

bool CMainFrame::OnFileSaveAs() {
    CChildFrame* frame = ActiveFrame();
    return frame && frame->Save(true);
}

void CMainFrame::OnFilePrint() {
    CChildFrame* frame = ActiveFrame();
    if (!frame) return;
    frame->Form()->CommitFields();
    PrintDocument(frame->Doc(), this);
}

void CMainFrame::OnFilePrintPreview() {
    CChildFrame* frame = ActiveFrame();
    if (!frame) return;
    frame->Form()->CommitFields();
    PrintPreviewDocument(frame->Doc(), this);
}

void CMainFrame::ArrangeIcons() {
    int x = 0;
    for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        window->move(x, m_pMdiArea->viewport()->height() - size.height());
        x += size.width();
    }
}

// ---- Recent files ------------------------------------------------------------------------------------

void CMainFrame::ReadRecentFiles() {
    QSettings settings = ProgramSettings();
    m_recentFiles.clear();
    for (int k = 1; k <= kRecentFileCount; ++k) {
        const QString path = settings.value(QStringLiteral("Recent File List/File%1").arg(k)).toString();
        if (!path.isEmpty()) m_recentFiles << path;
    }
    UpdateRecentFileActions();
}

void CMainFrame::WriteRecentFiles() const {
    QSettings settings = ProgramSettings();
    settings.remove(QStringLiteral("Recent File List"));
    for (int k = 0; k < m_recentFiles.size(); ++k)
        settings.setValue(QStringLiteral("Recent File List/File%1").arg(k + 1), m_recentFiles[k]);
}

void CMainFrame::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > kRecentFileCount) m_recentFiles.removeLast();
    WriteRecentFiles();
    UpdateRecentFileActions();
}

void CMainFrame::RemoveRecentFile(const QString& path) {
    if (m_recentFiles.removeAll(QFileInfo(path).absoluteFilePath()) == 0) return;
    WriteRecentFiles();
    UpdateRecentFileActions();
}

void CMainFrame::UpdateRecentFileActions() {
    for (int k = 0; k < kRecentFileCount; ++k) {
        QAction* action = m_recentActions[k];
        const bool used = k < m_recentFiles.size();
        action->setVisible(used);
        if (used) {
            action->setText(QStringLiteral("&%1 %2").arg(k + 1).arg(QFileInfo(m_recentFiles[k]).fileName()));
            action->setStatusTip(m_recentFiles[k]);
        }
    }
}

// ---- State of the commands ---------------------------------------------------------------------------

void CMainFrame::UpdateActions() {
    const bool active = ActiveFrame() != nullptr;
    for (int id : {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
                   ID_OPTIONS_ASCII_SAVE, ID_OPTIONS_SHOW_STATISTICS, ID_OPTIONS_STOP_SHORT_TESTING,
                   ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_ARRANGE, ID_NEXT_PANE, ID_PREV_PANE})
        Command(id)->setEnabled(active);
    for (int id : {ID_OPTIONS_ASCII_SAVE, ID_OPTIONS_SHOW_STATISTICS, ID_OPTIONS_STOP_SHORT_TESTING})
        Command(id)->setChecked(SwitchOf(id) != 0);
    if (m_pResearch) m_pResearch->UpdateActions();
}

void CMainFrame::UpdateWindowMenu() {
    m_pWindowMenu->clear();
    m_pWindowMenu->addAction(Command(ID_WINDOW_CASCADE));
    m_pWindowMenu->addAction(Command(ID_WINDOW_TILE_HORZ));
    m_pWindowMenu->addAction(Command(ID_WINDOW_ARRANGE));
    const QList<CChildFrame*> frames = Frames();
    if (frames.isEmpty()) return;
    m_pWindowMenu->addSeparator();
    for (int k = 0; k < frames.size(); ++k) {
        CChildFrame* frame = frames[k];
        const QString text = k < 9 ? QStringLiteral("&%1 %2").arg(k + 1).arg(frame->Title())
                                   : QStringLiteral("%1 %2").arg(k + 1).arg(frame->Title());
        QAction* action = m_pWindowMenu->addAction(text);
        action->setCheckable(true);
        action->setChecked(frame == ActiveFrame());
        action->setStatusTip(tr("Activate this window"));
        connect(action, &QAction::triggered, this, [this, frame] { m_pMdiArea->setActiveSubWindow(frame); });
    }
}

void CMainFrame::UpdateTitle() {
    // "title - name" beside a normal window; a maximised one, whose caption is gone, is named in
    // brackets instead ("title - [name]"), once.
    const CChildFrame* frame = ActiveFrame();
    const QString title = QString::fromLatin1(kMainFrameTitle);
    if (!frame)
        setWindowTitle(title);
    else if (frame->isMaximized())
        setWindowTitle(title + QStringLiteral(" - [") + frame->Title() + QStringLiteral("]"));
    else
        setWindowTitle(title + QStringLiteral(" - ") + frame->Title());
}

// ---- Events ------------------------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event) {
    // A window whose method runs cannot be asked: the program keeps the parameters and ends here.
    for (CChildFrame* frame : Frames()) {
        if (!frame->Doc().CanCloseFrame()) {
            if (g_bWriteParamsOnClose) WriteParams();
            std::_Exit(0);
        }
    }
    for (CChildFrame* frame : Frames()) {
        if (!frame->CanClose()) {
            event->ignore();
            return;
        }
    }
    for (CChildFrame* frame : Frames()) frame->CloseConfirmed();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    OpenDroppedFiles(*event->mimeData());
    event->acceptProposedAction();
}

void CMainFrame::OpenDroppedFiles(const QMimeData& mime) {
    for (const QUrl& url : mime.urls())
        if (url.isLocalFile()) OpenFile(url.toLocalFile());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        UpdateLockIndicators(static_cast<QKeyEvent*>(event)->nativeModifiers());
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType())
        ActivateFrameOf(static_cast<QWidget*>(watched));
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ActivateFrameOf(QWidget* widget) {
    // A click on a part of a test window that takes no focus (a label, a group box, the form's
    // background) raises and activates that window too, so that the commands act on it.
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        auto* frame = qobject_cast<CChildFrame*>(w);
        if (!frame) continue;
        if (frame->mdiArea() == m_pMdiArea && m_pMdiArea->activeSubWindow() != frame && !frame->IsClosing())
            m_pMdiArea->setActiveSubWindow(frame);
        return;
    }
}

void CMainFrame::UpdateLockIndicators(quint32 nativeModifiers) {
    // Only X11 tells the lock state, in the key event's modifier mask: Lock is bit 1 and Num Lock
    // is Mod2 (bit 4) on every common layout; Scroll Lock has no bit of its own.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    m_pIndicators[0]->setEnabled((nativeModifiers & 0x02) != 0);
    m_pIndicators[1]->setEnabled((nativeModifiers & 0x10) != 0);
}
