#include "operations/ShellFileOperation.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

static bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

Status ShellFileOperation(const std::string& source, const std::string& destination,
                          int32_t operation, int16_t flags) {
    if (operation != kFileOperationCopy || source.empty() || destination.empty())
        return FailureOf(FailureCause::BadName, "copy " + source + " to " + destination);
    const bool replaceWithoutAsking = (flags & kFileOperationNoConfirmation) != 0;
    // A file never replaces a folder, nor a link that leads to one.
    if ((!replaceWithoutAsking && Exists(FsPath(destination))) || IsFolder(destination))
        return FailureOf(FailureCause::NameTaken, "copy over " + destination);
    return CopyOver(source, destination);
}
