// The program's notices: the string-table texts shown in message boxes, and the two boxes that
// show them ("Warning" with an exclamation icon, "Information" with an information icon).
#pragma once

enum EMessageId {
    IDS_CYCLE_UNKNOWN = 32777,
    IDS_ALREADY_COMPARED = 32780,
    IDS_CORRECT_ROUTE = 32782,
    IDS_SELECT_FOUR_CAPITALS = 32784,
    IDS_ABORTED_BY_USER = 32785,
    IDS_ONLY_ONE_MINIMUM = 32790,
    IDS_NO_MEMORY_FOR_NODES = 32793,
    IDS_DEGREE_INVALID = 32794,
    IDS_BOTH_ZERO_CYCLE = 32795,
    IDS_NO_ZERO_CYCLE_FOUND = 32796,
    IDS_BOTH_NO_ZERO_CYCLE = 32797,
    IDS_ONLY_ONE_MAXIMUM = 32799,
    IDS_ONLY_ONE_GRAPH_CYCLE = 32801,
    IDS_INVALID_CYCLE_STRING = 32802,
    IDS_INVALID_NODE_VALUE = 32803,
    IDS_NODE_TWICE = 32804,
    IDS_SAME_SOLUTION = 32805,
    IDS_POLYN_WRONG = 32806,
    IDS_NODE_COUNT_INVALID = 32808,
    IDS_NOT_CORRECT_SOLUTION = 32812,
    IDS_DIFFERENT_SOLUTIONS = 32813,
    // Texts of our own, beyond the original string table.
    IDS_ANOTHER_RUN = 33001,
};

// The program's fixed texts that are not string-table entries (fields and boxes of the forms).
inline constexpr const char* kTextTestingAborted = "Testing aborted by user.";
inline constexpr const char* kTextNoGraphCycle = "Cycle in the graph does not exist.";
inline constexpr const char* kTextNoSuchEdges = "There are no such edges.";
inline constexpr const char* kTextSearchingFinal = "Searching for a final cycle...";
inline constexpr const char* kTextFinalSearchAborted = "Searching for a final cycle is aborted by user.";

// The text of a string-table entry; an empty text for an unknown id.
const char* MessageText(int id);

// Shows the entry in a task-modal "Warning" box.
void WarningBox(int id);
// Shows the entry in a task-modal "Information" box.
void InfoBox(int id);
