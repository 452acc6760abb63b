// Broken instance files (tests/pathkit/data, each named for its defect): every one fails to load with
// the library's message for its defect and leaves the instance empty.
#include <gtest/gtest.h>

#include "PathkitTestSupport.h"
#include "pathkit/TSPData.h"

using namespace pathkit_test;

namespace {

struct BrokenFile {
    const char* file;
    const char* messages;  // everything written to the error stream
};

constexpr const char* kBadCoords = "Can't read coord section.\n";
constexpr const char* kBadMatrix = "Can't read cost matrix.\n";
constexpr const char* kBadNode = "Error in NODE_COORD_SECTION: bad node.\nCan't read coord section.\n";

const BrokenFile kBrokenFiles[] = {
    // No coordinates can be read while the type is still undetermined.
    {"coord-section-before-type.tsp", kBadCoords},
    // The message for a missing node ends with a line break, as every message does.
    {"node-3-of-5-missing.tsp", "No 2-D coordinates for city # 3\n"},
    {"3d-node-2-missing.tsp", "No 3-D coordinates for city # 2\n"},
    {"weight-type-special.tsp", "Can't determine Distance function.\n"},
    {"unknown-type.tsp", "Can't determine matrix input format type.\nCan't determine Distance function.\n"},
    {"unknown-format.tsp", "Can't determine matrix input format type.\n"},
    {"no-dimension.tsp", "No DIMENSION given for PATHKIT File\n"},
    {"negative-dimension.tsp", "DIMENSION -4 is not a positive node count\n"},
    {"empty.tsp", "No DIMENSION given for PATHKIT File\n"},
    {"no-data-section.tsp", "TSP or coord list not specified in PATHKIT File\n"},
    {"dimension-beyond-memory.tsp", "Not enough memory for DIMENSION 1000000\n"},
    {"matrix-cut-short-by-eof-line.tsp", kBadMatrix},
    {"matrix-cut-short-by-keyword.tsp", kBadMatrix},
    {"matrix-cut-short-by-end-of-file.tsp", kBadMatrix},
    {"matrix-holds-a-word.tsp", kBadMatrix},
    {"matrix-holds-a-fraction.tsp", kBadMatrix},
    {"matrix-number-beyond-32-bits.tsp", kBadMatrix},
    {"matrix-in-function-format.tsp", kBadMatrix},
    {"matrix-without-format.tsp", kBadMatrix},
    {"node-number-zero.tsp", kBadNode},
    {"node-number-beyond-dimension.tsp", kBadNode},
    {"node-number-a-fraction.tsp", kBadNode},  // "1.5" is no node 1
    {"blank-line-in-coord-section.tsp", kBadNode},
    {"coordinate-missing.tsp", kBadCoords},
    {"coordinate-not-a-number.tsp", kBadCoords},
    {"coordinate-infinite.tsp", kBadCoords},
};

}  // namespace

TEST(BrokenFiles, FailWithTheMessageForTheirDefect) {
    for (const BrokenFile& broken : kBrokenFiles) {
        TSPData data;
        ErrorCapture capture;
        EXPECT_FALSE(data.Load(DataPath(broken.file).c_str())) << broken.file;
        EXPECT_EQ(capture.Text(), broken.messages) << broken.file;
        EXPECT_EQ(data.GetDim(), 0) << broken.file;
        EXPECT_EQ(data.GetMatrix(), nullptr) << broken.file;
        EXPECT_EQ(data.GetPositions2D(), nullptr) << broken.file;
        EXPECT_EQ(data.GetPositions3D(), nullptr) << broken.file;
    }
}
