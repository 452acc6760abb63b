// quira-cli doc: the text report of a QUIRA1 document, its fields as JSON, or the document
// written again.
#include <iostream>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/DocCommon.h"
#include "document/MainDoc.h"

namespace {

struct CDocOptions {
    std::string file;
    std::string save;
    bool json = false;
};

nlohmann::json DocJson(CMainDoc& doc) {
    const CCycleSolver& s = doc.m_solver;
    nlohmann::json matrix = nlohmann::json::array();
    for (int i = 1; i <= s.m_nNodes; ++i) {
        nlohmann::json row = nlohmann::json::array();
        for (int j = 1; j <= s.m_nNodes; ++j) row.push_back(s.m_ppWeight[i][j]);
        matrix.push_back(row);
    }
    return {{"nodes", s.m_nNodes},
            {"kind", KindName(doc.m_nDocKind)},
            {"initial", CycleJson(s, s.m_aInitial)},
            {"result_cycle", CycleJson(s, doc.m_results.Stored() != 0 ? s.m_aBest : s.m_aCycle)},
            {"results", doc.m_results.Stored()},
            {"amplitude", doc.m_strAmplitude},
            {"maximum", s.m_bMaximum != 0},
            {"tests", doc.m_nTests},
            {"matrix", matrix}};
}

int RunDoc(const CDocOptions& o) {
    CConsoleSession session(1);
    auto doc = OpenConsoleDocument(o.file);
    if (!o.save.empty()) SaveConsoleDocument(*doc, o.save);
    if (o.json)
        std::cout << JsonText(DocJson(*doc)) << '\n';
    else if (o.save.empty())
        std::cout << doc->ReportText(0);
    return EXIT_OK;
}

}  // namespace

void AddDocCommand(CLI::App& app, int& status) {
    auto o = std::make_shared<CDocOptions>();
    CLI::App* cmd = app.add_subcommand("doc", "Print the text report of a QUIRA1 document");
    cmd->add_option("file", o->file, "The document (.tsp, .grp, .map, .chk)")->required();
    cmd->add_option("--save", o->save, "Write the document again to this file");
    cmd->add_flag("--json", o->json, "Print the document's fields as one JSON object");
    cmd->callback([o, &status] { status = RunDoc(*o); });
}
