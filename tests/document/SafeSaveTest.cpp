// Saving never loses a file: the safe save, the document, the report and params.dat through it;
// the strict matrix reader of the console; documents with weights the program cannot make.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <iostream>

#include "DocSupport.h"
#include "document/Archive.h"
#include "document/Params.h"
#include "document/SafeSave.h"
#include "document/TextMatrix.h"
#include "support/Fakes.h"

namespace {

bool HasTemporaryFiles(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().front() == '.') return true;
    return false;
}

// Lowers the file-size limit for the life of the object, so that every write past it fails.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        IgnoreFileSizeSignal();
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~CFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

}  // namespace

TEST(SafeSave, ReplacesTheFileWholeOrKeepsItsOldBytes) {
    CTempDir dir("safe");
    const auto file = dir.path / "a.tsp";
    EXPECT_EQ(WriteFileSafely(file.string(), "first"), "");
    EXPECT_EQ(ReadFileBytes(file), "first");
    {
        CFileSizeLimit limit(3);
        const std::string reason = WriteFileSafely(file.string(), "second, longer");
        EXPECT_EQ(reason, "File too large");
    }
    EXPECT_EQ(ReadFileBytes(file), "first");
    EXPECT_FALSE(HasTemporaryFiles(dir.path));
    // A vanished folder and a folder as the target name their reason and leave nothing behind.
    EXPECT_EQ(WriteFileSafely((dir.path / "gone" / "x.tsp").string(), "x"), "No such file or directory");
    EXPECT_EQ(WriteFileSafely(dir.path.string(), "x"), "Is a directory");
    EXPECT_FALSE(HasTemporaryFiles(dir.path));
}

// Only a regular file is ever replaced: a link is written through to its file, a FIFO and a
// device node are written directly and stay what they are.
TEST(SafeSave, WritesThroughLinksAndIntoFifosAndDevices) {
    namespace fs = std::filesystem;
    CTempDir dir("targets");
    fs::create_directory(dir.path / "real");
    WriteFileBytes(dir.path / "real" / "a.grp", "old");
    fs::create_symlink("real/a.grp", dir.path / "link.grp");
    fs::create_symlink("real/new.grp", dir.path / "dangling.grp");
    EXPECT_EQ(WriteFileSafely((dir.path / "link.grp").string(), "new"), "");
    EXPECT_EQ(WriteFileSafely((dir.path / "dangling.grp").string(), "made"), "");
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.grp"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.grp"));
    EXPECT_EQ(ReadFileBytes(dir.path / "real" / "a.grp"), "new");
    EXPECT_EQ(ReadFileBytes(dir.path / "real" / "new.grp"), "made");
    fs::create_symlink("loop", dir.path / "loop");
    EXPECT_EQ(WriteFileSafely((dir.path / "loop").string(), "x"), "Too many levels of symbolic links");

    const std::string fifo = (dir.path / "pipe.svg").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(WriteFileSafely(fifo, "x"), "no process reads the FIFO");  // and no waiting for one
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteFileSafely(fifo, "through the pipe"), "");
    char got[32]{};
    EXPECT_EQ(::read(reader, got, sizeof got), 16);
    EXPECT_STREQ(got, "through the pipe");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    const std::string device = (dir.path / "null").string();  // the numbers of /dev/null
    bool usable = false;  // root may make one; a folder mounted nodev opens none
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        const int fd = ::open(device.c_str(), O_WRONLY);
        usable = fd >= 0;
        if (usable) ::close(fd);
    }
    if (usable) {
        EXPECT_EQ(WriteFileSafely(device, "discarded"), "");
        EXPECT_TRUE(fs::is_character_file(device));
    } else {
        std::cout << "[ skipped  ] no device node can be made here\n";
    }
    EXPECT_FALSE(HasTemporaryFiles(dir.path));
    EXPECT_FALSE(HasTemporaryFiles(dir.path / "real"));
}

