#pragma once

#include "zip/ByteBuffer.h"
#include "zip/ZlibBinding.h"

#include <cstdint>

// Room for the two bytes of zlib stream header put in front of raw deflate data.
inline constexpr uint64_t kZlibHeaderRoom = 2;

// Decompresses a deflated entry and checks its CRC-32. `source` holds the
// entry's `compressedSize` bytes after kZlibHeaderRoom free bytes; on return
// `output` starts with the `uncompressedSize` decompressed bytes. True when
// the data decompressed to that size with the expected CRC.
bool InflateEntry(const ZlibBinding& zlib, ByteBuffer& source, uint64_t compressedSize,
                  uint64_t uncompressedSize, uint32_t expectedCrc, ByteBuffer& output);
