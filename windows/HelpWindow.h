// Help > Index and Help > Using Help: the user manual, compiled into the program, in a help window
// of its own. One help window serves the whole program; asking for help again brings it to the
// front. The window is not modal: the test windows stay usable beside it. Close and Escape close
// it. The manual's pictures are shown as figures (reduced, framed and greyed at the edge), so that
// a picture of a dialog is never taken for the dialog itself.
#pragma once

#include <QImage>
#include <QWidget>

class QPushButton;
class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    QTextBrowser* Browser() const { return m_pBrowser; }
    QPushButton* CloseButton() const { return m_pClose; }
    // Shows the manual from its top.
    void ShowIndex();
    // Shows the manual scrolled to the heading with this text; false (and the top) when there is none.
    bool ShowSection(const QString& heading);

    // The program's help window, or null when none is open.
    static CHelpWindow* Current();

    // A picture of the manual as the help window shows it: at most kFigureWidth pixels wide, in a
    // frame on a grey margin.
    static QImage Figure(const QImage& picture);
    static constexpr int kFigureWidth = 560;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* m_pBrowser;
    QPushButton* m_pClose;
};

// Opens (or brings to the front) the help window at the manual's contents.
void ShowHelpIndex(QWidget* parent);
// Opens (or brings to the front) the help window at the manual's section on using the help.
void ShowUsingHelp(QWidget* parent);

// The heading of the manual's section that Using Help opens.
inline constexpr const char* kUsingHelpHeading = "Using the help";
