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

namespace {

// The position after `count` parts of `path` from `from`, each with the
// separator that ends it.
size_t AfterParts(std::string_view path, size_t from, int count) {
    for (; count > 0 && from < path.size(); --count) {
        const size_t end = path.find_first_of("\\/", from);
        from = end == std::string_view::npos ? path.size() : end + 1;
    }
    return from;
}

size_t WindowsRootLength(std::string_view path) {
    if (path.starts_with("\\\\?\\") || path.starts_with("\\\\.\\")) {
        const bool unc = path.size() >= 8 && EqualsIgnoringCase(path.substr(4, 4), "UNC\\");
        return unc ? AfterParts(path, 8, 2) : AfterParts(path, 4, 1);
    }
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return AfterParts(path, 2, 2);
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

} // namespace

size_t PathRootLength(std::string_view path, char separator) {
    if (separator == '\\')
        return WindowsRootLength(path);
    return !path.empty() && path[0] == separator ? 1 : 0;
}

namespace {

std::string ShiftedAscii(std::string_view text, char first, char last, int shift) {
    std::string result(text);
    for (char& c : result)
        if (c >= first && c <= last)
            c = static_cast<char>(c + shift);
    return result;
}

} // namespace

std::string UpperAscii(std::string_view text) {
    return ShiftedAscii(text, 'a', 'z', 'A' - 'a');
}

std::string LowerAscii(std::string_view text) {
    return ShiftedAscii(text, 'A', 'Z', 'a' - 'A');
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
