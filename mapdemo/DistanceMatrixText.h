// The text of the "Distance Matrix" dialog of the map window: the selected capitals with their
// selection numbers and the weight between every two of them.
#pragma once

#include <string>

class CCycleSolver;

// A header line, then one line per selected capital in table order, each starting with "\r\n"
// (the dialog's multi-line text box). Numbers are right-aligned in columns of five characters.
std::string DistanceMatrixText(const CCycleSolver& solver);
