#pragma once

#include "zip/StreamDecoder.h"

#include <memory>

struct z_stream_s;

// zlib's inflate on raw deflate data (ZIP stores no zlib header and no
// Adler-32).
class RawInflater : public StreamDecoder {
  public:
    // Throws std::bad_alloc when zlib cannot get its state.
    RawInflater();
    ~RawInflater() override;
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    State Decode(std::span<const unsigned char>& input, std::span<unsigned char> output,
                 std::size_t& produced) override;

  private:
    std::unique_ptr<z_stream_s> stream_;
};
