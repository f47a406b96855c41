#pragma once

#include "zip/ByteBuffer.h"
#include "zip/DataRanges.h"
#include "zip/EntryPrefetch.h"

#include <memory>
#include <optional>
#include <string>

// Where one entry goes, and whether a file was there before it.
struct EntryTarget {
    std::string path;
    bool exists = false;
};

// What one extraction call carries from entry to entry.
struct ExtractionWalk {
    std::string folderPath;
    std::string resolvedFolder;
    bool preservePath = false;
    bool overwrite = false;
    DataRanges handledData;
    ByteBuffer source; // local header and entry data
    ByteBuffer output; // decompressed data
    // Entries come folder by folder: the last folder found safe and the last
    // one made need no second look.
    std::optional<std::string> safeFolder;
    std::optional<std::string> madeFolder;
    // Reads and inflates the next entry while this one is written.
    std::unique_ptr<EntryPrefetch> prefetch;
};
