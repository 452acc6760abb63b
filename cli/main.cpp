// quira-cli: the headless front end over the same core as QUIRA1, for scripted experiments.
#include <CLI/CLI.hpp>
#include <exception>
#include <iostream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/ConsolePlatform.h"
#include "solver/Platform.h"

int main(int argc, char** argv) {
    CLI::App app{"quira-cli: the QUIRA-1 solver and documents from the command line", "quira-cli"};
    app.require_subcommand(1);
    int status = EXIT_OK;
    AddSolveCommand(app, status);
    AddRandomCommand(app, status);
    AddSeriesCommand(app, status);
    AddDocCommand(app, status);
    AddCheckCommand(app, status);
    AddMapCommand(app, status);

    CConsoleEvents events;
    CPlatformScope platform(nullptr, &events, nullptr);
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
    } catch (const std::exception& e) {
        std::cerr << "quira-cli: internal error: " << e.what() << '\n';
        return EXIT_INTERNAL;
    }
    return status;
}
