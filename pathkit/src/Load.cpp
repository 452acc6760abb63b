// TSPData::Load: the keyword scanner of the instance-file reader, and the TOUR_SECTION.
//
// Each line is tested for the keywords at its start (after optional blanks), so a COMMENT that
// mentions NAME or DIMENSION is only a comment. A section keyword hands the following lines to its
// reader (ReadMatrix, ReadCoord, ReadTour); every other line is ignored. The scan ends at an EOF line
// or at the end of the file.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "Distance.h"
#include "LineReader.h"
#include "Memory.h"
#include "Report.h"
#include "pathkit/TSPData.h"

using namespace pathkit;

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

template <std::size_t N>
void CopyValue(char (&field)[N], std::string_view value) {
    const std::size_t length = value.size() < N - 1 ? value.size() : N - 1;
    value.copy(field, length);
    field[length] = '\0';
}

// The node count of a DIMENSION value: its leading decimal number; 0 when there is none or it is
// negative, LLONG_MAX when it does not fit.
long long ParseCount(std::string_view value) {
    const std::string text(value);
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || n < 0) return 0;
    return errno == ERANGE ? LLONG_MAX : n;
}

}  // namespace

bool TSPData::Load(const char* path) {
    Clear();
    std::unique_ptr<FILE, FileCloser> file(path ? std::fopen(path, "r") : nullptr);
    if (!file) {
        Report(std::string("Can't open file ") + (path ? path : ""));
        return false;
    }

    // Writes the message (if any), leaves the instance empty and gives the result of a failed load.
    auto fail = [this](const std::string& message, bool lineBreak = true) {
        if (!message.empty()) Report(message, lineBreak);
        Clear();
        return false;
    };

    bool matrixReady = false;  // the matrix holds the instance's weights
    bool displayRead = false;  // coordinates have been read
    std::string line;
    std::string_view rest;
    std::string dimensionText;  // the last DIMENSION value, for the message when it is not positive
    while (ReadLine(file.get(), line)) {
        if (IsKeyword(line, "EOF")) break;
        if (IsKeyword(line, "NAME", &rest)) {
            CopyValue(name, KeywordValue(rest));
        } else if (IsKeyword(line, "COMMENT", &rest)) {
            CopyValue(comment, KeywordValue(rest));
        } else if (IsKeyword(line, "DIMENSION", &rest)) {
            dimensionText = std::string(KeywordValue(rest));
            while (!dimensionText.empty() && std::isspace(static_cast<unsigned char>(dimensionText.back())))
                dimensionText.pop_back();
            const long long n = ParseCount(KeywordValue(rest));
            // Whatever was read belongs to the earlier node count.
            ReleaseArrays();
            matrixReady = displayRead = false;
            dim = 0;
            if (!FitsInMemory(MatrixBytes(n))) return fail(NoMemoryMessage(n));
            dim = static_cast<int>(n);
        } else if (IsKeyword(line, "EDGE_WEIGHT_TYPE", &rest)) {
            const std::string value(KeywordValue(rest));
            weightType = GetWeightType(value.c_str());
            distType = FindDistType(value.c_str());
            if (!distType) return fail("Can't determine Distance function.");
        } else if (IsKeyword(line, "EDGE_WEIGHT_FORMAT", &rest)) {
            weightFormat = GetMatrixFormat(std::string(KeywordValue(rest)).c_str());
            if (weightFormat == EWF_NONE) return fail("");  // GetMatrixFormat has said why
        } else if (dim && IsKeyword(line, "EDGE_WEIGHT_SECTION")) {
            if (!ReadMatrix(weightFormat, file.get())) return fail("Can't read cost matrix.");
            matrixReady = true;
        } else if (dim && ((IsKeyword(line, "NODE_COORD_SECTION") && !matrixReady) ||
                           (IsKeyword(line, "DISPLAY_DATA_SECTION") && !displayRead))) {
            if (!ReadCoord(weightType, file.get())) return fail("Can't read coord section.");
            for (int i = 0; i < dim; ++i) {
                if (pos2D && pos2D[i].x == POS_UNSET && pos2D[i].y == POS_UNSET)
                    return fail("No 2-D coordinates for city # " + std::to_string(i + 1));
                if (pos3D && pos3D[i].x == POS_UNSET && pos3D[i].y == POS_UNSET)
                    return fail("No 3-D coordinates for city # " + std::to_string(i + 1));
            }
            if (!distType) return fail("EDGE_WEIGHT_TYPE not defined before NODE_COORD_SECTION");
            if (!matrixReady) {
                if (!AllocMatrix()) return fail("");
                CalcMatrix();
            }
            matrixReady = displayRead = true;
        } else if (dim && IsKeyword(line, "TOUR_SECTION")) {
            if (!ReadTour(file.get())) return fail("");
        }
    }

    if (!dim && !dimensionText.empty())
        return fail("DIMENSION " + dimensionText + " is not a positive node count");
    if (!dim) return fail("No DIMENSION given for PATHKIT File");
    if (!matrixReady) return fail("TSP or coord list not specified in PATHKIT File");
    return true;
}

// The next dim lines hold one node number each; the tour keeps them minus one (truncating v - 0.5, so
// that 0 stays 0 and negative numbers stay as they are).
bool TSPData::ReadTour(FILE* file) {
    tour.reset(new (std::nothrow) int[static_cast<std::size_t>(dim)]());
    if (!tour) {
        Report(NoMemoryMessage(dim));
        return false;
    }
    std::string line;
    for (int i = 0; i < dim && ReadLine(file, line); ++i) {
        long value = std::strtol(line.c_str(), nullptr, 10);
        if (value > INT_MAX) value = INT_MAX;
        if (value < INT_MIN) value = INT_MIN;
        tour[i] = static_cast<int>(static_cast<double>(value) - 0.5);
    }
    return true;
}
