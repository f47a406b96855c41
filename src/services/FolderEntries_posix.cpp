#include "services/FolderEntries.h"

#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A directory entry keeps the type the listing gave; only a link costs a look.
EntryKind ListedKind(const fs::directory_entry& entry) {
    std::error_code error;
    if (entry.is_directory(error))
        return EntryKind::Folder;
    return entry.exists(error) ? EntryKind::File : EntryKind::Missing;
}

template <typename Visit> void WalkFolder(const std::string& folder, Visit visit) {
    std::error_code error;
    const fs::path base = folder.empty() ? fs::path(".") : FsPath(folder);
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error))
        if (!visit(*it, PathText(it->path().filename())))
            return;
}

} // namespace

void ForEachFolderEntry(const std::string& folder,
                        const std::function<bool(const std::string& name, bool hidden)>& visit) {
    WalkFolder(folder, [&](const fs::directory_entry&, const std::string& name) {
        return visit(name, name.front() == '.');
    });
}

void ForEachListedEntry(
    const std::string& folder,
    const std::function<bool(const std::string& name, bool hidden, EntryKind kind)>& visit) {
    WalkFolder(folder, [&](const fs::directory_entry& entry, const std::string& name) {
        return visit(name, name.front() == '.', ListedKind(entry));
    });
}
