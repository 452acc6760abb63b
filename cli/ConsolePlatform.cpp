// Console platform services.
#include "cli/ConsolePlatform.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <utility>

namespace {
std::atomic<int> g_nPendingInterrupts{0};
std::atomic<bool> g_bInterrupted{false};
std::atomic<bool> g_bReadingInput{false};
std::atomic<long long> g_nFirstPendingMs{0};

long long MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Ctrl+C is Escape: the method stops at its next poll. A signal that comes while the program waits
// for its input ends it at once with 130. Signals that arrive together (a terminal or `timeout`
// signals the whole process group, so one interrupt may come twice) count once; only a Ctrl+C
// pressed again a second after an unanswered one ends the process, for a method that stopped
// polling.
extern "C" void OnInterrupt(int) {
    if (g_bReadingInput.load()) {
        static const char text[] = "quira-cli: interrupted\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text, sizeof text - 1);
        ::_exit(130);
    }
    const long long now = MonotonicMs();
    if (g_nPendingInterrupts.fetch_add(1) == 0) {
        g_nFirstPendingMs.store(now);
    } else if (now - g_nFirstPendingMs.load() >= 1000) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}
}  // namespace

CConsoleEvents::CConsoleEvents() {
    std::signal(SIGINT, OnInterrupt);
}
CConsoleEvents::~CConsoleEvents() {
    std::signal(SIGINT, SIG_DFL);
}

bool CConsoleEvents::ServiceOne() {
    if (g_nPendingInterrupts.load() == 0) return false;
    g_nPendingInterrupts.store(0);
    g_bInterrupted = true;
    return true;
}

bool CConsoleEvents::Interrupted() {
    return g_bInterrupted.load();
}

void CConsoleEvents::SetReadingInput(bool reading) {
    g_bReadingInput.store(reading);
}

bool CConsoleEvents::InterruptPending() {
    return g_nPendingInterrupts.load() != 0;
}

CConsoleTimeField::CConsoleTimeField(bool progress)
    : m_bTerminal(isatty(STDERR_FILENO) != 0), m_bProgress(progress) {}

CConsoleTimeField::~CConsoleTimeField() {
    Erase();
}

void CConsoleTimeField::SetProgressLine(std::string label, std::function<std::string()> detail) {
    m_label = std::move(label);
    m_detail = std::move(detail);
}

void CConsoleTimeField::Erase() {
    if (!m_bShown) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_bShown = false;
}

void CConsoleTimeField::SetText(std::string_view text) {
    m_text = text;
    if (!m_bTerminal && !m_bProgress) return;
    // A file or pipe gets at most one line a second, and no empty ones (a series also clears and
    // sets the field between its problems).
    const long long now = MonotonicMs();
    if (!m_bTerminal && (text.empty() || (m_nLastLineMs >= 0 && now - m_nLastLineMs < 900))) return;
    std::string line = m_label.empty() ? m_text : m_label + ": " + m_text;
    if (m_detail) {
        const std::string detail = m_detail();
        if (!detail.empty()) line += "  " + detail;
    }
    if (m_bTerminal) {
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        m_bShown = true;
    } else {
        std::fprintf(stderr, "%s\n", line.c_str());
        m_nLastLineMs = now;
    }
    std::fflush(stderr);
}
