// TSPData: construction, the plain accessors, the keyword lookups and the array management.
#include "pathkit/TSPData.h"

#include <cstdlib>
#include <cstring>

#include "Memory.h"
#include "Report.h"

using namespace pathkit;

namespace {

constexpr const char* kTypeNames[] = {"EXPLICIT", "EUC_2D", "EUC_3D", "MAX_2D", "MAX_3D", "MAN_2D", "MAN_3D",
                                      "CEIL_2D",  "GEO",    "ATT",    "XRAY1",  "XRAY2",  "SPECIAL"};
constexpr const char* kFormatNames[] = {"FUNCTION",       "FULL_MATRIX",    "UPPER_ROW", "LOWER_ROW",
                                        "UPPER_DIAG_ROW", "LOWER_DIAG_ROW", "UPPER_COL", "LOWER_COL",
                                        "UPPER_DIAG_COL", "LOWER_DIAG_COL"};
constexpr const char* kUnknownFormat = "Can't determine matrix input format type.";

// Index of the first name that occurs in text, or -1.
template <std::size_t N>
int FindName(const char* const (&names)[N], const char* text) {
    if (text)
        for (std::size_t i = 0; i < N; ++i)
            if (std::strstr(text, names[i])) return static_cast<int>(i);
    return -1;
}

template <std::size_t N>
void CopyText(char (&field)[N], const char* text) {
    std::strncpy(field, text ? text : "", N - 1);
    field[N - 1] = '\0';
}

}  // namespace

TSPData::TSPData() {
    Clear();
}

TSPData::~TSPData() = default;

void TSPData::Clear() {
    name[0] = '\0';
    comment[0] = '\0';
    dim = 0;
    ReleaseArrays();
    distType = nullptr;
    weightFormat = EWF_NONE;
    weightType = EWT_NONE;
}

void TSPData::ReleaseArrays() {
    matrix.reset();
    tour.reset();
    pos2D.reset();
    pos3D.reset();
}

bool TSPData::AllocMatrix() {
    if (matrix) return true;
    const uint64_t bytes = MatrixBytes(dim);
    const std::size_t entries = static_cast<std::size_t>(bytes / sizeof(int));
    if (FitsInMemory(bytes))
        matrix.reset(static_cast<int*>(std::calloc(entries > 0 ? entries : 1, sizeof(int))));
    if (!matrix) Report(NoMemoryMessage(dim));
    return matrix != nullptr;
}

void TSPData::SetName(const char* text) {
    CopyText(name, text);
}

void TSPData::SetComment(const char* text) {
    CopyText(comment, text);
}

EDGE_WEIGHT_TYPE TSPData::GetWeightType(const char* text) {
    const int code = FindName(kTypeNames, text);
    if (code < 0) Report(kUnknownFormat);
    return static_cast<EDGE_WEIGHT_TYPE>(code);
}

EDGE_WEIGHT_FORMAT TSPData::GetMatrixFormat(const char* text) {
    const int code = FindName(kFormatNames, text);
    if (code < 0) Report(kUnknownFormat);
    return static_cast<EDGE_WEIGHT_FORMAT>(code);
}

void TSPData::Store(std::ostream&) {}

void TSPData::Store(const char*) {}
