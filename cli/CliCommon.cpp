// Shared pieces of the quira-cli subcommands.
#include "cli/CliCommon.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <vector>

#include "cli/ConsolePlatform.h"
#include "document/InstanceFileCheck.h"
#include "document/Params.h"
#include "document/SafeSave.h"
#include "document/SurveyInput.h"
#include "document/TextMatrix.h"
#include "solver/CycleSolver.h"

void RequireRange(const std::string& option, long long value, long long lo, long long hi) {
    if (value < lo || value > hi)
        throw CInputError(option + " " + std::to_string(value) + ": expected " + std::to_string(lo) + " to " +
                          std::to_string(hi));
}

int MatrixNodesOption(int given) {
    if (given == kNodesUnset) return 0;
    if (given < 1)
        throw CInputError("--nodes " + std::to_string(given) + ": expected 1 to " +
                          std::to_string(MAX_SOLVER_NODES));
    return given;
}

void SizeSolver(CCycleSolver& solver, int nodes, const std::string& what) {
    if (nodes < 1 || nodes > MAX_SOLVER_NODES)
        throw CInputError(what + ": " + std::to_string(nodes) + " nodes; expected 1 to " +
                          std::to_string(MAX_SOLVER_NODES));
    if (!solver.SetNodeCount(nodes))
        throw CInputError(what + ": not enough memory for " + std::to_string(nodes) + " nodes: " +
                          solver.m_strMemoryRefusal);
}

std::string ReadInputFile(const std::string& path, const std::string& what, std::size_t limit) {
    const std::string name = path == "-" ? "<stdin>" : path;
    std::string text;
    auto append = [&](std::istream& in) {
        char buffer[1 << 16];
        while (in) {
            in.read(buffer, sizeof buffer);
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
            if (text.size() > limit)
                throw CInputError(name + ": larger than " + std::to_string(limit >> 20) + " MB; expected " +
                                  what);
            if (CConsoleEvents::InterruptPending()) throw CInterrupted();
        }
        if (in.bad()) throw CInputError(name + ": cannot read " + what);
    };
    // Input may wait (standard input, a FIFO without a writer): Ctrl+C then ends the program at once.
    struct CReading {
        CReading() { CConsoleEvents::SetReadingInput(true); }
        ~CReading() { CConsoleEvents::SetReadingInput(false); }
    } reading;
    // A stop that came before the signal handler knew of the waiting would otherwise wait too.
    if (CConsoleEvents::InterruptPending()) throw CInterrupted();
    if (path == "-") {
        append(std::cin);
        return text;
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw CInputError(name + ": is a directory; expected " + what);
    std::ifstream file(path, std::ios::binary);
    if (!file) throw CInputError(name + ": cannot open " + what);
    append(file);
    return text;
}

void LoadMatrixInto(CCycleSolver& solver, const std::string& path, int nodes) {
    const std::string name = path == "-" ? "<stdin>" : path;
    if (nodes < 0)
        throw CInputError("--nodes " + std::to_string(nodes) + ": expected 1 to " +
                          std::to_string(MAX_SOLVER_NODES));
    const std::string text = ReadInputFile(path, "the matrix file", kMaxMatrixBytes);
    if (IsInstanceFileText(std::string_view(text).substr(0, 256)))
        throw CInputError(name + ": " + InstanceFileRefusal());
    const CStrictMatrix matrix =
        ReadStrictMatrix(text, name, nodes, solver.m_nKind == KIND_GRAPH ? 1 : 0, MAX_SOLVER_NODES);
    if (!matrix.error.empty()) throw CInputError(matrix.error);
    SizeSolver(solver, matrix.nodes, name);
    const std::size_t dim = static_cast<std::size_t>(matrix.nodes) + 1;
    for (std::size_t i = 0; i < dim; ++i)
        for (std::size_t j = 0; j < dim; ++j) solver.m_ppWeight[i][j] = matrix.weights[i * dim + j];
    solver.MakeInitialCycle(1, 0);
}

std::string LoadInstanceInto(CCycleSolver& solver, const std::string& path, std::string* distanceType,
                             CInstancePositions* positions) {
    CInstanceRead read = ReadInstanceInto(solver, path, SolverInstanceLimits());
    if (!read.reason.empty()) throw CInputError(path + ": " + read.reason);
    if (distanceType) *distanceType = read.distanceType;
    if (positions) *positions = std::move(read.positions);
    return read.name;
}

std::string TourFileText(const std::string& name, const CCycleSolver& solver, const int* cycle) {
    std::string text = "NAME : " + name + "\nTYPE : TOUR\nDIMENSION : " + std::to_string(solver.m_nNodes) +
                       "\nTOUR_SECTION\n";
    for (int k = 1; k <= solver.m_nNodes; ++k) text += std::to_string(cycle[k]) + "\n";
    return text + "-1\nEOF\n";
}

void WriteTourFile(const std::string& path, const std::string& name, const CCycleSolver& solver,
                   const int* cycle) {
    const std::string reason = WriteFileSafely(path, TourFileText(name, solver, cycle));
    if (!reason.empty()) throw CWriteError(path + ": cannot write the tour: " + reason);
}

std::vector<int> ReadTourFile(const std::string& path, int n) {
    const std::string text = ReadInputFile(path, "a tour file", kMaxMatrixBytes);
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    bool inSection = false;
    std::vector<int> tour;
    std::vector<char> seen(static_cast<std::size_t>(n) + 1, 0);
    auto fail = [&](const std::string& what) {
        return CInputError(path + ":" + std::to_string(lineNo) + ": " + what);
    };
    while (std::getline(in, line)) {
        ++lineNo;
        std::istringstream words(line);
        std::string word;
        if (!inSection) {
            if (!(words >> word)) continue;
            if (word.rfind("TOUR_SECTION", 0) == 0) inSection = true;
            // "DIMENSION : 52", "DIMENSION: 52" or "DIMENSION 52"
            if (word.rfind("DIMENSION", 0) == 0) {
                std::string value = line.substr(line.find("DIMENSION") + 9);
                value.erase(0, value.find_first_not_of(" \t:"));
                value.erase(value.find_last_not_of(" \t\r") + 1);
                if (value != std::to_string(n))
                    throw fail("DIMENSION " + value + "; expected a tour of the problem's " +
                               std::to_string(n) + " nodes");
            }
            continue;
        }
        bool ended = false;
        while (words >> word) {
            if (word == "EOF") {
                ended = true;
                break;
            }
            long long node = 0;
            const auto parsed = std::from_chars(word.data(), word.data() + word.size(), node);
            if (parsed.ec != std::errc() || parsed.ptr != word.data() + word.size())
                throw fail("'" + word + "' is not a node number; expected the nodes 1.." + std::to_string(n) +
                           " and -1");
            if (node == -1) {
                ended = true;
                break;
            }
            if (node < 1 || node > n)
                throw fail("node " + word + " is out of range; expected 1.." + std::to_string(n));
            if (seen[static_cast<std::size_t>(node)])
                throw fail("node " + word + " appears twice; expected each node once");
            seen[static_cast<std::size_t>(node)] = 1;
            tour.push_back(static_cast<int>(node));
        }
        if (ended) break;
    }
    if (!inSection) throw fail("no TOUR_SECTION; expected a tour file");
    if (static_cast<int>(tour.size()) != n)
        throw fail(std::to_string(tour.size()) + " nodes in the tour; expected all " + std::to_string(n));
    const auto first = std::find(tour.begin(), tour.end(), 1);
    std::rotate(tour.begin(), first, tour.end());
    return tour;
}

std::string ReadTourAsCycleText(const std::string& path, int n) {
    std::string cycle;
    for (int node : ReadTourFile(path, n)) cycle += std::to_string(node) + "-";
    return cycle + "1";
}

int TourFileCost(const std::string& path, const CCycleSolver& solver) {
    const std::vector<int> tour = ReadTourFile(path, solver.m_nNodes);
    // The solver's cycles count positions from 1 and end where they start, at node 1.
    std::vector<int> cycle(tour.size() + 2, 1);
    std::copy(tour.begin(), tour.end(), cycle.begin() + 1);
    return solver.CycleCostOf(cycle.data());
}

void LoadParamsFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        throw CInputError("--params " + path + ": is a directory; expected a params.dat file");
    if (ReadParams(path) < 0) throw CInputError("--params " + path + ": cannot open the parameter file");
}

