// The platform services of the console: a steady clock, Ctrl+C as the Escape key, and the elapsed
// time rewritten on standard error while a method runs (only when standard error is a terminal).
#pragma once

#include <functional>
#include <string>

#include "solver/Platform.h"

// Ctrl+C becomes one Escape for the next poll of a running method; a second Ctrl+C while a poll has
// not yet taken the first ends the process as usual. SIGTERM and SIGHUP (what `timeout`, batch
// systems and a closed terminal send) do the same, and every later poll reports Escape too, so
// that the program ends soon with what it has. So does the time limit once it has passed.
class CConsoleEvents : public IEventPump {
public:
    CConsoleEvents();
    ~CConsoleEvents() override;
    bool ServiceOne() override;
    // True once any stop (a signal, the time limit) was taken as Escape during this process.
    static bool Interrupted();
    // While true, a stop signal ends the program at once with its status (it waits for its input).
    static void SetReadingInput(bool reading);
    // True when a stop came and no method has taken it yet, or a lasting one (SIGTERM, SIGHUP, the
    // time limit) came at all.
    static bool InterruptPending();
    // Stops the run as Ctrl+C does once the given seconds from now have passed (--time-limit).
    static void SetTimeLimit(double seconds);
    // The exit status of a stopped run: 130 after Ctrl+C (SIGINT), 143 after SIGTERM, 129 after
    // SIGHUP, 124 when the time limit ran out (as `timeout` ends); the first stop decides.
    static int StopStatus();
};

// The Time field of the console: the text of the last update (once a second while a method runs).
// On a terminal's stderr it is one line rewritten in place; with progress set it is also written,
// one line per update, to a stderr that is not a terminal. The detail, when set, follows the time
// on that line (the best cost so far, the share of the work done).
class CConsoleTimeField : public ITextTarget {
public:
    explicit CConsoleTimeField(bool progress = false);
    ~CConsoleTimeField() override;
    void SetText(std::string_view text) override;
    std::string GetText() const override { return m_text; }
    // What the progress line shows: label before the time, detail() after it.
    void SetProgressLine(std::string label, std::function<std::string()> detail);
    // Clears the terminal's progress line, so that a result printed next starts on a clean line.
    void Erase();

private:
    std::string m_text;
    std::string m_label;
    std::function<std::string()> m_detail;
    bool m_bTerminal;
    bool m_bProgress;
    bool m_bShown = false;
    long long m_nLastLineMs = -1;  // when the last line went to a stderr that is not a terminal
};

// A field that only keeps its text (the result field of a run).
class CTextField : public ITextTarget {
public:
    void SetText(std::string_view text) override { m_text = text; }
    std::string GetText() const override { return m_text; }

private:
    std::string m_text;
};
