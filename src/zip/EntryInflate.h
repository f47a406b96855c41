#pragma once

#include "zip/ByteBuffer.h"
#include "zip/ZlibBinding.h"

#include <cstdint>

// Decompresses a deflated entry's `compressedSize` bytes and checks its
// CRC-32; on return `output` starts with the `uncompressedSize` decompressed
// bytes. True when the data decompressed to that size with the expected CRC.
// Throws what the binding throws (ZlibUnavailableError) and std::bad_alloc.
bool InflateEntry(const ZlibBinding& zlib, const unsigned char* compressed, uint64_t compressedSize,
                  uint64_t uncompressedSize, uint32_t expectedCrc, ByteBuffer& output);
