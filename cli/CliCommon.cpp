// Shared pieces of the quira-cli subcommands.
#include "cli/CliCommon.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "document/TextMatrix.h"
#include "solver/CycleSolver.h"

namespace {

std::string ReadAll(std::istream& in) {
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int CountRows(const std::string& text) {
    int rows = 0;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.find(':') != std::string::npos) ++rows;
    return rows;
}

}  // namespace

void SizeSolver(CCycleSolver& solver, int nodes, const std::string& what) {
    if (nodes < 1 || nodes > MAX_SOLVER_NODES)
        throw CInputError(what + ": " + std::to_string(nodes) + " nodes; expected 1 to " +
                          std::to_string(MAX_SOLVER_NODES));
    if (!solver.SetNodeCount(nodes))
        throw CInputError(what + ": not enough memory for " + std::to_string(nodes) + " nodes");
}

void LoadMatrixInto(CCycleSolver& solver, const std::string& path, int nodes) {
    std::string text;
    if (path == "-") {
        text = ReadAll(std::cin);
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) throw CInputError(path + ": cannot open the matrix file");
        text = ReadAll(file);
    }
    const std::string name = path == "-" ? "<stdin>" : path;
    const int n = nodes > 0 ? nodes : CountRows(text);
    if (n == 0) throw CInputError(name + ": no matrix rows; expected lines of the form 'i: w1 w2 ... wn'");
    SizeSolver(solver, n, name);
    std::istringstream in(text);
    ReadTextMatrix(in, n, solver.m_nKind == KIND_GRAPH ? 1 : 0, solver.m_ppWeight);
    solver.MakeInitialCycle(1, 0);
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
        case KIND_GRAPH: return "graph";
        case KIND_MAP: return "map";
        case KIND_CHECK: return "check";
        default: return "network";
    }
}

nlohmann::json CycleJson(const CCycleSolver& solver, const int* cycle) {
    nlohmann::json nodes = nlohmann::json::array();
    for (int k = 1; k <= solver.m_nNodes; ++k) nodes.push_back(cycle[k]);
    return nodes;
}
