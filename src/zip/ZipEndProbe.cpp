#include "zip/ZipEndProbe.h"

#include "zip/ArchiveFile.h"
#include "zip/EndRecordSearch.h"

#include <exception>

// The same search the archive reader makes when it opens the file, so a
// download is kept exactly when the reader will find its directory.
bool HasZipEndRecord(const std::string& path) {
    try {
        ArchiveFile file(path);
        return FindEndRecord(file).has_value();
    } catch (const std::exception&) {
        return false;
    }
}
