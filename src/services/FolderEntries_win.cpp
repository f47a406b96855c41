#include "services/FolderEntries.h"

#include "services/PathText.h"
#include "services/WidePath.h"
#include "services/WideText.h"

#include <windows.h>

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

bool IsHidden(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

// A link or junction is followed as KindOf() follows it; the rest is told
// by the attributes the search hands over.
EntryKind ListedKind(const std::string& folder, const WIN32_FIND_DATAW& found,
                     const std::string& name) {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return KindOf(folder + name);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? EntryKind::Folder
                                                               : EntryKind::File;
}

template <typename Visit> void WalkFolder(const std::string& folder, Visit visit) {
    std::string pattern = folder.empty() ? std::string(".") : folder;
    if (!EndsWithSeparator(pattern))
        pattern += '\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileExW(WidePath(pattern + "*").c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (IsDotOrDotDot(found.cFileName))
            continue;
        if (!visit(found, Utf8FromWide(found.cFileName), pattern))
            break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

// The search hands over each entry's attributes with its name, so telling
// hidden entries and folders costs nothing more per layout.
void ForEachFolderEntry(const std::string& folder,
                        const std::function<bool(const std::string& name, bool hidden)>& visit) {
    WalkFolder(folder, [&](const WIN32_FIND_DATAW& found, const std::string& name,
                           const std::string&) { return visit(name, IsHidden(found)); });
}

void ForEachListedEntry(
    const std::string& folder,
    const std::function<bool(const std::string& name, bool hidden, EntryKind kind)>& visit) {
    WalkFolder(folder, [&](const WIN32_FIND_DATAW& found, const std::string& name,
                           const std::string& pattern) {
        return visit(name, IsHidden(found), ListedKind(pattern, found, name));
    });
}
