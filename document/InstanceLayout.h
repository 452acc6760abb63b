// Where a network's nodes lie when it came from a published instance: the instance's name, the file
// it was read from and its node positions. A network document keeps them beside its file format
// (which stays as it is) and drops them when its network is replaced (a new node count, a random
// network, an imported matrix). They survive Save and Open in a companion file beside the
// document, "<document file>.layout", a small text in the style of the instance format:
//
//   NAME : berlin52
//   SOURCE : /home/me/instances/berlin52.tsp
//   GEO : no
//   DIMENSION : 52
//   NODE_COORD_SECTION
//   1 565 575
//   ...
//   EOF
//
// Keywords other than these are skipped before the section; the section holds one line per node,
// in order, with its number and its x and y (for GEO the latitude and longitude as the instance
// gives them).
#pragma once

#include <string>
#include <string_view>

#include "document/InstanceLoad.h"

struct CInstanceLayout {
    std::string name;    // the instance's NAME
    std::string source;  // the instance file it was read from (absolute), empty when unknown
    CInstancePositions positions;

    bool Empty() const { return name.empty() && source.empty() && positions.x.empty(); }
    // The positions are those of a network of this many nodes.
    bool PlacesNodes(int nodes) const {
        return nodes > 0 && positions.x.size() == static_cast<std::size_t>(nodes);
    }
    void Clear() { *this = CInstanceLayout(); }
};

// The companion file of a document file: its full name with ".layout" appended.
std::string LayoutPathFor(const std::string& documentPath);

// The companion text of a layout.
std::string LayoutFileText(const CInstanceLayout& layout);

struct CLayoutRead {
    CInstanceLayout layout;
    std::string error;  // empty when read; otherwise "NAME:LINE: what was expected"
};
// Reads a companion text; name is the file's name for the errors.
CLayoutRead ReadLayoutText(std::string_view text, std::string_view name);

// The table of published optima beside the instance file the layout came from ("OPTIMA.tsv" in its
// folder), or empty when there is none.
std::string OptimaTableBeside(const CInstanceLayout& layout);
