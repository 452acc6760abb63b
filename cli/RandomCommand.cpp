// quira-cli random: one problem from the program's own generators, saved as a QUIRA1 document or
// printed in the report's row format.
#include <cstdio>
#include <iostream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/DocCommon.h"
#include "document/MainDoc.h"

namespace {

struct CRandomOptions {
    int nodes = 8;
    int amplitude = 100;
    bool graph = false;
    int degree = 3;
    bool gener2 = false;
    uint32_t seed = 1;
    std::string out;
};

void PrintMatrix(const CMainDoc& doc) {
    const CCycleSolver& s = doc.m_solver;
    const int w = doc.m_nDocKind == KIND_GRAPH ? 3 : 4;
    std::string text = "Node";
    char cell[32];
    for (int j = 1; j <= s.m_nNodes; ++j) {
        std::snprintf(cell, sizeof cell, " %*d", w, j);
        text += cell;
    }
    text += '\n';
    for (int i = 1; i <= s.m_nNodes; ++i) {
        std::snprintf(cell, sizeof cell, "%2d: ", i);
        text += cell;
        for (int j = 1; j <= s.m_nNodes; ++j) {
            std::snprintf(cell, sizeof cell, " %*d", w, s.m_ppWeight[i][j]);
            text += cell;
        }
        text += '\n';
    }
    std::cout << text;
}

int RunRandom(const CRandomOptions& o) {
    if (o.gener2 && !o.graph) throw CInputError("--gener2: expected together with --graph");
    CConsoleSession session(o.seed);
    auto doc = MakeRandomDocument(o.graph ? KIND_GRAPH : KIND_NETWORK, o.nodes,
                                  o.graph ? o.degree : o.amplitude, o.gener2);
    if (o.out.empty())
        PrintMatrix(*doc);
    else
        SaveConsoleDocument(*doc, o.out);
    return EXIT_OK;
}

}  // namespace

void AddRandomCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CRandomOptions>();
    CLI::App* cmd = app.add_subcommand("random", "Generate one problem with the program's generators");
    cmd->add_option("--nodes", o->nodes, "Node count (network 4..512, graph 4..1024)");
    cmd->add_option("--amplitude", o->amplitude, "Weights in -A..A (network, default 100)");
    cmd->add_flag("--graph", o->graph, "Generate a graph of bounded degree");
    cmd->add_option("--degree", o->degree, "Maximum degree of the graph (default 3)");
    cmd->add_flag("--gener2", o->gener2, "Use the graph window's second generator");
    cmd->add_option("--seed", o->seed, "Seed of the random generator (default 1)");
    cmd->add_option("--out", o->out, "Save a QUIRA1 document (.tsp or .grp)");
    cmd->callback([o, &status] { status = RunRandom(*o); });
}
