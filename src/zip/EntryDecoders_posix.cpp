// bzip2 entries through the system's libbz2.
#include "zip/EntryDecoders.h"

#include <algorithm>
#include <bzlib.h>
#include <limits>
#include <new>

namespace {

class Bzip2Decoder : public StreamDecoder {
  public:
    Bzip2Decoder() {
        if (BZ2_bzDecompressInit(&stream_, 0, 0) != BZ_OK)
            throw std::bad_alloc();
    }
    ~Bzip2Decoder() override { BZ2_bzDecompressEnd(&stream_); }
    Bzip2Decoder(const Bzip2Decoder&) = delete;
    Bzip2Decoder& operator=(const Bzip2Decoder&) = delete;

    State Decode(std::span<const unsigned char>& input, std::span<unsigned char> output,
                 std::size_t& produced) override {
        constexpr std::size_t kLargest = std::numeric_limits<unsigned int>::max();
        const auto inputLength = static_cast<unsigned int>(std::min(input.size(), kLargest));
        const auto outputLength = static_cast<unsigned int>(std::min(output.size(), kLargest));
        // libbz2 only reads through next_in; its interface predates const.
        stream_.next_in = reinterpret_cast<char*>(const_cast<unsigned char*>(input.data()));
        stream_.avail_in = inputLength;
        stream_.next_out = reinterpret_cast<char*>(output.data());
        stream_.avail_out = outputLength;
        const int result = BZ2_bzDecompress(&stream_);
        input = input.subspan(inputLength - stream_.avail_in);
        produced = outputLength - stream_.avail_out;
        if (result == BZ_STREAM_END)
            return State::Ended;
        return result == BZ_OK ? State::Going : State::Broken;
    }

  private:
    bz_stream stream_{};
};

} // namespace

std::unique_ptr<StreamDecoder> MakeBzip2Decoder() {
    return std::make_unique<Bzip2Decoder>();
}
