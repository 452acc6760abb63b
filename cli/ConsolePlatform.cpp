// Console platform services.
#include "cli/ConsolePlatform.h"

#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {
std::atomic<int> g_nPendingInterrupts{0};
std::atomic<bool> g_bInterrupted{false};

extern "C" void OnInterrupt(int) {
    if (g_nPendingInterrupts.fetch_add(1) >= 1) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
    }
}
}  // namespace

CConsoleEvents::CConsoleEvents() { std::signal(SIGINT, OnInterrupt); }
CConsoleEvents::~CConsoleEvents() { std::signal(SIGINT, SIG_DFL); }

bool CConsoleEvents::ServiceOne() {
    if (g_nPendingInterrupts.load() == 0) return false;
    g_nPendingInterrupts.store(0);
    g_bInterrupted = true;
    return true;
}

bool CConsoleEvents::Interrupted() { return g_bInterrupted.load(); }

CConsoleTimeField::CConsoleTimeField() : m_bTerminal(isatty(STDERR_FILENO) != 0) {}

CConsoleTimeField::~CConsoleTimeField() {
    if (m_bShown) std::fputs("\n", stderr);
}

void CConsoleTimeField::SetText(std::string_view text) {
    m_text = text;
    if (!m_bTerminal) return;
    std::fprintf(stderr, "\r\033[K%.*s", static_cast<int>(text.size()), text.data());
    std::fflush(stderr);
    m_bShown = true;
}
