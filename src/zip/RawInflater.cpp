#include "zip/RawInflater.h"

#include <algorithm>
#include <limits>
#include <new>
#include <zlib.h>

RawInflater::RawInflater() : stream_(std::make_unique<z_stream_s>()) {
    if (inflateInit2(stream_.get(), -MAX_WBITS) != Z_OK)
        throw std::bad_alloc();
}

RawInflater::~RawInflater() {
    inflateEnd(stream_.get());
}

RawInflater::State RawInflater::Decode(std::span<const unsigned char>& input,
                                       std::span<unsigned char> output, std::size_t& produced) {
    constexpr std::size_t kLargest = std::numeric_limits<uInt>::max();
    const auto inputLength = static_cast<uInt>(std::min(input.size(), kLargest));
    const auto outputLength = static_cast<uInt>(std::min(output.size(), kLargest));
    stream_->next_in = const_cast<unsigned char*>(input.data());
    stream_->avail_in = inputLength;
    stream_->next_out = output.data();
    stream_->avail_out = outputLength;
    const int result = inflate(stream_.get(), Z_NO_FLUSH);
    input = input.subspan(inputLength - stream_->avail_in);
    produced = outputLength - stream_->avail_out;
    if (result == Z_STREAM_END)
        return State::Ended;
    // Z_BUF_ERROR only says no progress was possible this time: the caller
    // sees that from what was used and produced.
    return result == Z_OK || result == Z_BUF_ERROR ? State::Going : State::Broken;
}
