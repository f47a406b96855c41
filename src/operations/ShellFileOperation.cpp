#include "operations/ShellFileOperation.h"

#include "services/FileIO.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

static bool Exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

static bool CopyThroughTemporary(const fs::path& source, const std::string& destination) {
    const fs::path temporary = FsPath(TemporaryNameBeside(destination));
    std::error_code error;
    // copy_file takes regular files only, so a pipe or a device named like a
    // screen fails here instead of blocking the run.
    fs::copy_file(source, temporary, fs::copy_options::none, error);
    if (error == std::errc::file_exists)
        return false; // someone else's file took the name meanwhile: leave it alone
    if (!error)
        fs::rename(temporary, FsPath(destination), error);
    if (!error)
        return true;
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
}

bool ShellFileOperation(const std::string& source, const std::string& destination,
                        int32_t operation, int16_t flags) {
    if (operation != kFileOperationCopy || source.empty() || destination.empty())
        return false;
    const bool replaceWithoutAsking = (flags & kFileOperationNoConfirmation) != 0;
    if (!replaceWithoutAsking && Exists(FsPath(destination)))
        return false;
    // A file never replaces a folder, nor a link that leads to one.
    if (IsFolder(destination))
        return false;
    return CopyThroughTemporary(FsPath(source), destination);
}
