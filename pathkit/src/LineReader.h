// Reading instance files line by line: whole lines of any length, keyword recognition at the start of
// a line, keyword values, and how much of a file is left to read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace pathkit {

// Reads the next line, line break included, into line; "\r\n" is read as "\n". False at the end of the
// file when nothing was read.
bool ReadLine(FILE* file, std::string& line);

// True when the line, after leading blanks, begins with keyword followed by a blank, a ':' or the end
// of the line. On success *rest (when given) is the text after the keyword.
bool IsKeyword(std::string_view line, std::string_view keyword, std::string_view* rest = nullptr);

// The value of a keyword line: the text after the ':' that follows the keyword (or after the keyword
// itself when no ':' follows), leading blanks skipped, up to and including the line break.
std::string_view KeywordValue(std::string_view rest);

// Bytes between the file's position and its end when the file is a regular file; UINT64_MAX when the
// size cannot be known (a pipe or a terminal).
uint64_t RemainingBytes(FILE* file);

}  // namespace pathkit
