#include "zip/EntryDecoders.h"

#include "zip/RawInflater.h"

#include <algorithm>
#include <cstring>

namespace {

// Stored data are their own bytes: they end where the entry's data do.
class StoredCopy : public StreamDecoder {
  public:
    explicit StoredCopy(uint64_t length) : left_(length) {}
    State Decode(std::span<const unsigned char>& input, std::span<unsigned char> output,
                 std::size_t& produced) override {
        produced = static_cast<std::size_t>(
            std::min<uint64_t>(left_, std::min(input.size(), output.size())));
        if (produced > 0)
            std::memcpy(output.data(), input.data(), produced);
        input = input.subspan(produced);
        left_ -= produced;
        return left_ == 0 ? State::Ended : State::Going;
    }

  private:
    uint64_t left_;
};

} // namespace

std::unique_ptr<StreamDecoder> DecoderFor(uint16_t method, uint64_t dataLength) {
    switch (method) {
    case kMethodStored:
        return std::make_unique<StoredCopy>(dataLength);
    case kMethodDeflated:
        return std::make_unique<RawInflater>();
    case kMethodBzip2:
        return MakeBzip2Decoder();
    default:
        return nullptr;
    }
}
