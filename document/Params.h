// params.dat: the eight method parameters of the polynomial method, kept between sessions as
// eight little-endian IEEE doubles (64 bytes). The four loop counts are stored raised by 0.001
// and read back by truncation, so a stored 2 reads as 2 again.
#pragma once

#include <string>

constexpr const char* PARAMS_FILE = "params.dat";

// Reads the parameters. A missing file keeps the defaults; so does every value the file lacks
// (a short file) and every count that is not a finite number in the int range. Returns the number
// of values taken (0..8), or -1 when the file cannot be opened.
int ReadParams(const std::string& path = PARAMS_FILE);
// Writes the 64 bytes safely (see SafeSave.h). 1 on success, 0 when the file could not be written;
// then the old file is kept and *reason (when given) tells why.
int WriteParams(const std::string& path = PARAMS_FILE, std::string* reason = nullptr);

// The same on bytes, for callers that hold the file's contents.
int ParamsFromBytes(const std::string& bytes);
std::string ParamsToBytes();
