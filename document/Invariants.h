// What a document promises after every step that runs a method: its results state is in range, the
// cycles it holds as results are permutations, and the solver's own promises hold (solver/
// Invariants.h). Debug and sanitizer builds check these after every step and end the process with
// the broken promise named; Release builds leave the calls out.
#pragma once

#include <string>

#include "solver/Invariants.h"

class CMainDoc;

// The first broken promise, or "" when all hold.
std::string DocumentInvariantFault(const CMainDoc& doc);

#ifdef NDEBUG
inline void CheckDocumentInvariants(const CMainDoc&, const char*) {}
#else
void CheckDocumentInvariants(const CMainDoc& doc, const char* step);
#endif
