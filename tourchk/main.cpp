// TOURCHK: loads one instance file with pathkit and writes its distance matrix as a text table beside
// it (data.tsp gives data.txt), safely: the table goes to a temporary file that is renamed over the
// old one only when it was written whole. Exit status 0 for a written table and for the usage text;
// 1 when the load or the write fails, after one line on standard error that names the file.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "OutputName.h"
#include "pathkit/TSPData.h"
#include "pathkit/Version.h"

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file-size limit makes the write fail and be reported instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    TSPData data;
    if (argc != 2) {
        std::fputs("\nTravelling salesman problem test\n", stdout);
        std::fputs("TOURCHK distance matrix converter, pathkit " PATHKIT_VERSION_STRING "\n\n", stdout);
        std::fputs("USAGE: TOURCHK <data.tsp>\n", stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (!data.Load(argv[1])) {
        std::fprintf(stderr, "TOURCHK: %s was not loaded; no table written.\n", argv[1]);
        return 1;
    }
    const std::string table = OutputName(argv[1]);
    // An instance file named like its table (data.txt) would be overwritten by it.
    std::error_code error;
    if (std::filesystem::equivalent(argv[1], table, error)) {
        std::fprintf(stderr, "TOURCHK: the table %s would overwrite the instance file.\n", table.c_str());
        return 1;
    }
    if (!data.WriteMatrixFile(table.c_str())) {
        std::fprintf(stderr, "TOURCHK: the table %s was not written; an older one is kept as it was.\n",
                     table.c_str());
        return 1;
    }
    return 0;
}
