#pragma once

#include "zip/ArchiveFile.h"
#include "zip/ZipRecords.h"

#include <cstdint>

// Where the central directory really is, settled from the end record and,
// when the archive has them, the ZIP64 records before it.
struct DirectoryPlace {
    enum class Outcome {
        Found,
        NotAZip,   // records that contradict the file
        Split,     // the archive is one part of several
        Encrypted, // the directory itself is enciphered
    };
    Outcome outcome = Outcome::NotAZip;
    uint64_t totalRecords = 0; // as stated: the walk may find more
    uint64_t start = 0;        // of the first central record
    uint64_t end = 0;          // where the records stop: the record that follows them
    uint64_t prefix = 0;       // bytes in front of the archive proper, added to every offset
    // Disk numbers are set: an entry whose local header is not where its
    // offset says lies on another part.
    bool disksNumbered = false;
};

// Records that contradict the file are an outcome; a read of the file that
// fails is a failure, as ArchiveFile says.
Result<DirectoryPlace> PlaceDirectory(const ArchiveFile& file, uint64_t endPosition,
                                      const EndOfCentralDirectory& end);

// True when a local header starts at `offset`; fails as ArchiveFile does.
Result<bool> LocalHeaderAt(const ArchiveFile& file, uint64_t offset);