TEST(SafeSave, DocumentReportAndParamsKeepTheirOldBytesOnFailure) {
    CFakePlatform platform;
    CTempDir dir("safedoc");
    const std::string path = (dir.path / "net.tsp").string();
    auto doc = MakeDoc(KIND_NETWORK, 6);
    g_bAsciiSave = 1;
    ASSERT_EQ(doc->OnSaveDocument(path), 1);
    const std::string document = ReadFileBytes(path);
    const std::string report = ReadFileBytes(dir.path / "net.txt");
    ASSERT_EQ(WriteParams((dir.path / "params.dat").string()), 1);
    doc->m_solver.m_ppWeight[1][2] = 77;
    int saved = 0;
    int params = 0;
    std::string reason;
    {
        CFileSizeLimit limit(10);
        saved = doc->OnSaveDocument(path);
        params = WriteParams((dir.path / "params.dat").string(), &reason);
    }
    g_bAsciiSave = 0;
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(params, 0);
    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(ReadFileBytes(path), document);
    EXPECT_EQ(ReadFileBytes(dir.path / "net.txt"), report);
    EXPECT_EQ(ReadFileBytes(dir.path / "params.dat").size(), 64u);
    ASSERT_FALSE(platform.dialogs.messages.empty());
    EXPECT_EQ(platform.dialogs.messages.back().text, "Cannot save " + path + ":\nFile too large.");
    EXPECT_FALSE(HasTemporaryFiles(dir.path));
    // A report that fails after its document was saved is named with its reason.
    {
        CFileSizeLimit limit(350);  // the 6-node document (302 bytes) fits, its report does not
        g_bAsciiSave = 1;
        saved = doc->OnSaveDocument(path);
        g_bAsciiSave = 0;
    }
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(platform.dialogs.messages.back().text,
              "Cannot write the report " + (dir.path / "net.txt").string() + ":\nFile too large.");
    EXPECT_EQ(ReadFileBytes(dir.path / "net.txt"), report);
}

TEST(DocumentWeights, WeightsTheProgramCannotMakeAreRefusedOnOpen) {
    auto network = MakeDoc(KIND_NETWORK, 5);
    network->m_solver.m_ppWeight[2][4] = 40000;
    auto graph = MakeDoc(KIND_GRAPH, 5);
    graph->m_solver.m_ppWeight[1][3] = 2;
    for (auto* source : {network.get(), graph.get()}) {
        CArchive out;
        source->Serialize(out);
        auto doc = MakeDoc(KIND_NETWORK, 6);
        CArchive in(out.Bytes());
        EXPECT_EQ(doc->Serialize(in), 0);
        EXPECT_NE(
            doc->m_strLoadError.find(source == graph.get() ? "weight 2 of edge 1-3 is not a graph weight"
                                                           : "weight 40000 of edge 2-4 is out of range"),
            std::string::npos)
            << doc->m_strLoadError;
    }
    network->m_solver.m_ppWeight[2][4] = -32768;  // the edge of the range still opens
    CArchive out;
    network->Serialize(out);
    CArchive in(out.Bytes());
    auto doc = MakeDoc(KIND_NETWORK, 6);
    EXPECT_EQ(doc->Serialize(in), 1);
}

