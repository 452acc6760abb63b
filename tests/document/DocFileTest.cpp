// Document files: the exact byte layout, loading it back, and the refusal of damaged files.
#include <gtest/gtest.h>

#include "DocSupport.h"
#include "document/Archive.h"
#include "document/InstanceFileCheck.h"
#include "mapdemo/MapSteps.h"
#include "support/Fakes.h"
#include "support/Networks.h"

namespace {

class CBytes {
public:
    void Int(int32_t v) {
        for (int k = 0; k < 4; ++k)
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF));
    }
    void Str(const std::string& s) {
        bytes.push_back(static_cast<char>(s.size()));
        bytes += s;
    }
    std::string bytes;
};

// A network of 8 nodes with recognisable weights and a finished run.
std::unique_ptr<CMainDoc> SampleNetwork() {
    auto doc = MakeDoc(KIND_NETWORK, 8);
    for (int i = 1; i <= 8; ++i)
        for (int j = i + 1; j <= 8; ++j) doc->m_solver.m_ppWeight[i][j] = 10 * i + j;
    return doc;
}

std::string Stored(CMainDoc& doc) {
    CArchive ar;
    doc.Serialize(ar);
    return ar.Bytes();
}

int Load(CMainDoc& doc, const std::string& bytes) {
    CArchive ar(bytes);
    return doc.Serialize(ar);
}

}  // namespace

TEST(DocumentFile, NetworkOfEightNodesTakes446BytesInTheFixedOrder) {
    auto doc = SampleNetwork();
    const std::string bytes = Stored(*doc);
    ASSERT_EQ(bytes.size(), 446u);

    CBytes expected;
    expected.Int(8);
    expected.Int(KIND_NETWORK);
    for (int k = 0; k <= 8; ++k) expected.Int(k);  // initial cycle: 0, then 1..8
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 8; ++j) expected.Int(i >= 1 && j > i ? 10 * i + j : 0);
    expected.Str("100");
    expected.Int(1);                               // show weights
    expected.Int(0);                               // minimum
    expected.Int(0);                               // no results
    for (int k = 0; k <= 8; ++k) expected.Int(k);  // the current cycle when there are no results
    expected.Str("1");
    for (int k = 0; k < 6; ++k) expected.Int(0);
    EXPECT_EQ(bytes, expected.bytes);
}

TEST(DocumentFile, NetworkLoadsBackFieldByField) {
    auto doc = SampleNetwork();
    SetCycle(doc->m_solver.m_aInitial, {1, 3, 2, 4, 5, 6, 7, 8});
    SetCycle(doc->m_solver.m_aBest, {1, 2, 3, 4, 5, 6, 8, 7});
    doc->m_strAmplitude = "77";
    doc->m_bShowWeights = 0;
    doc->m_solver.m_bMaximum = 1;
    doc->m_results = CResults::FromStored(3);
    doc->m_strRandStarts = "5";
    doc->m_nTests = 4;
    doc->m_nDiffSolutions = 1;
    doc->m_nCyclesFound = 2;
    doc->m_dwPolynMs = 1234;
    doc->m_dwSeriesTime = 5678;
    doc->m_dwCampaignStart = 0xFFFFFFF0u;

    auto loaded = std::make_unique<CMainDoc>();
    ASSERT_EQ(Load(*loaded, Stored(*doc)), 1) << loaded->m_strLoadError;
    const CCycleSolver& s = loaded->m_solver;
    EXPECT_EQ(s.m_nNodes, 8);
    EXPECT_EQ(loaded->m_nDocKind, KIND_NETWORK);
    EXPECT_EQ(s.m_nKind, KIND_NETWORK);
    EXPECT_EQ(loaded->m_strNodes, "8");
    EXPECT_EQ(s.m_aInitial[2], 3);
    EXPECT_EQ(s.m_ppWeight[2][7], 27);
    EXPECT_EQ(loaded->m_strAmplitude, "77");
    EXPECT_EQ(s.m_nAmplitude, 77);
    EXPECT_EQ(loaded->m_bShowWeights, 0);
    EXPECT_EQ(s.m_bMaximum, 1);
    EXPECT_EQ(loaded->m_results.Stored(), 3);
    EXPECT_EQ(s.m_aBest[7], 8);
    EXPECT_EQ(s.m_aCycle[8], 7);
    EXPECT_EQ(loaded->m_strRandStarts, "1");  // the stored text is dropped
    EXPECT_EQ(loaded->m_strFullTests, "1");
    EXPECT_EQ(loaded->m_nTests, 4);
    EXPECT_EQ(loaded->m_nDiffSolutions, 1);
    EXPECT_EQ(loaded->m_nCyclesFound, 2);
    EXPECT_EQ(loaded->m_dwPolynMs, 1234u);
    EXPECT_EQ(loaded->m_dwSeriesTime, 5678u);
    EXPECT_EQ(loaded->m_dwCampaignStart, 0xFFFFFFF0u);
}

