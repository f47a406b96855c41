#pragma once

#include <string>

// Appends one line ended by CR LF to the log, or starts the log afresh when
// `restart` is set. An empty `file` means the program's log beside the
// executable. A log that cannot be written is skipped silently.
void WriteLog(const std::string& text, const std::string& file = {}, bool timeStamp = false,
              bool restart = false);

// The program's own log: program folder, title, ".log.txt".
std::string DefaultLogPath();

// While one lives, lines for the program's own log go through one handle
// kept open: an operation writes a line per layout, and opening the file
// for each cost more than the line (above all under Wine). Each line still
// reaches the system at once.
class LogKeptOpen {
  public:
    LogKeptOpen();
    ~LogKeptOpen();
    LogKeptOpen(const LogKeptOpen&) = delete;
    LogKeptOpen& operator=(const LogKeptOpen&) = delete;

  private:
    bool owner_ = false; // the outermost one opened the file and closes it
};
