// Helpers shared by the pathkit tests: where the test data lies, temporary instance files, capturing
// the library's messages, and two small readers of our own (the matrix-table import rule and the
// node list of a tour file) that check the library from outside.
#pragma once

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "pathkit/TSPData.h"

namespace pathkit_test {

// A published instance file (../shared/instances) or a file of our own (tests/pathkit/data).
std::string InstancePath(const std::string& file);
std::string DataPath(const std::string& file);

// A fresh folder under the test temp directory, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path; }
    // Writes text to a file of this folder and returns its path.
    std::string Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path;
};

// Collects what the library writes to std::cerr while the object lives.
class ErrorCapture {
public:
    ErrorCapture() : saved(std::cerr.rdbuf(text.rdbuf())) {}
    ~ErrorCapture() { std::cerr.rdbuf(saved); }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;
    std::string Text() const { return text.str(); }

private:
    std::ostringstream text;
    std::streambuf* saved;
};

// Loads an instance given as text; the messages go to *errors when given.
bool LoadText(TSPData& data, const std::string& text, std::string* errors = nullptr);

// The import rule for matrix tables: every line holding a ':' is the next matrix row, read as the
// numbers after its first ':'.
std::vector<std::vector<long>> ImportTable(std::istream& in);

// The node numbers of a tour file: every number after TOUR_SECTION up to -1 or the end, however many
// stand on a line.
std::vector<int> ReadTourFile(const std::string& path);

// One line of OPTIMA.tsv.
struct PublishedInstance {
    std::string file;  // e.g. "berlin52.tsp"
    int dim;
    std::string weightType;
    long optimum;
    bool hasTour;
};
std::vector<PublishedInstance> PublishedInstances();
// Test names show the file, not the bytes of the entry.
inline void PrintTo(const PublishedInstance& instance, std::ostream* out) {
    *out << instance.file;
}

}  // namespace pathkit_test
