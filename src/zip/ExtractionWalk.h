#pragma once

#include "zip/ByteBuffer.h"
#include "zip/DataRanges.h"

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
    ByteBuffer source; // entry data, after room for the zlib stream header
    ByteBuffer output; // decompressed data
};
