#include "zip/ZipNames.h"

#include "services/NameRules.h"
#include "services/PathText.h"

#include <algorithm>

std::string NativeEntryName(const std::string& archiveName) {
    std::string name = archiveName;
    std::replace_if(name.begin(), name.end(), IsSeparator, kSeparator);
    return name;
}

std::string TargetName(const std::string& entryName) {
    std::string name = entryName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == ':' || FileNamesRefuse(c); }, '_');
    return name;
}

std::string FileNamePart(const std::string& path) {
    const auto last = path.rfind(kSeparator);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string FolderPart(const std::string& path) {
    const auto last = path.rfind(kSeparator);
    return last == std::string::npos ? std::string() : path.substr(0, last);
}
