#include "services/FolderEntries.h"

#include "services/PathText.h"
#include "services/WidePath.h"
#include "services/WideText.h"

#include <windows.h>

namespace {

bool IsDotOrDotDot(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

} // namespace

// The search hands over each entry's attributes with its name, so telling
// hidden entries costs nothing more per layout.
void ForEachFolderEntry(const std::string& folder,
                        const std::function<bool(const std::string& name, bool hidden)>& visit) {
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
        const bool hidden =
            (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
        if (!visit(Utf8FromWide(found.cFileName), hidden))
            break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}
