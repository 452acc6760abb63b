// The document templates of the four kinds of test window.
#include "windows/DocTemplate.h"

#include "solver/CycleSolver.h"

CDocTemplate CDocTemplate::FromString(int stringId, int kind, EFrameClass frame, const QString& fields) {
    const QStringList parts = fields.split(QLatin1Char('\n'));
    const auto field = [&](int k) { return k < parts.size() ? parts[k] : QString(); };
    CDocTemplate t;
    t.nStringId = stringId;
    t.nKind = kind;
    t.frame = frame;
    t.strWindowTitle = field(0);
    t.strDocName = field(1);
    t.strFileNewName = field(2);
    t.strFilterName = field(3);
    t.strFilterExt = field(4);
    t.strRegTypeId = field(5);
    t.strRegTypeName = field(6);
    return t;
}

bool CDocTemplate::MatchesFile(const QString& path) const {
    return path.endsWith(strFilterExt, Qt::CaseInsensitive);
}

const QList<CDocTemplate>& DocTemplates() {
    static const QList<CDocTemplate> templates = {
        CDocTemplate::FromString(129, KIND_NETWORK, EFrameClass::Splitter,
                                 QStringLiteral("\nQUIRA\nQUIRA Test Window\nTSP Files (*.tsp)\n.TSP\n"
                                                "TSPc.Document\nTSP Document")),
        CDocTemplate::FromString(130, KIND_GRAPH, EFrameClass::Splitter2,
                                 QStringLiteral("\nGraph\nGraph Test Window (Cycle Existence)\nGRP Files "
                                                "(*.grp)\n.GRP\nGRPc.Document\nGRP Document")),
        CDocTemplate::FromString(132, KIND_CHECK, EFrameClass::Splitter3,
                                 QStringLiteral("\nCHECK_MIN\nCheck the Given Cycle Test Window\nCHK Files "
                                                "(*.chk)\n.CHK\nCHKc.Document\nCHK Document")),
        CDocTemplate::FromString(131, KIND_MAP, EFrameClass::Plain,
                                 QStringLiteral("\nUSA_MAP\nUSA Map Test Window\nMAP Files (*.map)\n.MAP\n"
                                                "MAPc.Document\nMAP Document")),
    };
    return templates;
}

const CDocTemplate& TemplateOfKind(int kind) {
    for (const CDocTemplate& t : DocTemplates())
        if (t.nKind == kind) return t;
    return DocTemplates().front();
}

QString OpenFileFilters() {
    QStringList filters;
    for (const CDocTemplate& t : DocTemplates()) filters << t.strFilterName;
    filters << QStringLiteral("All Files (*)");
    return filters.join(QStringLiteral(";;"));
}
