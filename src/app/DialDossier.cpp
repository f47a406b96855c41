#include "app/DialDossier.h"

#include "app/DriveRoots.h"
#include "app/Texts.h"
#include "services/PathText.h"

namespace {

// The start text: `initialFolder` up to and including its last separator.
std::string CutAfterLastSeparator(const std::string& initialFolder) {
    const auto last = initialFolder.find_last_of("/\\");
    return last == std::string::npos ? initialFolder : initialFolder.substr(0, last + 1);
}

char SeparatorFor(const std::string& path) {
    if (path.find('/') != std::string::npos)
        return '/';
    if (path.find('\\') != std::string::npos)
        return '\\';
    return kSeparator;
}

} // namespace

std::string BrowseForFolder(const ShowFolderDialogFn& showFolderDialog,
                            const std::string& initialFolder, const std::string& title,
                            bool emptyOnCancel) {
    const std::string start = StartFolderForDialog(CutAfterLastSeparator(initialFolder));
    std::string path = showFolderDialog(start, title);
    if (path.empty() && emptyOnCancel)
        return {};
    if (path.empty())
        path = initialFolder;
    // An empty answer stays empty; a chosen root such as "/" is kept as it is.
    if (path.empty())
        return {};
    if (!EndsWithSeparator(path))
        path += SeparatorFor(path);
    return path;
}

std::string StartFolderForDialog(const std::string& text) {
    if (text.empty())
        return FirstDriveRoot();
    if (IsDriveRoot(text))
        return WithBackslash(text);
    return WithoutBackslash(text);
}

bool IsDriveRoot(const std::string& text) {
    return OccursInDriveList(text, DriveRootList());
}

bool OccursInDriveList(const std::string& text, const std::string& driveList) {
    if (driveList.empty() || text.empty())
        return false;
    const std::string upperList = UpperAscii(driveList);
    return upperList.find(UpperAscii(text)) != std::string::npos;
}

std::string WithBackslash(const std::string& text) {
    if (text.empty() || EndsWithSeparator(text))
        return text;
    return text + kSeparator;
}

std::string WithoutBackslash(const std::string& text) {
    if (!EndsWithSeparator(text))
        return text;
    return text.substr(0, text.size() - 1);
}

std::string FolderDialogTitle(const std::string& title) {
    return title.empty() ? FixedText(kFixedFolderDialogTitle) : title;
}
