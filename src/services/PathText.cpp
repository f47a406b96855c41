#include "services/PathText.h"

#include "services/FileUtils.h"
#include "services/FolderEntries.h"
#include "services/Machine.h"
#include "services/NameCase.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace fs = std::filesystem;

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string UpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
    std::error_code error;
    const fs::path base = folder.empty() ? fs::path(".") : FsPath(folder);
    if (fs::exists(base / FsPath(name), error))
        return name;
    std::string found;
    ForEachFolderEntry(folder, [&](const std::string& entry, bool /*hidden*/) {
        if (!SameNameIgnoringCase(entry, name))
            return true;
        found = entry;
        return false;
    });
    return found;
}

std::string ProgramFolderWithSeparator() {
    return WithTrailingSeparator(Machine().programFolder);
}
