#pragma once

#include <string>

// Appends one line ended by CR LF to the log, or starts the log afresh when
// `restart` is set. An empty `file` means the program's log beside the
// executable. A log that cannot be written is skipped silently.
void WriteLog(const std::string& text, const std::string& file = {}, bool timeStamp = false,
              bool restart = false);

// The program's own log: program folder, title, ".log.txt".
std::string DefaultLogPath();
