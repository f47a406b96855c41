#include "services/ProgramFolder.h"

#include "services/FileUtils.h"
#include "services/PathText.h"
#include "services/ProgramTitle.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace fs = std::filesystem;

std::string UserDataFolder(const std::string& homeFolder) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const std::string base = dataHome && dataHome[0] == '/'
                                 ? std::string(dataHome)
                                 : WithTrailingSeparator(homeFolder) + ".local/share";
    return WithTrailingSeparator(base) + kProgramTitle;
}

bool FolderCanBeWritten(const std::string& folder) {
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Nothing is logged yet, and the log would live in this very folder: a
// failure can only be told on the standard error stream. The program goes
// on, and its later writes fail as they would in any unwritable folder.
static void CreateDataFolder(const std::string& folder) {
    std::error_code error;
    if (fs::create_directories(FsPath(folder), error))
        fs::permissions(FsPath(folder), fs::perms::owner_all, error);
    if (error)
        std::cerr << kProgramTitle << ": cannot create " << folder << ": " << error.message()
                  << '\n';
}

// /usr holds what the system's packages installed: root may write there, but
// a program run by root must not leave its files among them.
static bool IsInstalledBySystem(const std::string& folder) {
    return WithTrailingSeparator(folder).starts_with("/usr/");
}

std::string ProgramFolderFor(const std::string& executableFolder, const std::string& homeFolder,
                             const std::function<bool(const std::string&)>& canWrite) {
    if (!IsInstalledBySystem(executableFolder) && canWrite(executableFolder))
        return executableFolder;
    const std::string folder = UserDataFolder(homeFolder);
    CreateDataFolder(folder);
    return folder;
}

std::string ProgramFolderFor(const std::string& executableFolder, const std::string& homeFolder) {
    return ProgramFolderFor(executableFolder, homeFolder, FolderCanBeWritten);
}
