#pragma once

#include <string>
#include <vector>

// What the benchmarks need from the system, where the systems differ.

struct RunResult {
    double seconds = 0;
    long peakKilobytes = 0;
    bool ok = false;
};

// Writes out what the file system still holds in memory, so a timed run
// does not pay for earlier ones (nothing to ask for on Windows).
void FlushFileSystem();

// True when `tool` can be started by name.
bool ToolExists(const std::string& tool);

// `arguments[0]` run with the rest, timed; its peak memory where known.
RunResult RunTool(const std::vector<std::string>& arguments);

// Runs `work`, timed, in a process of its own where the system can copy
// this one (POSIX), so its peak memory is its own; else in this process.
RunResult RunIsolated(bool (*work)(const std::string&, const std::string&),
                      const std::string& first, const std::string& second);

int ProcessNumber();

// The floor an install and a delete are measured against: the system's own
// copy of one file over another (copy_file_range here, CopyFileW on
// Windows) and its own removal (unlink, DeleteFileW), nothing around them.
bool BareCopy(const std::string& source, const std::string& target);
// Renames `source` over `target` with the system's own call (rename,
// MoveFileExW): with BareCopy to a name beside, the least a copy that
// never leaves a half-written target can do.
bool BareRename(const std::string& source, const std::string& target);
bool BareDelete(const std::string& path);

// Lets each line of the standard output out as it is printed, so progress
// shows when the output is a file.
void ShowOutputLineByLine();
