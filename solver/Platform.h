// The small interfaces through which the core reaches the screen and the system.
//
// The solver and the document never include a windowing toolkit. Whatever they need of one
// (a text field, a message box, the message queue, the millisecond clock, a repaint) goes through
// the interfaces below. The Qt program implements them in windows/, quira-cli in cli/, and the tests
// with fakes that record what was shown and answer questions as told.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An edit control whose text the core sets and reads: the Time field, the result field.
class ITextTarget {
public:
    virtual ~ITextTarget() = default;
    virtual void SetText(std::string_view text) = 0;
    virtual std::string GetText() const = 0;
};

// The drawing a method repaints when it finds a better cycle.
enum class EDrawingPane {
    CheckView,    // drawing of the check window
    GraphView,    // drawing of the graph window
    NetworkView,  // drawing of the network window
    MapPane,      // map pane of the map window (repainted with erase)
};

// The form view that shows a document: the progress poll reads the series counters of its document
// and the result notification asks it to repaint its drawing at once.
class IOwnerView {
public:
    virtual ~IOwnerView() = default;
    virtual std::string RandStartsText() const = 0;  // the Rand.Starts box
    virtual int TestsSoFar() const = 0;              // tests counted in the running series
    virtual uint32_t SeriesStartMs() const = 0;      // clock at the start of the random-start series
    virtual uint32_t CampaignStartMs() const = 0;    // clock at the start of the continuous test
    virtual void RedrawNow(EDrawingPane pane) = 0;
};

// The milliseconds clock (wraps like a 32-bit tick counter).
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint32_t NowMs() = 0;
    // A nanosecond clock for measurements too short for milliseconds (the time estimate); by
    // default the steady clock. Only differences of two readings mean anything.
    virtual uint64_t NowNs();
};

// The message queue seen from inside a long synchronous run.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    // Services at most one pending window event. Returns true when that event was an Escape
    // key-down; such an event is swallowed, never delivered.
    virtual bool ServiceOne() = 0;
};

// Error: the windows' own "Error" box (exclamation icon, OK) for values out of range.
enum class EBoxKind { Warning, Information, Error };
enum class EAnswer { Yes, No, Cancel };

// Message boxes, questions, the file chooser and the wait cursor.
class IDialogHost {
public:
    virtual ~IDialogHost() = default;
    virtual void ShowMessage(EBoxKind kind, std::string_view text) = 0;
    // A "Warning" box with a question icon; true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    // A question that may also be cancelled ("Save changes to ...?"). Hosts without a cancel
    // answer No, so nothing is kept open for ever.
    virtual EAnswer AskYesNoCancel(std::string_view text) { return AskYesNo(text) ? EAnswer::Yes : EAnswer::No; }
    // Empty when the user cancelled. filter like "*.txt" or "Name (*.a);;Other (*.b)", defaultExt
    // like "txt".
    virtual std::string ChooseFileToOpen(std::string_view filter, std::string_view defaultExt) = 0;
    // The file to save into, starting from suggestedPath; empty when the user cancelled.
    virtual std::string ChooseFileToSave(std::string_view filter, std::string_view defaultExt,
                                         std::string_view suggestedPath) {
        (void)filter, (void)defaultExt, (void)suggestedPath;
        return {};
    }
    virtual void SetWaitCursor(bool wait) = 0;
};

// The process-wide platform: one user-interface thread, so plain pointers set at start-up.
// Every pointer is valid at all times; the defaults are a steady clock, an empty message queue and
// a dialog host that shows nothing and answers No.
struct CPlatform {
    IClock* pClock;
    IEventPump* pEvents;
    IDialogHost* pDialogs;
    // When set, every place that seeds the random generator from the clock uses this value instead,
    // so console runs are reproducible.
    std::optional<uint32_t> seedOverride;
};

CPlatform& Platform();

// Installs platform services for the life of the object and restores the previous ones after.
// A null argument keeps the service that was there.
class CPlatformScope {
public:
    CPlatformScope(IClock* clock, IEventPump* events, IDialogHost* dialogs);
    ~CPlatformScope();
    CPlatformScope(const CPlatformScope&) = delete;
    CPlatformScope& operator=(const CPlatformScope&) = delete;

private:
    CPlatform m_saved;
};

// The millisecond clock of the platform.
inline uint32_t NowMs() { return Platform().pClock->NowMs(); }
// The nanosecond clock of the platform.
inline uint64_t NowNs() { return Platform().pClock->NowNs(); }

// True while a run's progress poll services an event. A command that arrives then runs nested
// inside that run (of this window or another): starting a second run there would suspend the
// first one until it ends, and one Escape would stop both.
bool RunIsPolling();

// The seed that the program draws from the clock, or the console's fixed seed.
uint32_t ClockSeed();
