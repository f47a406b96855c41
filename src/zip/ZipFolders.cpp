#include "zip/ZipFolders.h"

#include "services/FileSystem.h"
#include "services/FileUtils.h"
#include "services/PathText.h"

#include <filesystem>
#include <vector>

static std::vector<std::string> SplitAtSeparator(const std::string& path) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = path.find(kSeparator, start);
        parts.push_back(path.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

static bool MakeMissingFolder(const std::string& path) {
    if (IsFolder(path))
        return true;
    (void)CreateFolder(path); // another may have made it meanwhile: what is there counts
    return IsFolder(path);
}

// The walk starts below the root: "\\server\" or "\\?\" is no folder to make.
bool CreateFolderPath(const std::string& path) {
    const size_t rootLength = PathRootLength(path);
    const std::string root = path.substr(0, rootLength);
    std::string accumulated = root;
    for (const std::string& part : SplitAtSeparator(path.substr(rootLength))) {
        if (part.empty())
            continue;
        accumulated += part + kSeparator;
        if (!MakeMissingFolder(accumulated))
            return false;
    }
    // A share alone must at least be there.
    return accumulated != root || root.empty() || IsFolder(root);
}

Status CreateSubFolders(const std::string& base, const std::string& relative) {
    if (relative.empty())
        return Success();
    std::string folder = base;
    for (const std::string& part : SplitAtSeparator(relative)) {
        folder += kSeparator + part;
        if (!MakeMissingFolder(folder))
            return SystemFailure("Impossible de créer le répertoire " + folder, 0);
    }
    return Success();
}
