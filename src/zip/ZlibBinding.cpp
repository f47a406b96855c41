#include "zip/ZlibBinding.h"

#include <algorithm>
#include <limits>
#include <zlib.h>

namespace {

class LinkedZlibBinding final : public ZlibBinding {
  public:
    Result<const char*> Version() const override { return zlibVersion(); }

    Result<int> InflateRaw(unsigned char* output, uint64_t& outputLength,
                           const unsigned char* source, uint64_t sourceLength) const override {
        // ZIP sizes are 32-bit: more room than uInt counts is never needed.
        constexpr uint64_t kLargest = std::numeric_limits<uInt>::max();
        z_stream stream{};
        stream.next_in = const_cast<unsigned char*>(source);
        stream.avail_in = static_cast<uInt>(std::min(sourceLength, kLargest));
        stream.next_out = output;
        stream.avail_out = static_cast<uInt>(std::min(outputLength, kLargest));
        // Raw deflate: ZIP data carry no zlib header and no Adler-32, so
        // there is no checksum to compute besides the entry's CRC-32.
        int result = inflateInit2(&stream, -MAX_WBITS);
        if (result == Z_OK) {
            result = inflate(&stream, Z_FINISH);
            inflateEnd(&stream);
        }
        outputLength = stream.total_out;
        return result;
    }

    Result<uint32_t> Crc32(uint32_t crc, const unsigned char* data,
                           std::size_t length) const override {
        uLong value = crc;
        while (length > 0) {
            const auto piece =
                static_cast<uInt>(std::min<std::size_t>(length, std::numeric_limits<uInt>::max()));
            value = crc32(value, data, piece);
            data += piece;
            length -= piece;
        }
        return static_cast<uint32_t>(value);
    }
};

} // namespace

std::shared_ptr<const ZlibBinding> LinkedZlib() {
    static const auto binding = std::make_shared<const LinkedZlibBinding>();
    return binding;
}
