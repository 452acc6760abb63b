// Shared pieces of the quira-cli subcommands: errors with their exit status, reading a problem,
// cycles as JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/InstanceLoad.h"

class CCycleSolver;

// Exit statuses of the console program.
// EXIT_ROWS_FAILED: a survey ran to its end, but some of its instances could not be run.
// EXIT_INTERRUPTED: a stopped run; main turns it into the status of what stopped it (130 Ctrl+C,
// 143 SIGTERM, 129 SIGHUP, 124 the time limit).
enum EExitCode {
    EXIT_OK = 0,
    EXIT_INTERNAL = 1,
    EXIT_BAD_INPUT = 2,
    EXIT_ROWS_FAILED = 3,
    EXIT_INTERRUPTED = 130
};

// Bad usage or bad input: one line for standard error (naming file, line or option, and what was
// expected), exit status 2.
class CInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file or standard output that could not be written: one line naming it and the reason, exit
// status 1.
class CWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A Ctrl+C taken while reading input: the program ends with status 130 at once.
class CInterrupted : public std::exception {};

// The largest input file read whole (a matrix of the solver's largest size takes about 7 MB).
constexpr std::size_t kMaxMatrixBytes = std::size_t(64) << 20;

// Reads a whole input file ("-": standard input). A folder, a file that cannot be opened or read,
// or one larger than limit bytes is CInputError naming the file and what (a noun) was expected.
std::string ReadInputFile(const std::string& path, const std::string& what, std::size_t limit);

// Reads a matrix strictly (see ReadStrictMatrix in document/TextMatrix.h) from a file, or from
// standard input for "-"; a published instance file is refused with a pointer to TOURCHK. The node
// count is the number of rows unless nodes > 0. Sizes the solver (its m_nKind must be set) and
// makes the identity cycle the initial one. Every fault is CInputError with file:line.
void LoadMatrixInto(CCycleSolver& solver, const std::string& path, int nodes);

// Throws CInputError "OPTION VALUE: expected LO to HI" unless value lies in lo..hi.
void RequireRange(const std::string& option, long long value, long long lo, long long hi);

// --nodes when it is not given.
constexpr int kNodesUnset = -2147483647 - 1;
// --nodes for a matrix: 0 (the rows count) when not given; a given count below 1 is CInputError.
int MatrixNodesOption(int given);

// Sizes the solver for n nodes or throws CInputError naming what was asked.
void SizeSolver(CCycleSolver& solver, int nodes, const std::string& what);

// Reads a published instance file through pathkit as a network, as the core's ReadInstanceInto
// does, within the solver's limits (every node count up to MAX_SOLVER_NODES, weights whose n-fold
// stays in 32 bits). Returns the instance's NAME (the file name when it has none) and, when asked,
// its distance type ("EUC_2D", "EXPLICIT", ...) and its node positions. Every fault is CInputError
// naming the file.
std::string LoadInstanceInto(CCycleSolver& solver, const std::string& path,
                             std::string* distanceType = nullptr, CInstancePositions* positions = nullptr);

// The published tour format of a cycle: NAME, TYPE : TOUR, DIMENSION, TOUR_SECTION, the nodes, -1, EOF.
std::string TourFileText(const std::string& name, const CCycleSolver& solver, const int* cycle);
// Writes a cycle as a tour file safely, or throws CWriteError.
void WriteTourFile(const std::string& path, const std::string& name, const CCycleSolver& solver,
                   const int* cycle);

// Reads a tour file of the published format (TOUR_SECTION, node numbers, -1 or EOF) for n nodes:
// the nodes in tour order from node 1. A tour that is not a permutation of 1..n, or whose DIMENSION
// is not n, is CInputError with file:line.
std::vector<int> ReadTourFile(const std::string& path, int n);
// The same tour as cycle text from node 1 ("1-5-3-...-1").
std::string ReadTourAsCycleText(const std::string& path, int n);
// The cost of a tour file's cycle on the solver's network (the solver's own cost sum).
int TourFileCost(const std::string& path, const CCycleSolver& solver);

// Reads a params.dat file (--params) or throws CInputError: a folder, a missing file.
void LoadParamsFile(const std::string& path);
// Checks single parameter overrides: loop counts of at least 0, finite parameters.
void CheckParameterOverrides(const std::optional<int>& firstLoop, const std::optional<int>& secondLoop,
                             const std::optional<double>& param1, const std::optional<double>& param2);

// Parses "network|graph|check|map" into a document kind.
int ParseKind(const std::string& name);
const char* KindName(int kind);

// Parses "short|full" into the polynomial method's test level (1 or 2).
int ParseLevel(const std::string& level);

// The one-line JSON text of a result. Texts from files (names, paths, document fields) need not be
// UTF-8; their stray bytes become U+FFFD instead of failing the output after the work is done.
std::string JsonText(const nlohmann::json& value);

// A cycle as a JSON array of its n nodes from position 1, not closed.
nlohmann::json CycleJson(const CCycleSolver& solver, const int* cycle);
