// The string-table texts of the program's notices and the two boxes that show them.
#include "document/Messages.h"

#include "solver/Platform.h"

namespace {

struct CMessage {
    int id;
    const char* text;
};

constexpr CMessage kMessages[] = {
    {IDS_CYCLE_UNKNOWN, "A minimum (maximum) cycle is unknown because initial\ndata set has been changed."},
    {IDS_ALREADY_COMPARED, "Comparing of the current network has already been completed."},
    {IDS_CORRECT_ROUTE, "Polyn. method has found a correct route."},
    {IDS_SELECT_FOUR_CAPITALS, "You must select at least 4 state capital cities."},
    {IDS_ABORTED_BY_USER, "Testing is aborted by user..."},
    {IDS_ONLY_ONE_MINIMUM, "The network has only ONE minimum cycle."},
    {IDS_NO_MEMORY_FOR_NODES,
     "Not enough memory for new value of the nodes. Will be continued\n with the old value."},
    {IDS_DEGREE_INVALID, "New degree value is invalid\nThe valid range: 1...nodes-1"},
    {IDS_BOTH_ZERO_CYCLE, "Both methods have found a zero cycle."},
    {IDS_NO_ZERO_CYCLE_FOUND, "ERROR: Polyn. method has NOT found a zero cycle."},
    {IDS_BOTH_NO_ZERO_CYCLE, "Both methods have not found any zero cycle."},
    {IDS_ONLY_ONE_MAXIMUM, "The network has only ONE maximum cycle."},
    {IDS_ONLY_ONE_GRAPH_CYCLE, "Only one cycle exists in this graph."},
    {IDS_INVALID_CYCLE_STRING, "Invalid given cycle string."},
    {IDS_INVALID_NODE_VALUE, "Invalid value of a node in entered string."},
    {IDS_NODE_TWICE, "One node was entered twice."},
    {IDS_SAME_SOLUTION, "Both methods have found the same solution."},
    {IDS_POLYN_WRONG, "Polyn. method is wrong."},
    {IDS_NODE_COUNT_INVALID, "A number of the nodes is invalid in the given cycle."},
    {IDS_NOT_CORRECT_SOLUTION, "ERROR: Polyn. method has NOT found a correct solution."},
    {IDS_DIFFERENT_SOLUTIONS, "ATTENTION: The method has found the different solutions."},
    {IDS_ANOTHER_RUN,
     "A method is running in another window.\nWait until it ends, or stop it with Esc, before you start "
     "another."},
};

}  // namespace

const char* MessageText(int id) {
    for (const CMessage& m : kMessages)
        if (m.id == id) return m.text;
    return "";
}

void WarningBox(int id) {
    Platform().pDialogs->ShowMessage(EBoxKind::Warning, MessageText(id));
}

void InfoBox(int id) {
    Platform().pDialogs->ShowMessage(EBoxKind::Information, MessageText(id));
}
