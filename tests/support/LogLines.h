#pragma once

#include <string>
#include <vector>

// The lines of a log file, each ended by CR LF in the file. A last line
// without its CR LF comes back with "<unterminated>" appended, so a
// comparison of whole logs catches it.
std::vector<std::string> LogLinesOf(const std::string& path);
