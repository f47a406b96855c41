#include "services/LogFile.h"

#include "services/FileSystem.h"
#include "services/FileText.h"
#include "services/Machine.h"
#include "services/PathText.h"
#include "services/ProgramTitle.h"

namespace {

struct KeptLog {
    std::string path;
    AppendingFile file;
};

KeptLog* keptLog = nullptr;

} // namespace

LogKeptOpen::LogKeptOpen() : owner_(keptLog == nullptr) {
    if (!owner_)
        return;
    keptLog = new KeptLog{DefaultLogPath(), {}};
    // A log that cannot be kept open is opened line by line instead, and a
    // log that cannot be written at all is skipped: the program runs on.
    (void)keptLog->file.Open(keptLog->path);
}

LogKeptOpen::~LogKeptOpen() {
    if (!owner_)
        return;
    delete keptLog;
    keptLog = nullptr;
}

std::string DefaultLogPath() {
    return ProgramFolderWithSeparator() + kProgramTitle + ".log.txt";
}

void WriteLog(const std::string& text, const std::string& file, bool timeStamp, bool restart) {
    const std::string path = file.empty() ? DefaultLogPath() : file;
    std::string line = timeStamp ? Machine().timeOfDay() + " " + text : text;
    // The log is read with the system's tools: ANSI text on Windows.
    line = FileTextFromUtf8(line) + "\r\n";
    // Handed to the system line by line, so the log is complete on disk even
    // if the program stops abruptly afterwards.
    if (!restart && keptLog && keptLog->path == path && keptLog->file.Append(line))
        return;
    // Nowhere left to tell that the log cannot be written: skipped silently.
    (void)AppendToFile(path, line, restart);
}
