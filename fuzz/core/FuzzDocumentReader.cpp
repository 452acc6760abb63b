// Fuzz target: any bytes opened as a document. A file that loads must store back to exactly the
// bytes it was read from (trailing bytes aside) when its strings use the shortest length form, as
// every file the program writes does; it must load again and give a report.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/Archive.h"
#include "document/MainDoc.h"
#include "document/Switches.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    g_bWriteParamsOnClose = 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CMainDoc doc;
    CArchive in(bytes);
    if (!doc.Serialize(in)) return 0;

    CArchive out;
    doc.Serialize(out);
    // A longer length form of a string is read but stored in the shortest one, so only a file of
    // the same length as its stored form must match it byte for byte.
    const std::size_t consumed = bytes.size() - in.Remaining();
    if (consumed == out.Bytes().size() && out.Bytes() != bytes.substr(0, consumed)) std::abort();
    CMainDoc again;
    CArchive reread(out.Bytes());
    if (!again.Serialize(reread)) std::abort();  // what we wrote must load
    CArchive second;
    again.Serialize(second);
    if (second.Bytes() != out.Bytes()) std::abort();  // and store identically
    doc.ReportText(0);
    doc.ReportText(1);
    return 0;
}