TEST(DocumentFile, MapDocumentAddsCapitalFlagsAndKilometres) {
    auto doc = MakeDoc(KIND_MAP, 51);
    doc->m_solver.m_bCapitalSelected[3] = 0;  // as the map window leaves a selection: renumbered
    doc->m_solver.RenumberCapitals();
    RebuildMapNetwork(*doc, 1, 0, nullptr);
    doc->m_solver.m_ppWeight[1][2] = 290;
    const std::string bytes = Stored(*doc);
    const std::size_t dim = 51;
    const std::size_t base = 4 + 4 + dim * 4 + dim * dim * 4 + 4 + 4 + 4 + 4 + dim * 4 + 2 + 6 * 4;
    ASSERT_EQ(bytes.size(), base + 208);

    auto loaded = std::make_unique<CMainDoc>();
    ASSERT_EQ(Load(*loaded, bytes), 1) << loaded->m_strLoadError;
    const CCycleSolver& s = loaded->m_solver;
    EXPECT_EQ(loaded->m_nDocKind, KIND_MAP);
    EXPECT_EQ(s.m_bCapitalSelected[1], 1);
    EXPECT_EQ(s.m_bCapitalSelected[3], 0);
    EXPECT_EQ(s.m_bCapitalSelected[51], 50);
    EXPECT_EQ(s.m_bUseKilometers, 1);
    EXPECT_EQ(s.m_ppWeight[1][2], 290);  // the stored weights win over a rebuilt network
    EXPECT_EQ(loaded->m_strNodes, "8");  // maps take their count from the capitals
    EXPECT_EQ(Stored(*loaded), bytes);
}

