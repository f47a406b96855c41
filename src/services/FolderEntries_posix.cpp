#include "services/FolderEntries.h"

#include "services/PathText.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

void ForEachFolderEntry(const std::string& folder,
                        const std::function<bool(const std::string& name, bool hidden)>& visit) {
    std::error_code error;
    const fs::path base = folder.empty() ? fs::path(".") : FsPath(folder);
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = PathText(it->path().filename());
        if (!visit(name, name.front() == '.'))
            return;
    }
}
