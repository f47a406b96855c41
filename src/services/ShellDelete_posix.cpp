#include "services/FileUtils.h"
#include "services/PathText.h"
#include "services/Trash.h"

#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

// "link/" would name what the link points to: the system resolves a path
// with a final separator through the link. Dropping the separators first
// makes the link itself the thing deleted.
static std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && EndsWithSeparator(path))
        path.pop_back();
    return path;
}

Status ShellDelete(const std::string& path, bool permanent) {
    const std::string trimmed = WithoutTrailingSeparators(path);
    if (trimmed.empty())
        return FailureOf(FailureCause::BadName, "delete an empty path");
    if (!permanent)
        return MoveToTrash(trimmed);
    // A file or a link goes in one call; a folder, or nothing, is left to
    // the walk below, which tells which it was.
    if (::unlink(trimmed.c_str()) == 0)
        return Success();
    const fs::path target = FsPath(trimmed);
    std::error_code error;
    if (!fs::exists(fs::symlink_status(target, error)))
        return FailureOf(FailureCause::NotFound, "delete " + trimmed, error.value());
    // remove_all does not follow links, neither at the top nor inside.
    fs::remove_all(target, error);
    if (!error && !fs::exists(fs::symlink_status(target, error)))
        return Success();
    return SystemFailure("delete " + trimmed, error.value());
}
