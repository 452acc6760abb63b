// The platform services of the console: a steady clock, Ctrl+C as the Escape key, and the elapsed
// time rewritten on standard error while a method runs (only when standard error is a terminal).
#pragma once

#include <string>

#include "solver/Platform.h"

// Ctrl+C becomes one Escape for the next poll of a running method; a second Ctrl+C while a poll has
// not yet taken the first ends the process as usual.
class CConsoleEvents : public IEventPump {
public:
    CConsoleEvents();
    ~CConsoleEvents() override;
    bool ServiceOne() override;
    // True once any Ctrl+C was taken as Escape during this process.
    static bool Interrupted();
    // While true, a Ctrl+C ends the program at once with status 130 (it waits for its input).
    static void SetReadingInput(bool reading);
    // True when a Ctrl+C came and no method has taken it yet.
    static bool InterruptPending();
};

// The Time field of the console: the text of the last update, echoed to a terminal's stderr.
class CConsoleTimeField : public ITextTarget {
public:
    CConsoleTimeField();
    ~CConsoleTimeField() override;
    void SetText(std::string_view text) override;
    std::string GetText() const override { return m_text; }

private:
    std::string m_text;
    bool m_bTerminal;
    bool m_bShown = false;
};

// A field that only keeps its text (the result field of a run).
class CTextField : public ITextTarget {
public:
    void SetText(std::string_view text) override { m_text = text; }
    std::string GetText() const override { return m_text; }

private:
    std::string m_text;
};
