// Telling a published instance file from a QUIRA1 document. Both may carry the extension .tsp:
// an instance file is text that opens with one of its format's keywords; a document opens with
// its node count as a binary integer, which never spells a keyword.
#pragma once

#include <string>
#include <string_view>

// True when the text opens (after blanks and empty lines) with a keyword of the instance format
// such as NAME, TYPE, DIMENSION or EDGE_WEIGHT_TYPE, followed by ':' or a blank.
bool IsInstanceFileText(std::string_view head);

// The refusal shown when such a file is given where a document or matrix table is expected.
std::string InstanceFileRefusal();
