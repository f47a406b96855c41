#pragma once

#include <cstddef>
#include <span>

// Turns one entry's data back into its bytes piece by piece, so memory stays
// fixed whatever the size of the entry: one decoder per compression method.
class StreamDecoder {
  public:
    enum class State {
        Going,  // wants more input or more room
        Ended,  // the entry's data are complete
        Broken, // the data are no valid stream of this method
    };

    virtual ~StreamDecoder() = default;
    // Decodes from `input`, which is left holding what was not used, into
    // `output`; `produced` is the number of bytes written there.
    virtual State Decode(std::span<const unsigned char>& input, std::span<unsigned char> output,
                         std::size_t& produced) = 0;
};
