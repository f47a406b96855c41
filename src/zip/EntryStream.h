#pragma once

#include "services/FileSystem.h"
#include "services/Result.h"
#include "zip/ArchiveFile.h"
#include "zip/LocalEntryRead.h"
#include "zip/StreamDecoder.h"
#include "zip/ZlibBinding.h"

#include <cstdint>

// Entries larger than this are read and written through fixed buffers, and
// never prepared ahead in memory.
inline constexpr uint64_t kStreamedEntrySize = 1024 * 1024;

// Decodes an entry's data from the archive into `draft` through fixed
// buffers, computing its CRC-32 on the way. True when exactly
// `uncompressedSize` bytes with the entry's CRC came out; decoding stops as
// soon as the data give more. Fails (System) when `draft` cannot be written,
// as ArchiveFile does when a read of the archive fails, and as the binding
// does when zlib cannot be called.
Result<bool> DecodeEntryInto(const ArchiveFile& file, const ZlibBinding& zlib,
                             const LocalEntry& entry, uint64_t uncompressedSize,
                             StreamDecoder& decoder, NewFile& draft);
