// Helpers shared by the pathkit tests.
#include "PathkitTestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

namespace pathkit_test {

std::string InstancePath(const std::string& file) {
    return std::string(PATHKIT_INSTANCES) + "/" + file;
}

std::string DataPath(const std::string& file) {
    return std::string(PATHKIT_TEST_DATA) + "/" + file;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path = std::filesystem::path(testing::TempDir()) /
           ("pathkit-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& text) const {
    const std::string file = (path / name).string();
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

bool LoadText(TSPData& data, const std::string& text, std::string* errors) {
    TempDir dir;
    const std::string file = dir.Write("instance.tsp", text);
    ErrorCapture capture;
    const bool ok = data.Load(file.c_str());
    if (errors) *errors = capture.Text();
    return ok;
}

std::vector<std::vector<long>> ImportTable(std::istream& in) {
    std::vector<std::vector<long>> rows;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream numbers(line.substr(colon + 1));
        std::vector<long> row;
        long value;
        while (numbers >> value) row.push_back(value);
        rows.push_back(row);
    }
    return rows;
}

std::vector<int> ReadTourFile(const std::string& path) {
    std::ifstream in(path);
    std::string word;
    while (in >> word && word != "TOUR_SECTION") {
    }
    std::vector<int> nodes;
    int node;
    while (in >> node && node != -1) nodes.push_back(node);
    return nodes;
}

std::vector<PublishedInstance> PublishedInstances() {
    std::vector<PublishedInstance> list;
    std::ifstream in(InstancePath("OPTIMA.tsv"));
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        PublishedInstance entry;
        std::string format, hasTour;
        if (fields >> entry.file >> entry.dim >> entry.weightType >> format >> entry.optimum >> hasTour) {
            entry.hasTour = hasTour == "yes";
            list.push_back(entry);
        }
    }
    return list;
}

}  // namespace pathkit_test
