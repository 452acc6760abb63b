// Reading a weight matrix from text rows.
#include "document/TextMatrix.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kPiece = 4999;  // characters taken from a line at a time

// Reads the next piece of a line (without its line end). False at the end of the stream.
bool ReadPiece(std::istream& in, std::string& piece) {
    piece.clear();
    if (!in.good()) return false;
    bool any = false;
    int c;
    while (piece.size() < kPiece && (c = in.get()) != EOF) {
        any = true;
        if (c == '\n') return true;
        piece.push_back(static_cast<char>(c));
    }
    if (piece.size() >= kPiece) return true;
    return any;
}

int32_t ToEntry(double value, int graph) {
    double v = std::trunc(value);
    if (std::isnan(v)) v = 0;
    if (v > 32767) v = 32767;
    if (v < -32768) v = -32768;
    const int32_t entry = static_cast<int32_t>(v);
    if (graph) return entry > 0 ? 1 : 0;
    return entry;
}

}  // namespace

int ReadTextMatrix(std::istream& in, int nodes, int graph, CSquareMatrix<int32_t>& weight) {
    for (int i = 1; i <= nodes; ++i)
        for (int j = 1; j <= nodes; ++j) weight[i][j] = 0;

    std::string line;
    int row = 0;
    while (row < nodes && ReadPiece(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        ++row;
        const char* cursor = line.c_str() + colon + 1;
        for (int column = 1; column <= nodes; ++column) {
            char* end = nullptr;
            const double value = std::strtod(cursor, &end);
            // strtod yields 0 where no number stands; the rest of the row then reads as 0 too.
            cursor = end;
            if (column > row) weight[row][column] = ToEntry(value, graph);
        }
    }
    return row;
}
