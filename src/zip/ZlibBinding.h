#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

// Raised by a binding whose library cannot be called.
class ZlibUnavailableError : public std::runtime_error {
  public:
    ZlibUnavailableError() : std::runtime_error("zlib cannot be called") {}
};

// The three zlib routines the engine needs. Any call may throw
// ZlibUnavailableError when the library is missing.
class ZlibBinding {
  public:
    virtual ~ZlibBinding() = default;
    // Address of the library's NUL-terminated version text.
    virtual const char* Version() const = 0;
    // Inflates raw deflate data (no zlib header or trailer) in one go, as far
    // as the data and the output allow: `outputLength` holds the capacity on
    // entry and the number of bytes written on return. zlib's result code.
    virtual int InflateRaw(unsigned char* output, uint64_t& outputLength,
                           const unsigned char* source, uint64_t sourceLength) const = 0;
    // Standard CRC-32 of ZIP, continued from `crc` (0 to start).
    virtual uint32_t Crc32(uint32_t crc, const unsigned char* data, std::size_t length) const = 0;
};

// The zlib this program is linked with.
std::shared_ptr<const ZlibBinding> LinkedZlib();
