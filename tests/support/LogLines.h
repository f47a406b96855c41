#pragma once

#include <string>
#include <vector>

// The lines of a log file, each ended by CR LF in the file. A last line
// without its CR LF comes back with "<unterminated>" appended, so a
// comparison of whole logs catches it.
std::vector<std::string> LogLinesOf(const std::string& path);

// `text` as a log line read back holds it: on Windows the characters that the
// system's code page lacks come back as "?".
std::string AsLogged(const std::string& text);
