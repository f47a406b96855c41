#pragma once

#include "zip/ZlibBinding.h"

// Stands in for a zlib that cannot be loaded: every call fails.
class MissingZlib final : public ZlibBinding {
  public:
    Result<const char*> Version() const override { return ZlibUnavailable(); }
    Result<int> InflateRaw(unsigned char*, uint64_t&, const unsigned char*,
                           uint64_t) const override {
        return ZlibUnavailable();
    }
    Result<uint32_t> Crc32(uint32_t, const unsigned char*, std::size_t) const override {
        return ZlibUnavailable();
    }
};