void CheckParameterOverrides(const std::optional<int>& firstLoop, const std::optional<int>& secondLoop,
                             const std::optional<double>& param1, const std::optional<double>& param2) {
    if (firstLoop && *firstLoop < 0)
        throw CInputError("--first-loop " + std::to_string(*firstLoop) + ": expected 0 or more");
    if (secondLoop && *secondLoop < 0)
        throw CInputError("--second-loop " + std::to_string(*secondLoop) + ": expected 0 or more");
    if (param1 && !std::isfinite(*param1)) throw CInputError("--param1: expected a finite number");
    if (param2 && !std::isfinite(*param2)) throw CInputError("--param2: expected a finite number");
}

int ParseKind(const std::string& name) {
    if (name == "network") return KIND_NETWORK;
    if (name == "graph") return KIND_GRAPH;
    if (name == "map") return KIND_MAP;
    if (name == "check") return KIND_CHECK;
    throw CInputError("--kind " + name + ": expected network, graph, check or map");
}

int ParseLevel(const std::string& level) {
    if (level == "short") return 1;
    if (level == "full") return 2;
    throw CInputError("--level " + level + ": expected short or full");
}

const char* KindName(int kind) {
    switch (kind) {
        case KIND_GRAPH:
            return "graph";
        case KIND_MAP:
            return "map";
        case KIND_CHECK:
            return "check";
        default:
            return "network";
    }
}

nlohmann::json CycleJson(const CCycleSolver& solver, const int* cycle) {
    nlohmann::json nodes = nlohmann::json::array();
    for (int k = 1; k <= solver.m_nNodes; ++k) nodes.push_back(cycle[k]);
    return nodes;
}

std::string JsonText(const nlohmann::json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
