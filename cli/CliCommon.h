// Shared pieces of the quira-cli subcommands: errors with their exit status, reading a problem,
// cycles as JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

class CCycleSolver;

// Exit statuses of the console program.
enum EExitCode { EXIT_OK = 0, EXIT_INTERNAL = 1, EXIT_BAD_INPUT = 2, EXIT_INTERRUPTED = 130 };

// Bad usage or bad input: one line for standard error (naming file, line or option, and what was
// expected), exit status 2.
class CInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a matrix in the row format ("every line holding a ':' is the next row") from a file, or
// from standard input for "-". The node count is the number of such rows unless nodes > 0.
// Sizes the solver (its m_nKind must be set) and makes the identity cycle the initial one.
void LoadMatrixInto(CCycleSolver& solver, const std::string& path, int nodes);

// Sizes the solver for n nodes or throws CInputError naming what was asked.
void SizeSolver(CCycleSolver& solver, int nodes, const std::string& what);

// Parses "network|graph|check|map" into a document kind.
int ParseKind(const std::string& name);
const char* KindName(int kind);

// Parses "short|full" into the polynomial method's test level (1 or 2).
int ParseLevel(const std::string& level);

// A cycle as a JSON array of its n nodes from position 1, not closed.
nlohmann::json CycleJson(const CCycleSolver& solver, const int* cycle);
