#include "zip/PathSafety.h"

#include "services/NameRules.h"
#include "services/PathText.h"

#include <filesystem>

namespace fs = std::filesystem;

template <typename Test> static bool AnyComponent(const std::string& name, Test test) {
    std::string::size_type start = 0;
    for (;;) {
        const auto end = name.find_first_of("/\\", start);
        const auto part = name.substr(start, end == std::string::npos ? end : end - start);
        if (test(part))
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

bool HasParentComponent(const std::string& name) {
    return AnyComponent(name, [](const std::string& part) { return part == ".."; });
}

bool HasDeviceComponent(const std::string& name) {
    return AnyComponent(name, [](const std::string& part) { return NameOpensADevice(part); });
}

bool HasNulCharacter(const std::string& name) {
    return name.find('\0') != std::string::npos;
}

std::optional<std::string> ResolvedFolder(const std::string& folderPath) {
    std::error_code error;
    const fs::path resolved = fs::canonical(FsPath(folderPath), error);
    if (error)
        return std::nullopt;
    return PathText(resolved);
}

static bool IsWithin(const std::string& folder, const std::string& path) {
    if (path.compare(0, folder.size(), folder) != 0)
        return false;
    return path.size() == folder.size() || EndsWithSeparator(folder) ||
           IsSeparator(path[folder.size()]);
}

bool StaysInsideFolder(const std::string& resolvedFolder, const std::string& folderPath,
                       const std::string& relativeFolder) {
    if (relativeFolder.empty())
        return true;
    if (resolvedFolder.empty()) // nothing to compare with: assume the worst
        return false;
    std::error_code error;
    const fs::path resolved =
        fs::weakly_canonical(FsPath(folderPath + kSeparator + relativeFolder), error);
    return !error && IsWithin(resolvedFolder, PathText(resolved));
}
