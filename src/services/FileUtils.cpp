#include "services/FileUtils.h"

#include "services/FileSystem.h"
#include "services/Machine.h"
#include "services/PathText.h"

bool IsFile(const std::string& path) {
    return KindOf(path) == EntryKind::File;
}

bool IsFolder(const std::string& path) {
    return KindOf(path) == EntryKind::Folder;
}

bool IsLink(const std::string& path) {
    return IsLinkItself(path);
}

std::string WithTrailingSeparator(const std::string& path) {
    if (EndsWithSeparator(path))
        return path;
    const char separator = path.find("://") != std::string::npos ? '/' : kSeparator;
    return path + separator;
}

std::string FolderOfField(const std::string& text) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos)
        return {};
    return WithTrailingSeparator(text);
}

Status MakeFolder(const std::string& path) {
    std::string folder = path;
    if (EndsWithSeparator(folder) && folder.size() > 1)
        folder.pop_back();
    if (folder.empty())
        return FailureOf(FailureCause::BadName, "make a folder of an empty path");
    return CreateFolder(folder);
}

std::string SpecialFolderPath(const MachineFacts& machine, int32_t folder) {
    if (folder == kProgramFilesFolder)
        return machine.programFilesFolder;
    return {};
}
