// Asks Qt's MIME database (the desktop's shared-mime-info data, XDG_DATA_DIRS) for the type of
// QUIRA-1 documents of each kind, of a document under a foreign name, and of instance files of the
// published text format that share the .tsp extension. Writes its sample files into the folder
// given first; further arguments are real instance files, checked when they exist.
// Prints one line per file; exit status 1 when any type is not the expected one.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The opening of a QUIRA-1 document: node count and kind as little-endian 32-bit integers, then
// (here) zeros for the rest of a document of that size.
QByteArray Document(int32_t nodes, int32_t kind) {
    QByteArray bytes(static_cast<qsizetype>(8 + 4 * (nodes + 1) * (nodes + 2)), '\0');
    for (int b = 0; b < 4; ++b) {
        bytes[b] = static_cast<char>((nodes >> (8 * b)) & 0xff);
        bytes[4 + b] = static_cast<char>((kind >> (8 * b)) & 0xff);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: mime_probe FOLDER [INSTANCE...]\n");
        return 2;
    }
    const QDir dir(args[1]);
    QDir().mkpath(dir.path());

    struct Sample {
        QString name;
        QByteArray bytes;
        QString type;
    };
    const QByteArray instance =
        "NAME: sample5\nTYPE: TSP\nCOMMENT: five towns\nDIMENSION: 5\n"
        "EDGE_WEIGHT_TYPE: EUC_2D\nNODE_COORD_SECTION\n1 0 0\n2 3 0\n3 3 4\n4 0 4\n5 1 1\nEOF\n";
    const std::vector<Sample> samples = {
        {"network.tsp", Document(8, 1), "application/x-quira1-network"},
        {"graph.grp", Document(12, 2), "application/x-quira1-graph"},
        {"check.chk", Document(5, 4), "application/x-quira1-check"},
        {"capitals.map", Document(51, 3), "application/x-quira1-map"},
        {"big-network.tsp", Document(512, 1), "application/x-quira1-network"},
        // Ten nodes open like a PCX image (byte 10, then 0): the .tsp name and the content decide.
        {"ten-nodes.tsp", Document(10, 1), "application/x-quira1-network"},
        // Under a foreign name the content alone decides. (Not ten nodes here: Qt 6.4 lets the
        // last data folder's match win, so /usr/share's PCX rule would beat ours.)
        {"renamed-network.dat", Document(12, 1), "application/x-quira1-network"},
        {"renamed-graph.dat", Document(12, 2), "application/x-quira1-graph"},
        {"renamed-check.dat", Document(12, 4), "application/x-quira1-check"},
        {"renamed-map.dat", Document(51, 3), "application/x-quira1-map"},
        {"instance.tsp", instance, "text/x-tsp-instance"},
        {"dimension-first.tsp", "DIMENSION : 3\nNAME : three\nEOF\n", "text/x-tsp-instance"},
    };

    int faults = 0;
    QMimeDatabase db;
    const auto check = [&](const QString& path, const QString& expected) {
        const QString type = db.mimeTypeForFile(path).name();
        std::printf("%s: %s\n", qPrintable(QDir(path).dirName()), qPrintable(type));
        if (type != expected) {
            std::printf("  expected %s\n", qPrintable(expected));
            ++faults;
        }
    };
    for (const Sample& s : samples) {
        QFile file(dir.filePath(s.name));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(s.bytes) != s.bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 2;
        }
        file.close();
        check(file.fileName(), s.type);
    }
    for (qsizetype i = 2; i < args.size(); ++i) {
        if (QFile::exists(args[i]))
            check(args[i], QStringLiteral("text/x-tsp-instance"));
        else
            std::printf("%s: absent, skipped\n", qPrintable(args[i]));
    }
    return faults == 0 ? 0 : 1;
}
