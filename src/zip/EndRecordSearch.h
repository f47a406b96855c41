#pragma once

#include "zip/ArchiveFile.h"

#include <cstdint>
#include <optional>

// Offset of the last end-record signature in the file, wherever it lies;
// nothing when there is none. The file is read from its end in blocks, so
// the search never holds the whole archive in memory. Leaves the position at
// the end of the file. Fails as ArchiveFile does when a read of it fails.
Result<std::optional<uint64_t>> FindEndRecord(ArchiveFile& file);
