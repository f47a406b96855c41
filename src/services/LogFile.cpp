#include "services/LogFile.h"

#include "services/FileSystem.h"
#include "services/FileText.h"
#include "services/Machine.h"
#include "services/PathText.h"
#include "services/ProgramTitle.h"

std::string DefaultLogPath() {
    return ProgramFolderWithSeparator() + kProgramTitle + ".log.txt";
}

void WriteLog(const std::string& text, const std::string& file, bool timeStamp, bool restart) {
    const std::string path = file.empty() ? DefaultLogPath() : file;
    std::string line = timeStamp ? Machine().timeOfDay() + " " + text : text;
    // The log is read with the system's tools: ANSI text on Windows.
    line = FileTextFromUtf8(line) + "\r\n";
    // Opened and closed for every line, so the log is complete on disk even
    // if the program stops abruptly afterwards.
    AppendToFile(path, line, restart);
}
