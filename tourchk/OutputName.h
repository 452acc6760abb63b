// The name of the matrix table that TOURCHK writes for an instance file.
#pragma once

#include <string>
#include <string_view>

// The table lies beside the instance: the same folder, the file name cut at its first '.', and ".txt"
// appended ("data/a.b.tsp" gives "data/a.txt"; dots in folder names are kept).
std::string OutputName(std::string_view path);
