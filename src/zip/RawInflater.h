#pragma once

#include <cstddef>
#include <memory>
#include <span>

struct z_stream_s;

// zlib's inflate on raw deflate data (ZIP stores no zlib header and no
// Adler-32), fed and drained piece by piece so memory stays fixed whatever
// the size of the entry.
class RawInflater {
  public:
    enum class State {
        Going,  // wants more input or more room
        Ended,  // the deflate stream is complete
        Broken, // the data are no valid deflate stream
    };

    // Throws std::bad_alloc when zlib cannot get its state.
    RawInflater();
    ~RawInflater();
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Inflates from `input`, which is left holding what was not used, into
    // `output`; `produced` is the number of bytes written there.
    State Inflate(std::span<const unsigned char>& input, std::span<unsigned char> output,
                  std::size_t& produced);

  private:
    std::unique_ptr<z_stream_s> stream_;
};
