#pragma once

#include "services/Result.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The three zlib routines the engine needs. Every call fails (NotFound,
// ZlibUnavailable()) when the library cannot be called.
class ZlibBinding {
  public:
    virtual ~ZlibBinding() = default;
    // Address of the library's NUL-terminated version text.
    virtual Result<const char*> Version() const = 0;
    // Inflates raw deflate data (no zlib header or trailer) in one go, as far
    // as the data and the output allow: `outputLength` holds the capacity on
    // entry and the number of bytes written on return. zlib's result code.
    virtual Result<int> InflateRaw(unsigned char* output, uint64_t& outputLength,
                                   const unsigned char* source, uint64_t sourceLength) const = 0;
    // Standard CRC-32 of ZIP, continued from `crc` (0 to start).
    virtual Result<uint32_t> Crc32(uint32_t crc, const unsigned char* data,
                                   std::size_t length) const = 0;
};

// What a binding whose library cannot be called answers.
inline Failure ZlibUnavailable() {
    return FailureOf(FailureCause::NotFound, "zlib cannot be called");
}

// The zlib this program is linked with.
std::shared_ptr<const ZlibBinding> LinkedZlib();
