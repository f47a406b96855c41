#include "services/FileUtils.h"

#include "services/Machine.h"
#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

static fs::file_status StatusOf(const std::string& path) {
    std::error_code error;
    if (path.empty())
        return fs::file_status(fs::file_type::not_found);
    return fs::status(FsPath(path), error);
}

bool IsFile(const std::string& path) {
    const fs::file_status status = StatusOf(path);
    return fs::exists(status) && !fs::is_directory(status);
}

bool IsFolder(const std::string& path) {
    return fs::is_directory(StatusOf(path));
}

bool IsLink(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_symlink(fs::symlink_status(FsPath(path), error));
}

std::string WithTrailingSeparator(const std::string& path) {
    if (EndsWithSeparator(path))
        return path;
    const char separator = path.find("://") != std::string::npos ? '/' : kSeparator;
    return path + separator;
}

bool MakeFolder(const std::string& path) {
    std::string folder = path;
    if (EndsWithSeparator(folder) && folder.size() > 1)
        folder.pop_back();
    if (folder.empty())
        return false;
    std::error_code error;
    return fs::create_directory(FsPath(folder), error) && !error;
}

std::string SpecialFolderPath(int32_t folder) {
    if (folder == kProgramFilesFolder)
        return Machine().programFilesFolder;
    return {};
}
