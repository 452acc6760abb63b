// Fuzz target: any bytes opened as a document. A file that loads must store back to exactly the
// bytes it was read from (trailing bytes aside), load again, and give a report.
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
    if (out.Bytes() != bytes.substr(0, out.Bytes().size())) std::abort();
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
