// The exact method's time estimate as the graph and check windows show it: the estimate goes into
// the Time field and is then marked as a bound. From 172 nodes on the count of orders (n-1)!
// passes the range of a double, so the estimate can only say "more than" ("> "); below that the
// graph window marks it as an upper bound ("<= "), since its search ends at the first Hamiltonian
// cycle.
#pragma once

#include <string>

class CMainDoc;
class ITextTarget;

// The first node count whose estimate is shown as "> ".
constexpr int EXACT_BOUND_NODES = 172;

// The bound marked on an estimate text already shown: "> text" from EXACT_BOUND_NODES nodes on,
// "<= text" below it when markBelow, else the text itself (cut to 79 characters).
std::string ExactBoundText(const std::string& shown, int nodes, bool markBelow);

// The time-estimate command: clears the results, shows the estimate (no question is asked) and
// marks it as a bound.
void ShowExactBound(CMainDoc& doc, ITextTarget& timeField, bool markBelow);
