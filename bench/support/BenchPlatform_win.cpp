#include "BenchPlatform.h"

#include <chrono>
#include <cstdio>
#include <windows.h>
// psapi.h needs what windows.h declares.
#include "services/WideText.h"

#include <psapi.h>

void FlushFileSystem() {}

// The archive tools of a POSIX system are not at hand here.
bool ToolExists(const std::string& /*tool*/) {
    return false;
}

RunResult RunTool(const std::vector<std::string>& /*arguments*/) {
    return {};
}

// No fork: the work runs here, and the peak is the whole process's so far.
RunResult RunIsolated(bool (*work)(const std::string&, const std::string&),
                      const std::string& first, const std::string& second) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = work(first, second);
    const auto end = std::chrono::steady_clock::now();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const long peak = K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)
                          ? static_cast<long>(counters.PeakWorkingSetSize / 1024)
                          : 0;
    return {std::chrono::duration<double>(end - start).count(), peak, ok};
}

int ProcessNumber() {
    return static_cast<int>(GetCurrentProcessId());
}

// The C runtime has no line buffering (_IOLBF buffers fully) and refuses a
// buffer size below 2.
void ShowOutputLineByLine() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
}

bool BareCopy(const std::string& source, const std::string& target) {
    return CopyFileW(WideFromUtf8(source).c_str(), WideFromUtf8(target).c_str(), FALSE) != 0;
}

bool BareRename(const std::string& source, const std::string& target) {
    return MoveFileExW(WideFromUtf8(source).c_str(), WideFromUtf8(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

bool BareDelete(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) != 0;
}
