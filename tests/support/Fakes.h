// Fakes of the platform interfaces: a clock the test drives, an event queue the test fills, a
// dialog host that records what was shown and answers as told, fields that keep their text.
#pragma once

#include <functional>
#include <deque>
#include <string>
#include <vector>

#include "solver/Platform.h"

class CFakeClock : public IClock {
public:
    uint32_t now = 1000;
    uint32_t stepPerRead = 0;  // added after every read, so time passes as the code looks at it
    uint32_t NowMs() override {
        const uint32_t t = now;
        now += stepPerRead;
        return t;
    }
    // The same clock read in nanoseconds, so that measurements follow the test too.
    uint64_t NowNs() override { return uint64_t{NowMs()} * 1000000; }
};

// Events are queued as names: "Escape" is an Escape key-down, anything else an ordinary event.
class CFakeEvents : public IEventPump {
public:
    std::deque<std::string> queue;
    std::vector<std::string> delivered;  // events dispatched to windows
    std::function<void(const std::string&)> onDeliver;  // what a dispatched event does, if anything
    int polls = 0;
    bool ServiceOne() override {
        ++polls;
        if (queue.empty()) return false;
        const std::string event = queue.front();
        queue.pop_front();
        if (event == "Escape") return true;
        delivered.push_back(event);
        if (onDeliver) onDeliver(event);
        return false;
    }
};

class CFakeDialogs : public IDialogHost {
public:
    struct Shown {
        EBoxKind kind;
        std::string text;
    };
    std::vector<Shown> messages;
    std::vector<std::string> questions;
    bool answerYes = true;
    std::string fileToOpen;
    std::string fileToSave;                 // the save chooser's answer (empty: cancelled)
    EAnswer answerYesNoCancel = EAnswer::Yes;
    int waitCursorDepth = 0;

    void ShowMessage(EBoxKind kind, std::string_view text) override { messages.push_back({kind, std::string(text)}); }
    bool AskYesNo(std::string_view text) override {
        questions.emplace_back(text);
        return answerYes;
    }
    EAnswer AskYesNoCancel(std::string_view text) override {
        questions.emplace_back(text);
        return answerYesNoCancel;
    }
    std::string ChooseFileToOpen(std::string_view, std::string_view) override { return fileToOpen; }
    std::string ChooseFileToSave(std::string_view, std::string_view, std::string_view) override { return fileToSave; }
    void SetWaitCursor(bool wait) override { waitCursorDepth += wait ? 1 : -1; }
};

class CFakeField : public ITextTarget {
public:
    std::string text;
    std::vector<std::string> history;
    void SetText(std::string_view t) override {
        text = t;
        history.push_back(text);
    }
    std::string GetText() const override { return text; }
};

class CFakeOwnerView : public IOwnerView {
public:
    std::string randStarts = "1";
    int tests = 0;
    uint32_t seriesStart = 0;
    uint32_t campaignStart = 0;
    std::vector<EDrawingPane> redraws;

    std::string RandStartsText() const override { return randStarts; }
    int TestsSoFar() const override { return tests; }
    uint32_t SeriesStartMs() const override { return seriesStart; }
    uint32_t CampaignStartMs() const override { return campaignStart; }
    void RedrawNow(EDrawingPane pane) override { redraws.push_back(pane); }
};

// Installs a fresh fake clock, event queue and dialog host for one test.
struct CFakePlatform {
    CFakeClock clock;
    CFakeEvents events;
    CFakeDialogs dialogs;
    CPlatformScope scope{&clock, &events, &dialogs};
};