TEST(StrictMatrix, ReadsTheNumberedRowsOfAReportOrTableAndSkipsItsHeaders) {
    const std::string report =
        "\r\nQUIRA-1, ver.1.0 (QUIRA Test)\r\nNode    1    2    3\r\n 1:     0   70000  -3\r\n 2:     0    0 "
        " "
        "5\r\n 3:     0    0    0\r\n\r\nNodes: 3\r\nAmplitude: 100\r\nInitial Cycle  : ( 25) 1-2-3-1\r\n";
    const CStrictMatrix m = ReadStrictMatrix(report, "r.txt", 0, 0, 100);
    ASSERT_EQ(m.error, "");
    ASSERT_EQ(m.nodes, 3);
    EXPECT_EQ(m.weights[1 * 4 + 2], 70000);  // no clamp to the windows' range
    EXPECT_EQ(m.weights[1 * 4 + 3], -3);
    EXPECT_EQ(m.weights[2 * 4 + 3], 5);
    EXPECT_EQ(m.weights[2 * 4 + 1], 0);  // the lower triangle is not kept
    // A header such as "NAME: x" or "1: ..." out of turn is no row; --nodes takes a corner.
    const CStrictMatrix corner =
        ReadStrictMatrix("NAME: x\n1: 0 4 9\n3: 9 9 9\n2: 0 0 1\n3: 0 0 0\n", "t", 2, 0, 100);
    ASSERT_EQ(corner.error, "");
    EXPECT_EQ(corner.nodes, 2);
    EXPECT_EQ(corner.weights[1 * 3 + 2], 4);
    // Rows longer than the 4,999 characters the windows' reader takes at a time are read whole.
    std::string wide;
    for (int i = 1; i <= 700; ++i) {
        wide += std::to_string(i) + ":";
        for (int j = 1; j <= 700; ++j) wide += " " + std::to_string(1000000 + j);
        wide += "\n";
    }
    const CStrictMatrix big = ReadStrictMatrix(wide, "w", 0, 0, 1000);
    ASSERT_EQ(big.error, "");
    EXPECT_EQ(big.nodes, 700);
    EXPECT_EQ(big.weights[1 * 701 + 700], 1000700);
    EXPECT_EQ(big.weights[699 * 701 + 700], 1000700);
}

TEST(StrictMatrix, RefusesWithFileLineAndWhatWasExpected) {
    struct Case {
        const char* text;
        int nodes;
        int graph;
        const char* error;
    };
    const Case cases[] = {
        {"1: 0 1 2\n2: 0 0 x\n3: 0 0 0\n", 0, 0,
         "m:2: row 2: 'x' is not an integer; expected 3 integers after the ':'"},
        {"1: 0 1 2.5\n2: 0 0 1\n3: 0 0 0\n", 0, 0, "m:1: row 1: '2.5' is not an integer"},
        {"1: 0 1 2\n2: 0 0 3\n", 3, 0, "m:2: 2 rows; expected 3 (--nodes)"},
        {"1: 0 1 2\n2: 0 0\n3: 0 0 0\n", 0, 0, "m:2: row 2 holds 2 numbers; expected 3"},
        {"1: 0 1 2 4\n2: 0 0 3\n3: 0 0 0\n", 0, 0, "m:1: row 1 holds more than 3 numbers"},
        {"1: 0 1000000000 2\n2: 0 0 3\n3: 0 0 0\n", 0, 0,
         "m:1: weight 1000000000 times 3 nodes leaves the 32-bit range of a cycle's cost; expected weights "
         "of at "
         "most 715827882 in magnitude"},
        {"1: 0 9999999999\n2: 0 0\n", 0, 0, "m:1: row 1: '9999999999' is out of range"},
        {"1: 0 2\n2: 0 0\n", 0, 1, "m:1: row 1: weight 2; expected 0 or 1 in a graph"},
        {"Nodes: 3\nno rows\n", 0, 0, "m: no matrix rows"},
    };
    for (const Case& c : cases) {
        const CStrictMatrix m = ReadStrictMatrix(c.text, "m", c.nodes, c.graph, 100);
        EXPECT_EQ(m.error.rfind(c.error, 0), 0u) << c.text << "\n -> " << m.error;
        EXPECT_EQ(m.nodes, 0);
    }
    // 715827882 times 3 stays below 2^31.
    EXPECT_EQ(ReadStrictMatrix("1: 0 715827882 2\n2: 0 0 3\n3: 0 0 0\n", "m", 0, 0, 100).error, "");
}