TEST(DocumentFile, DocumentBeforeAnyRunShowsTheInitialCycleAndZeroCounters) {
    auto doc = SampleNetwork();
    SetCycle(doc->m_solver.m_aInitial, {1, 3, 2, 4, 5, 6, 7, 8});
    SetCycle(doc->m_solver.m_aCycle, {1, 8, 7, 6, 5, 4, 3, 2});
    doc->m_nTests = 9;
    doc->m_dwPolynMs = 99;
    auto loaded = std::make_unique<CMainDoc>();
    ASSERT_EQ(Load(*loaded, Stored(*doc)), 1);
    EXPECT_EQ(CycleOf(loaded->m_solver, loaded->m_solver.m_aCycle),
              (std::vector<int>{1, 3, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(CycleOf(loaded->m_solver, loaded->m_solver.m_aBest),
              (std::vector<int>{1, 3, 2, 4, 5, 6, 7, 8}));
    EXPECT_EQ(loaded->m_nTests, 0);
    EXPECT_EQ(loaded->m_dwPolynMs, 0u);
}

TEST(DocumentFile, SavedOpenedAndSavedAgainIsByteIdentical) {
    for (int kind : {KIND_NETWORK, KIND_GRAPH, KIND_CHECK}) {
        auto doc = MakeDoc(kind, 12);
        doc->m_strAmplitude = "7" + std::string(299, ' ');  // a long text takes the 16-bit length form
        doc->GenerateRandom();
        doc->m_results = CResults::FromStored(1);
        SetCycle(doc->m_solver.m_aBest, {1, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2});
        const std::string first = Stored(*doc);
        auto loaded = std::make_unique<CMainDoc>();
        ASSERT_EQ(Load(*loaded, first), 1) << loaded->m_strLoadError;
        EXPECT_EQ(Stored(*loaded), first) << "kind " << kind;
    }
}

TEST(DocumentFile, ItemsALoadDropsAreStoredAsTheyWereRead) {
    auto doc = SampleNetwork();
    doc->m_strRandStarts = "25";
    doc->m_nTests = 7;  // counters of a document without results are dropped when it is loaded
    SetCycle(doc->m_solver.m_aCycle, {1, 8, 7, 6, 5, 4, 3, 2});
    const std::string first = Stored(*doc);
    auto loaded = std::make_unique<CMainDoc>();
    ASSERT_EQ(Load(*loaded, first), 1);
    EXPECT_EQ(loaded->m_strRandStarts, "1");
    EXPECT_EQ(loaded->m_nTests, 0);
    EXPECT_EQ(Stored(*loaded), first);

    // Once the document holds values of its own, they are what is stored.
    loaded->m_strRandStarts = "3";
    loaded->m_nTests = 2;
    auto again = std::make_unique<CMainDoc>();
    const std::string changed = Stored(*loaded);
    ASSERT_EQ(Load(*again, changed), 1);
    EXPECT_NE(changed, first);
    EXPECT_NE(changed.find(std::string("\x01", 1) + "3"), std::string::npos);
}

TEST(DocumentFile, LongerLengthFormOfAStringIsReadAndStoredInTheShortForm) {
    std::string bytes = Stored(*SampleNetwork());
    const std::size_t amplitude = 8 + 9 * 4 + 81 * 4;
    ASSERT_EQ(bytes.substr(amplitude, 4), std::string("\x03"
                                                      "100"));
    bytes.replace(amplitude, 1, std::string("\xFF\x03\x00", 3));
    auto loaded = std::make_unique<CMainDoc>();
    ASSERT_EQ(Load(*loaded, bytes), 1);
    EXPECT_EQ(loaded->m_strAmplitude, "100");
    EXPECT_EQ(Stored(*loaded), Stored(*SampleNetwork()));
}

class DocumentRefusal : public ::testing::Test {
protected:
    std::string Valid() { return Stored(*SampleNetwork()); }
    void ExpectRefused(const std::string& bytes, const std::string& reason) {
        auto doc = MakeDoc(KIND_NETWORK, 5);
        doc->m_solver.m_ppWeight[1][2] = 42;
        EXPECT_EQ(Load(*doc, bytes), 0);
        EXPECT_NE(doc->m_strLoadError.find(reason), std::string::npos) << doc->m_strLoadError;
        EXPECT_EQ(doc->m_solver.m_nNodes, 5);  // the document is left as it was
        EXPECT_EQ(doc->m_solver.m_ppWeight[1][2], 42);
    }
    static void PutInt(std::string& bytes, std::size_t at, int32_t v) {
        for (int k = 0; k < 4; ++k)
            bytes[at + k] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF);
    }
};

TEST_F(DocumentRefusal, EveryTruncationIsRefused) {
    const std::string bytes = Valid();
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        auto doc = std::make_unique<CMainDoc>();
        EXPECT_EQ(Load(*doc, bytes.substr(0, size)), 0) << size;
    }
}

TEST_F(DocumentRefusal, KindOutsideOneToFour) {
    std::string bytes = Valid();
    PutInt(bytes, 4, 5);
    ExpectRefused(bytes, "kind 5");
    PutInt(bytes, 4, 0);
    ExpectRefused(bytes, "kind 0");
}

TEST_F(DocumentRefusal, NodeCountOutsideTheWindowsRange) {
    std::string bytes = Valid();
    PutInt(bytes, 0, 3);
    ExpectRefused(bytes, "node count 3");
    PutInt(bytes, 0, 513);
    ExpectRefused(bytes, "node count 513");
    PutInt(bytes, 0, -1);
    ExpectRefused(bytes, "node count -1");
    PutInt(bytes, 0, 0x7FFFFFFF);
    ExpectRefused(bytes, "out of range");
}

TEST_F(DocumentRefusal, LargeCountInAShortFileAllocatesNothing) {
    std::string bytes = Valid();
    PutInt(bytes, 0, 1024);
    PutInt(bytes, 4, KIND_GRAPH);  // graphs may have 1024 nodes, but the file holds 8
    ExpectRefused(bytes, "ends before");
}

TEST_F(DocumentRefusal, InitialCycleThatIsNotAPermutation) {
    std::string bytes = Valid();
    PutInt(bytes, 8 + 4 * 3, 2);  // position 3 repeats node 2
    ExpectRefused(bytes, "initial cycle");
    bytes = Valid();
    PutInt(bytes, 8 + 4 * 8, 9);
    ExpectRefused(bytes, "initial cycle");
}

TEST_F(DocumentRefusal, ResultCycleIsCheckedOnlyWhenResultsArePresent) {
    std::string bytes = Valid();
    const std::size_t results = 8 + 9 * 4 + 81 * 4 + 4 + 4 + 4;
    const std::size_t cycle = results + 4;
    PutInt(bytes, cycle + 4 * 2, 0);
    auto doc = std::make_unique<CMainDoc>();
    EXPECT_EQ(Load(*doc, bytes), 1);  // results 0: the stored cycle is dropped
    PutInt(bytes, results, 1);
    ExpectRefused(bytes, "result cycle");
    PutInt(bytes, results, 4);
    ExpectRefused(bytes, "result flags");
}

// Fields the program never writes are refused by name: a corrupted flag or counter would
// otherwise steer the methods (a maximum flag of 7) or print nonsense (negative averages).
TEST_F(DocumentRefusal, FieldsTheProgramNeverWritesAreRefusedByName) {
    // The 8-node network: amplitude "100" at 368, show weights 372, maximum 376, results 380,
    // result cycle 384, random starts "1" at 420, six counters from 422.
    struct Case {
        std::size_t at;
        int32_t value;
        const char* reason;
    };
    const Case cases[] = {
        {376, 7, "the maximum flag 7 is not 0 or 1"},
        {372, -1, "the show-weights flag -1"},
        {422, -1, "the number of tests -1 is negative"},
        {422 + 8, -5, "the number of cycles found -5"},
        {422 + 12, -20, "the polynomial time -20 is negative"},
        {8 + 4, 2, "initial cycle"},  // 2 at positions 1 and 2
    };
    for (const Case& c : cases) {
        std::string bytes = Valid();
        PutInt(bytes, 380, 3);  // counters are read only with results
        PutInt(bytes, c.at, c.value);
        ExpectRefused(bytes, c.reason);
    }
    std::string start = Valid();  // a permutation that does not start at node 1
    PutInt(start, 8 + 4, 2);
    PutInt(start, 8 + 8, 1);
    ExpectRefused(start, "the initial cycle does not start at node 1");
    const std::string texts = Valid();
    ExpectRefused(texts.substr(0, 369) + "-50" + texts.substr(372), "amplitude '-50' is out of range");
    std::string starts = Valid();
    starts[421] = '0';
    ExpectRefused(starts, "random starts '0'");
    // A map names its capitals 1, 2, ... in table order; a repeated node number is refused.
    auto map = MakeDoc(KIND_MAP, 51);
    map->m_solver.BuildMapNetwork(0);
    std::string bytes = Stored(*map);
    const std::size_t flags = bytes.size() - 52 * 4;
    PutInt(bytes, flags + 4 * 1, 1);  // capital 2 also node 1
    ExpectRefused(bytes, "capital 2 has node number 1 (expected 2)");
    bytes = Stored(*map);
    PutInt(bytes, bytes.size() - 4, 3);
    ExpectRefused(bytes, "the kilometres flag 3");
    EXPECT_EQ(Load(*MakeDoc(KIND_NETWORK, 5), Stored(*map)), 1);
}

TEST(DocumentOpen, RefusedFileShowsItsReasonAndKeepsTheDocument) {
    CFakePlatform platform;
    CTempDir dir("open");
    WriteFileBytes(dir.path / "short.tsp", std::string("\x08\0\0\0", 4));
    auto doc = MakeDoc(KIND_NETWORK, 6);
    EXPECT_EQ(doc->OnOpenDocument((dir.path / "short.tsp").string()), 0);
    ASSERT_EQ(platform.dialogs.messages.size(), 1u);
    EXPECT_EQ(platform.dialogs.messages[0].kind, EBoxKind::Warning);
    EXPECT_NE(platform.dialogs.messages[0].text.find("too short"), std::string::npos);
    EXPECT_EQ(doc->m_bFromFile, 0);
    EXPECT_EQ(doc->m_solver.m_nNodes, 6);
    EXPECT_EQ(doc->OnOpenDocument((dir.path / "missing.tsp").string()), 0);
    EXPECT_EQ(platform.dialogs.messages.size(), 2u);
}

TEST(DocumentOpen, PublishedInstanceFileIsRefusedAsSuch) {
    CFakePlatform platform;
    CTempDir dir("instance");
    WriteFileBytes(dir.path / "berlin5.tsp", "NAME: berlin5\nTYPE: TSP\nDIMENSION: 5\n");
    WriteFileBytes(dir.path / "indented.tsp", "\n  DIMENSION : 5\n");
    auto doc = MakeDoc(KIND_NETWORK, 6);
    EXPECT_EQ(doc->OnOpenDocument((dir.path / "berlin5.tsp").string()), 0);
    EXPECT_EQ(doc->OnOpenDocument((dir.path / "indented.tsp").string()), 0);
    ASSERT_EQ(platform.dialogs.messages.size(), 2u);
    for (const auto& shown : platform.dialogs.messages) {
        EXPECT_NE(shown.text.find(".tsp"), std::string::npos) << shown.text;
        EXPECT_NE(shown.text.find("instance file"), std::string::npos) << shown.text;
        EXPECT_NE(shown.text.find("TOURCHK"), std::string::npos) << shown.text;
    }
    EXPECT_EQ(doc->m_solver.m_nNodes, 6);
    // A word that only starts like a keyword, or a document's binary count, is no instance file.
    EXPECT_FALSE(IsInstanceFileText("NAMES: x"));
    EXPECT_FALSE(IsInstanceFileText(std::string("\x08\0\0\0\x01\0\0\0", 8)));
    EXPECT_TRUE(IsInstanceFileText("EDGE_WEIGHT_TYPE: EUC_2D"));
}

TEST(DocumentOpen, OpenedDocumentKeepsItsKindAgainstTheWindow) {
    CFakePlatform platform;
    CTempDir dir("kind");
    auto graph = MakeDoc(KIND_GRAPH, 10);
    graph->m_strAmplitude = "3";
    graph->GenerateRandom();
    ASSERT_EQ(graph->OnSaveDocument((dir.path / "g.grp").string()), 1);

    auto doc = std::make_unique<CMainDoc>();
    ASSERT_EQ(doc->OnOpenDocument((dir.path / "g.grp").string()), 1);
    EXPECT_EQ(doc->m_bFromFile, 1);
    doc->InitKind(KIND_NETWORK, 8);
    EXPECT_EQ(doc->m_nDocKind, KIND_GRAPH);
    EXPECT_EQ(doc->m_solver.m_nNodes, 10);
}

TEST(ReportBesideDocument, ExtensionIsReplacedAndATxtDocumentKeepsItsOwnFile) {
    EXPECT_EQ(CMainDoc::ReportPathFor("test.grp"), "test.txt");
    EXPECT_EQ(CMainDoc::ReportPathFor("test.txt"), "test.tx");
    EXPECT_EQ(CMainDoc::ReportPathFor("test"), "test.txt");
    EXPECT_EQ(CMainDoc::ReportPathFor("/data/run.1/test.tsp"), "/data/run.1/test.txt");
    EXPECT_EQ(CMainDoc::ReportPathFor("/data/run.1/test"), "/data/run.1/test.txt");
    EXPECT_EQ(CMainDoc::ReportPathFor("C:\\a.b\\net.tsp"), "C:\\a.b\\net.txt");
}

TEST(ReportBesideDocument, AsciiSaveWritesTheReportInTheDocumentsFolder) {
    CFakePlatform platform;
    CTempDir dir("ascii");
    const auto folder = dir.path / "run.2";
    std::filesystem::create_directories(folder);
    auto doc = MakeDoc(KIND_NETWORK, 5);
    g_bAsciiSave = 1;
    const int saved = doc->OnSaveDocument((folder / "net.tsp").string());
    g_bAsciiSave = 0;
    ASSERT_EQ(saved, 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "net.txt"));
    EXPECT_EQ(ReadFileBytes(folder / "net.txt"), doc->ReportText(0));
    EXPECT_FALSE(std::filesystem::exists(dir.path / "run.txt"));
}
