#include "zip/ZipNames.h"

#include "services/NameRules.h"
#include "services/PathText.h"

#include <algorithm>
#include <string_view>

std::string NativeEntryName(const std::string& archiveName) {
    std::string name = archiveName;
    std::replace_if(name.begin(), name.end(), IsSeparator, kSeparator);
    return name;
}

namespace {

// A folder "foo " would be made as "foo" and its file then looked for in
// "foo ", which fails. "." and ".." keep their meaning, and "nul " its device,
// for the safety checks.
void MarkEndingsTheSystemDrops(std::string& name) {
    size_t start = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool last = i + 1 == name.size() || name[i + 1] == kSeparator;
        if (name[i] == kSeparator)
            start = i + 1;
        else if (last) {
            const std::string_view part(name.data() + start, i + 1 - start);
            if (NamesDropAtEnd(name[i]) && part != "." && part != ".." && !NameOpensADevice(part))
                name[i] = '_';
        }
    }
}

} // namespace

std::string TargetName(const std::string& entryName) {
    std::string name = entryName;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == ':' || FileNamesRefuse(c); }, '_');
    MarkEndingsTheSystemDrops(name);
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
