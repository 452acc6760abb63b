// quira-cli: the headless front end over the same core as QUIRA1, for scripted experiments.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "document/SafeSave.h"
#include "solver/Platform.h"

namespace {
bool HasSubcommand(CLI::App& app, const std::string& name) {
    for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
        if (sub->get_name() == name) return true;
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // First of all, so that a stop signal that comes while the program starts is taken too.
    CConsoleEvents events;
    CLI::App app{"quira-cli: the QUIRA-1 solver and documents from the command line", "quira-cli"};
    app.require_subcommand(1);
    int status = EXIT_OK;
    AddSolveCommand(app, status);
    AddRandomCommand(app, status);
    AddSeriesCommand(app, status);
    AddDocCommand(app, status);
    AddCheckCommand(app, status);
    AddMapCommand(app, status);
    AddSurveyCommand(app, status);
    AddMergeCommand(app, status);

    IgnoreFileSizeSignal();
    CPlatformScope platform(nullptr, &events, nullptr);
    // An unknown subcommand is named, with the ones there are.
    if (argc > 1 && argv[1][0] != '-' && !HasSubcommand(app, argv[1])) {
        std::cerr << "quira-cli: unknown subcommand '" << argv[1]
                  << "'; expected solve, random, series, doc, check, map, survey or merge (--help lists them)\n";
        return EXIT_BAD_INPUT;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        std::cerr << "quira-cli: " << e.what() << '\n';
        return EXIT_BAD_INPUT;
    } catch (const CInputError& e) {
        std::cerr << "quira-cli: " << e.what() << '\n';
        return EXIT_BAD_INPUT;
    } catch (const CInterrupted&) {
        std::cerr << "quira-cli: interrupted\n";
        return CConsoleEvents::StopStatus();
    } catch (const CWriteError& e) {
        std::cerr << "quira-cli: " << e.what() << '\n';
        return EXIT_INTERNAL;
    } catch (const std::exception& e) {
        std::cerr << "quira-cli: internal error: " << e.what() << '\n';
        return EXIT_INTERNAL;
    }
    // A stopped run tells what stopped it: Ctrl+C, SIGTERM, SIGHUP or the time limit.
    if (status == EXIT_INTERRUPTED) status = CConsoleEvents::StopStatus();
    // Output that could not be written is a failure, never a success.
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << "quira-cli: cannot write standard output: " << std::strerror(errno ? errno : EIO)
                  << '\n';
        return status == EXIT_OK ? EXIT_INTERNAL : status;
    }
    return status;
}
