// Console platform services.
#include "cli/ConsolePlatform.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <utility>

namespace {
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kTimeLimitStatus = 124;

std::atomic<int> g_nPendingInterrupts{0};
std::atomic<bool> g_bInterrupted{false};
std::atomic<bool> g_bReadingInput{false};
std::atomic<long long> g_nFirstPendingMs{0};
std::atomic<bool> g_bLasting{false};   // a SIGTERM, SIGHUP or the time limit: every poll stops
std::atomic<int> g_nStopStatus{0};     // the exit status of the first stop, 0 before any
std::atomic<long long> g_nDeadlineMs{-1};  // the time limit on the monotonic clock, -1 = none

long long MonotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);  // async-signal-safe
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void NoteStop(int status) {
    int none = 0;
    g_nStopStatus.compare_exchange_strong(none, status);
}

// True once the time limit has passed (and from then on a lasting stop).
bool DeadlinePassed() {
    const long long deadline = g_nDeadlineMs.load();
    if (deadline < 0 || MonotonicMs() < deadline) return false;
    NoteStop(kTimeLimitStatus);
    g_bLasting = true;
    return true;
}

// A stop signal is Escape: the method stops at its next poll. A signal that comes while the
// program waits for its input ends it at once with its status. Signals that arrive together (a
// terminal or `timeout` signals the whole process group, so one interrupt may come twice) count
// once; only a signal sent again a second after an unanswered one ends the process, for a method
// that stopped polling.
extern "C" void OnStopSignal(int sig) {
    if (g_bReadingInput.load()) {
        static const char text[] = "quira-cli: interrupted\n";
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text, sizeof text - 1);
        ::_exit(128 + sig);
    }
    NoteStop(128 + sig);
    if (sig != SIGINT) g_bLasting = true;
    const long long now = MonotonicMs();
    if (g_nPendingInterrupts.fetch_add(1) == 0) {
        g_nFirstPendingMs.store(now);
    } else if (now - g_nFirstPendingMs.load() >= 1000) {
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    }
}
}  // namespace

CConsoleEvents::CConsoleEvents() {
    for (int sig : kStopSignals) std::signal(sig, OnStopSignal);
}
CConsoleEvents::~CConsoleEvents() {
    for (int sig : kStopSignals) std::signal(sig, SIG_DFL);
}

bool CConsoleEvents::ServiceOne() {
    if (g_nPendingInterrupts.load() == 0 && !g_bLasting.load() && !DeadlinePassed()) return false;
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
    return g_nPendingInterrupts.load() != 0 || g_bLasting.load() || DeadlinePassed();
}

void CConsoleEvents::SetTimeLimit(double seconds) {
    // Capped at about 30 years, so that the milliseconds stay in range.
    g_nDeadlineMs = MonotonicMs() + static_cast<long long>(std::min(seconds, 1e9) * 1000.0);
}

int CConsoleEvents::StopStatus() {
    const int status = g_nStopStatus.load();
    return status != 0 ? status : 128 + SIGINT;
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
