#include "services/Machine.h"

#include "services/PathText.h"
#include "services/RegionalFormat.h"
#include "services/WideText.h"

#include <shlobj.h>
#include <string_view>
#include <vector>
#include <windows.h>

namespace {

std::string ProgramFilesFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return Utf8FromWide(path);
}

// "C:\" for "C:\Program Files": the root the front-end is looked for first.
std::string DriveRootOf(const std::string& folder) {
    const std::string root = folder.substr(0, 3);
    return root.size() == 3 && root.substr(1) == ":\\" ? root : std::string();
}

// Fixed disks only: asking a card reader or an empty optical drive for its
// entries would bring up the system's "insert a disk" box.
std::vector<std::string> FixedDriveRoots() {
    wchar_t roots[512] = {};
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(roots) - 1), roots);
    std::vector<std::string> result;
    if (length == 0 || length >= std::size(roots))
        return result;
    for (const wchar_t* root = roots; *root; root += std::wcslen(root) + 1)
        if (GetDriveTypeW(root) == DRIVE_FIXED)
            result.push_back(Utf8FromWide(root));
    return result;
}

// What the user's locale parts list items with, as spreadsheets read it.
std::string ListSeparator() {
    wchar_t separator[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SLIST, separator,
                                       static_cast<int>(std::size(separator)));
    const std::string text = length > 1 ? Utf8FromWide(separator) : std::string();
    return text.empty() ? "," : text;
}

} // namespace

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return PathText(std::filesystem::current_path());
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return PathText(std::filesystem::path(path).parent_path());
}

MachineFacts RealMachine() {
    MachineFacts facts;
    facts.programFolder = ExecutableFolder();
    facts.programFilesFolder = ProgramFilesFolder();
    facts.homeFolder = DriveRootOf(facts.programFilesFolder);
    for (std::string& root : FixedDriveRoots())
        if (!EqualsIgnoringCase(root, facts.homeFolder))
            facts.otherDriveRoots.push_back(std::move(root));
    facts.formatDecimal = RegionalDecimalText;
    facts.timeOfDay = RegionalTimeOfDay;
    facts.listSeparator = ListSeparator();
    return facts;
}
