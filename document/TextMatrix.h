// Reading a weight matrix from text: the row format of the text report, of the matrix tables that
// TOURCHK writes, and of the Import command.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "solver/Matrix.h"

// Clears rows and columns 1..nodes of the matrix, then reads rows from the stream: every line that
// holds a ':' is the next matrix row (whatever stands before the colon); after the first ':' up to
// `nodes` numbers are read, each truncated toward zero and clamped to -32768..32767; for a graph
// (graph != 0) a positive number becomes 1 and any other 0. Lines are taken at most 4999 characters
// at a time (a longer line is read in pieces, each a line of its own). Reading stops after `nodes`
// rows or at the end of the text. Only the upper triangle (column > row) is stored: the lower
// triangle of a weight matrix stays 0. Returns the number of rows read.
int ReadTextMatrix(std::istream& in, int nodes, int graph, CSquareMatrix<int32_t>& weight);

// The console's strict reading of the same row format, which never misreads silently. A row is a
// line whose label before its first ':' is the next row number (1, 2, ...); every other line
// (headers such as "Nodes: 8" or "NAME: berlin52", the report's cycle lines) is skipped. The text
// after the ':' must hold integers only. With nodes > 0 the first `nodes` rows are read and each
// must hold at least `nodes` numbers; with nodes 0 the node count is the number of rows and each
// row must hold exactly that many. Weights may exceed the windows' range, but n times the largest
// |weight| must stay below 2^31 so that no cycle's cost leaves 32 bits; for a graph (graph != 0)
// every weight is 0 or 1. Only the upper triangle is kept (the rest of the result is 0).
struct CStrictMatrix {
    int nodes = 0;
    std::vector<int32_t> weights;  // (nodes+1)^2, row-major, index i*(nodes+1)+j with 1 <= i < j
    std::string error;             // empty when read; otherwise "NAME:LINE: what was expected"
};
CStrictMatrix ReadStrictMatrix(std::string_view text, std::string_view name, int nodes, int graph,
                               int maxNodes);
