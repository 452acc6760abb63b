// The console's stops: which signal or limit stops a run, for how long, and the exit status it
// gives. The pump's state is the process's, so each case runs in a child process of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

#include "cli/ConsolePlatform.h"

namespace {
// Ends the child with the stop's status when the polls saw what was expected, else with 1.
[[noreturn]] void ExitWith(bool seen) {
    std::exit(seen ? CConsoleEvents::StopStatus() : 1);
}

void CtrlC() {
    CConsoleEvents events;
    std::raise(SIGINT);
    const bool first = events.ServiceOne();
    const bool second = events.ServiceOne();
    ExitWith(first && !second && CConsoleEvents::Interrupted() && !CConsoleEvents::InterruptPending());
}

void LastingSignal(int sig) {
    CConsoleEvents events;
    std::raise(sig);
    const bool first = events.ServiceOne();
    const bool second = events.ServiceOne();
    ExitWith(first && second && CConsoleEvents::InterruptPending());
}

void TimeLimit() {
    CConsoleEvents events;
    CConsoleEvents::SetTimeLimit(0.3);
    const bool early = events.ServiceOne() || CConsoleEvents::InterruptPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    // Seen between the methods' polls too (a survey's loop asks before each instance).
    const bool pending = CConsoleEvents::InterruptPending();
    const bool first = events.ServiceOne();
    const bool second = events.ServiceOne();
    ExitWith(!early && pending && first && second);
}
}  // namespace

TEST(ConsoleStops, CtrlCIsOneEscape) {
    EXPECT_EXIT(CtrlC(), ::testing::ExitedWithCode(130), "");
}

TEST(ConsoleStops, TermAndHangUpStopEveryLaterPollToo) {
    EXPECT_EXIT(LastingSignal(SIGTERM), ::testing::ExitedWithCode(143), "");
    EXPECT_EXIT(LastingSignal(SIGHUP), ::testing::ExitedWithCode(129), "");
}

TEST(ConsoleStops, TheTimeLimitStopsOnceItHasPassed) {
    EXPECT_EXIT(TimeLimit(), ::testing::ExitedWithCode(124), "");
}
