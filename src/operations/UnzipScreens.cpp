#include "operations/UnzipScreens.h"

#include "app/ProgramState.h"
#include "app/Settings.h"
#include "operations/MainWindowPort.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/PathText.h"

namespace {

const char* const kArchiveName = "loadscr.zip";

void DrawAndYield(MainWindowPort& window, int32_t value, const std::string& caption) {
    window.DrawProgress(value, 100, caption);
    window.YieldToWindow();
}

} // namespace

std::string ScreensArchivePath(const MachineFacts& machine) {
    return WithTrailingSeparator(machine.programFolder) + kArchiveName;
}

// One spelling for every use: on a case-sensitive file system "screens" and
// "Screens" would be two folders.
std::string ScreensFolderPath(const MachineFacts& machine) {
    return WithTrailingSeparator(machine.programFolder) + kScreensFolderName;
}

void UnzipScreens(MainWindowPort& window, const ProgramState& program) {
    const std::string archive = ScreensArchivePath(program.machine);
    if (!IsFile(archive)) {
        window.ShowMessage(program.Messages[kMsgFileMissing] + "\r\n" + archive,
                           MessageIcon::Information);
        window.SetProgressVisible(false);
        return;
    }
    const std::string folder = ScreensFolderPath(program.machine);
    // Most often the folder is there already; a folder that cannot be made
    // makes the extraction itself fail, which is told.
    (void)MakeFolder(folder);
    window.SetHourglass(true);
    window.SetProgressVisible(true);
    DrawAndYield(window, 50, "Unzipping...");
    if (!window.UnzipWithWindow(archive, folder, false))
        WriteLog("Maybe problems while unzipping " + archive, "", false, false);
    DrawAndYield(window, 100, "Unzipping...");
    window.SetHourglass(false);
    window.ShowMessage(program.Messages[kMsgFinished], MessageIcon::Information);
    window.SetProgressVisible(false);
}

void OfferUnzipAtStart(MainWindowPort& window, const ProgramState& program) {
    const std::string folder = ScreensFolderPath(program.machine) + kSeparator;
    const std::string archive = ScreensArchivePath(program.machine);
    if (IsFolder(folder) || !IsFile(archive))
        return;
    if (!window.AskYesNo(program.Messages[kMsgOfferUnzip]))
        return;
    (void)MakeFolder(folder); // as above: the extraction tells a missing folder
    // The unzip window shows its own outcome; nothing follows it here.
    window.UnzipWithWindow(archive, folder, false);
}

void DeleteTemporaryFiles(MainWindowPort& window, const ProgramState& program) {
    const std::string folder = ScreensFolderPath(program.machine);
    if (!IsFolder(folder))
        return;
    if (!window.AskYesNo(WithLineBreaks(program.Messages[kMsgDeleteUnzipped]) + "\r\n" + folder))
        return;
    window.SetHourglass(true);
    window.YieldToWindow();
    window.SetProgressVisible(true);
    window.DrawProgress(0, 100, "Deleting temporary files");
    const Status deleted = ShellDelete(folder, true);
    WriteLog((deleted ? "Deleted : " : "Can't delete ") + folder, "", false, false);
    window.SetHourglass(false);
}
