// Inputs found by fuzzing Load: the fuzzer's corpus (fuzz/pathkit/corpus) and the inputs that once
// crashed or hung the reader (tests/pathkit/data/fuzz-crashes). Each must load or fail with a message,
// and what loads must give a consistent instance.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "PathkitTestSupport.h"
#include "pathkit/TSP.h"

using namespace pathkit_test;

namespace {

std::vector<std::filesystem::path> FilesIn(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    return files;
}

void LoadEach(const std::vector<std::filesystem::path>& files) {
    for (const auto& file : files) {
        TSP tsp;
        ErrorCapture capture;
        if (!tsp.Load(file.c_str())) {
            EXPECT_NE(capture.Text(), "") << file << " failed without a message";
            EXPECT_EQ(tsp.GetDim(), 0) << file;
            continue;
        }
        ASSERT_GT(tsp.GetDim(), 0) << file;
        ASSERT_NE(tsp.GetMatrix(), nullptr) << file;
        std::ostringstream table;
        tsp.StoreMatrix(table);
        for (int node = 1; node <= tsp.GetDim(); ++node) tsp.tourList.push_back(node);
        tsp.CalcCost();
    }
}

}  // namespace

TEST(FuzzInputs, CorpusInputsLoadOrFailCleanly) {
    const auto files = FilesIn(PATHKIT_FUZZ_CORPUS);
    ASSERT_FALSE(files.empty()) << PATHKIT_FUZZ_CORPUS << " holds no inputs";
    LoadEach(files);
}

TEST(FuzzInputs, FormerCrashesLoadOrFailCleanly) {
    // An empty or missing folder would pass without reading anything.
    const auto files = FilesIn(DataPath("fuzz-crashes"));
    ASSERT_FALSE(files.empty()) << DataPath("fuzz-crashes") << " holds no inputs";
    LoadEach(files);
}
