// Reading a weight matrix from text: the row format of the text report, of the matrix tables that
// TOURCHK writes, and of the Import command.
#pragma once

#include <cstdint>
#include <istream>

#include "solver/Matrix.h"

// Clears rows and columns 1..nodes of the matrix, then reads rows from the stream: every line that
// holds a ':' is the next matrix row (whatever stands before the colon); after the first ':' up to
// `nodes` numbers are read, each truncated toward zero and clamped to -32768..32767; for a graph
// (graph != 0) a positive number becomes 1 and any other 0. Lines are taken at most 4999 characters
// at a time (a longer line is read in pieces, each a line of its own). Reading stops after `nodes`
// rows or at the end of the text. Only the upper triangle (column > row) is stored: the lower
// triangle of a weight matrix stays 0. Returns the number of rows read.
int ReadTextMatrix(std::istream& in, int nodes, int graph, CSquareMatrix<int32_t>& weight);
