// Default platform services: what the core gets when no front end installed its own.
#include "solver/Platform.h"

#include <chrono>

uint64_t IClock::NowNs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count());
}

namespace {

class CSteadyClock : public IClock {
public:
    uint32_t NowMs() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
};

class CNoEvents : public IEventPump {
public:
    bool ServiceOne() override { return false; }
};

class CSilentDialogs : public IDialogHost {
public:
    void ShowMessage(EBoxKind, std::string_view) override {}
    bool AskYesNo(std::string_view) override { return false; }
    std::string ChooseFileToOpen(std::string_view, std::string_view) override { return {}; }
    void SetWaitCursor(bool) override {}
};

}  // namespace

CPlatform& Platform() {
    static CSteadyClock clock;
    static CNoEvents events;
    static CSilentDialogs dialogs;
    static CPlatform platform{&clock, &events, &dialogs, std::nullopt};
    return platform;
}

CPlatformScope::CPlatformScope(IClock* clock, IEventPump* events, IDialogHost* dialogs)
    : m_saved(Platform()) {
    CPlatform& p = Platform();
    if (clock) p.pClock = clock;
    if (events) p.pEvents = events;
    if (dialogs) p.pDialogs = dialogs;
}

CPlatformScope::~CPlatformScope() { Platform() = m_saved; }

uint32_t ClockSeed() {
    const CPlatform& p = Platform();
    return p.seedOverride ? *p.seedOverride : p.pClock->NowMs();
}
