#include "zip/ZipEndProbe.h"

#include "zip/ArchiveFile.h"
#include "zip/EndRecordSearch.h"

// The same search the archive reader makes when it opens the file, so a
// download is kept exactly when the reader will find its directory.
bool HasZipEndRecord(const std::string& path) {
    const Result<std::unique_ptr<ArchiveFile>> file = ArchiveFile::Open(path);
    if (!file)
        return false;
    const Result<std::optional<uint64_t>> found = FindEndRecord(**file);
    return found && found->has_value();
}
