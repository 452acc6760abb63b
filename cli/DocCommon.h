// Shared pieces of the document subcommands (random, series, doc, check): the console's dialog
// host, the seed stream of a series, and opening a QUIRA1 document for reading.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "solver/Platform.h"

class CMainDoc;

// Message boxes become lines for the caller to print; questions are answered Yes, since the
// console's caller has already asked for the run; no file chooser.
class CConsoleDialogs : public IDialogHost {
public:
    void ShowMessage(EBoxKind kind, std::string_view text) override;
    bool AskYesNo(std::string_view text) override;
    std::string ChooseFileToOpen(std::string_view, std::string_view) override { return {}; }
    void SetWaitCursor(bool) override {}

    std::vector<std::string> messages;  // in the order shown, CR LF turned into LF
};

// Installs the console dialogs and the --seed value for the life of the object.
class CConsoleSession {
public:
    explicit CConsoleSession(uint32_t seed);
    ~CConsoleSession();
    CConsoleDialogs dialogs;

private:
    CPlatformScope m_scope;
};

// A stream of seeds drawn from one --seed value, so that every problem and every random start of
// a series gets its own reproducible draws.
class CSeedStream {
public:
    explicit CSeedStream(uint32_t seed) : m_state(seed) {}
    uint32_t Next();

private:
    uint32_t m_state;
};

// A new document (params.dat is never written by the console). nodes 0 keeps it unsized.
std::unique_ptr<CMainDoc> NewConsoleDocument();
// Opens a document file or throws CInputError naming the file and the fault.
std::unique_ptr<CMainDoc> OpenConsoleDocument(const std::string& path);
// Writes the document safely (the old file is kept on failure) or throws CWriteError.
void SaveConsoleDocument(CMainDoc& doc, const std::string& path);

// A random network (amplitude) or graph (maximum degree) made by the program's generators from
// the current seed, checked against the windows' ranges (CInputError otherwise). gener2 chooses
// the graph window's second generator.
std::unique_ptr<CMainDoc> MakeRandomDocument(int kind, int nodes, int amplitudeOrDegree, bool gener2 = false);

// CR LF line ends as LF, for the console.
std::string ConsoleText(std::string_view text);
