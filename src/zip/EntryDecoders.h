#pragma once

#include "zip/StreamDecoder.h"

#include <cstdint>
#include <memory>

inline constexpr uint16_t kMethodStored = 0;
inline constexpr uint16_t kMethodDeflated = 8;
inline constexpr uint16_t kMethodBzip2 = 12;

// The decoder for an entry of `method` whose data are `dataLength` bytes;
// nothing for a method this build does not read.
std::unique_ptr<StreamDecoder> DecoderFor(uint16_t method, uint64_t dataLength);

// bzip2 comes from libbz2 where the platform has it; nothing elsewhere.
std::unique_ptr<StreamDecoder> MakeBzip2Decoder();
