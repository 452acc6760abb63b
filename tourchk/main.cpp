// TOURCHK: loads one instance file with pathkit and writes its distance matrix as a text table beside
// it (data.tsp gives data.txt). The exit status is always 0: a failed load shows only by the library's
// message on standard error and by the missing table.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "OutputName.h"
#include "pathkit/TSPData.h"
#include "pathkit/Version.h"

int main(int argc, char* argv[]) {
    TSPData data;
    if (argc != 2) {
        std::fputs("\nTravelling salesman problem test\n", stdout);
        std::fputs("TOURCHK distance matrix converter, pathkit " PATHKIT_VERSION_STRING "\n\n", stdout);
        std::fputs("USAGE: TOURCHK <data.tsp>\n", stdout);
        return 0;
    }
    if (!data.Load(argv[1])) return 0;
    const std::string table = OutputName(argv[1]);
    // An instance file named like its table (data.txt) would be overwritten by it.
    std::error_code error;
    if (std::filesystem::equivalent(argv[1], table, error)) {
        std::fprintf(stderr, "The table %s would overwrite the instance file.\n", table.c_str());
        return 0;
    }
    data.StoreMatrix(table.c_str());
    return 0;
}
