#pragma once

#include "services/Result.h"
#include "zip/ByteBuffer.h"
#include "zip/ZlibBinding.h"

#include <cstdint>

// Decompresses a deflated entry's `compressedSize` bytes and checks its
// CRC-32; on return `output` starts with the `uncompressedSize` decompressed
// bytes. True when the data decompressed to that size with the expected CRC.
// Fails as the binding does when zlib cannot be called; throws std::bad_alloc
// when `output` cannot grow.
Result<bool> InflateEntry(const ZlibBinding& zlib, const unsigned char* compressed,
                          uint64_t compressedSize, uint64_t uncompressedSize, uint32_t expectedCrc,
                          ByteBuffer& output);
