// The inputs of a survey over published instances: the table of published optima (one
// tab-separated row per instance file) and a quick look at an instance file's header, which tells
// instance files from tour files and gives the node count before the file is loaded.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// One row of an optima table.
struct COptimaRow {
    std::string file;    // the instance's file name, e.g. "berlin52.tsp"
    int dimension = 0;   // its node count
    std::string type;    // EDGE_WEIGHT_TYPE as declared
    std::string format;  // EDGE_WEIGHT_FORMAT as declared, "-" when none
    int optimum = 0;     // the published optimal tour length
    bool hasOptTour = false;
    int line = 0;  // where the row stands in the table
};

// The table: a header line "file, dimension, edge_weight_type, edge_weight_format, optimal_length,
// has_opt_tour" (tab-separated, in this order), then one row of six tab-separated fields per
// instance: a file name, a positive node count, two non-empty words, an integer length in the
// 32-bit range and "yes" or "no". Blank lines are skipped; CR LF line ends are read as LF. A file
// name may appear once.
struct COptimaTable {
    std::vector<COptimaRow> rows;
    std::string error;  // empty when read; otherwise "NAME:LINE: what was expected"

    // The row of a file name (compared exactly), or null.
    const COptimaRow* Find(std::string_view file) const;
};
COptimaTable ReadOptimaTable(std::string_view text, std::string_view name);

// What the header of an instance file says, up to its first section or EOF line. Keywords are
// read as pathkit reads them: at the start of a line after blanks, followed by a blank, ':' or the
// line end; the value follows the ':' (or the keyword), blanks trimmed.
struct CInstanceHeader {
    bool instanceText = false;  // the text opens with a keyword of the instance format
    std::string type;           // the TYPE value ("TSP", "TOUR", ...), empty when absent
    std::string weightType;     // the EDGE_WEIGHT_TYPE value, empty when absent
    long long dimension = -1;   // the leading number of the DIMENSION value; -1 when absent or unreadable
};
CInstanceHeader ReadInstanceHeader(std::string_view head);

// The header of a whole instance file, judged before the file is loaded: as ReadInstanceHeader,
// and moreover a DIMENSION given twice, or after the first section, is an error (the reader would
// size the instance anew from it, past any limit judged from the header). instanceText is not set.
struct CInstanceScan : CInstanceHeader {
    std::string error;  // empty, or what is wrong, with its line
};
CInstanceScan ScanInstanceFile(std::istream& in);

// True when the type names a tour file ("TOUR"), which is never an instance.
bool IsTourType(std::string_view type);
