// The subcommands of quira-cli. Each adds itself to the application; its callback stores the exit
// status in `status` and throws CInputError for bad input.
#pragma once

#include <CLI/CLI.hpp>

void AddSolveCommand(CLI::App& app, int& status);
void AddRandomCommand(CLI::App& app, int& status);
void AddSeriesCommand(CLI::App& app, int& status);
void AddDocCommand(CLI::App& app, int& status);
void AddCheckCommand(CLI::App& app, int& status);
void AddMapCommand(CLI::App& app, int& status);
void AddSurveyCommand(CLI::App& app, int& status);
void AddMergeCommand(CLI::App& app, int& status);
