// The Qt side of the platform layer: the millisecond clock, the event pump that reports Escape
// during a run, message boxes and the file chooser, and text targets over line edits.
#pragma once

#include <QElapsedTimer>
#include <QLineEdit>
#include <QObject>
#include <QPointer>

#include "solver/Platform.h"

class QtClock : public IClock {
public:
    QtClock() { m_timer.start(); }
    uint32_t NowMs() override { return static_cast<uint32_t>(m_timer.elapsed()) + 1; }

private:
    QElapsedTimer m_timer;
};

// Catches Escape key presses for the whole application while a method polls. The poll services
// pending events once; an Escape press seen during that call is swallowed and reported.
class QtEventPump : public QObject, public IEventPump {
public:
    QtEventPump();
    ~QtEventPump() override;
    bool ServiceOne() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_bEscapeSeen = false;
    bool m_bPolling = false;
};

class QtDialogHost : public IDialogHost {
public:
    explicit QtDialogHost(QWidget* parent = nullptr) : m_pParent(parent) {}
    void SetParent(QWidget* parent) { m_pParent = parent; }
    void ShowMessage(EBoxKind kind, std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    EAnswer AskYesNoCancel(std::string_view text) override;
    std::string ChooseFileToOpen(std::string_view filter, std::string_view defaultExt) override;
    std::string ChooseFileToSave(std::string_view filter, std::string_view defaultExt,
                                 std::string_view suggestedPath) override;
    void SetWaitCursor(bool wait) override;

private:
    QPointer<QWidget> m_pParent;
};

// A line edit seen as a text target. The edit may go away with its window.
class QtLineEditTarget : public ITextTarget {
public:
    explicit QtLineEditTarget(QLineEdit* edit) : m_pEdit(edit) {}
    void SetText(std::string_view text) override;
    std::string GetText() const override;

private:
    QPointer<QLineEdit> m_pEdit;
};
