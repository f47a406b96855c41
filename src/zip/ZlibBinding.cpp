#include "zip/ZlibBinding.h"

#include <algorithm>
#include <limits>
#include <zlib.h>

namespace {

class LinkedZlibBinding final : public ZlibBinding {
  public:
    const char* Version() const override { return zlibVersion(); }

    int Uncompress(unsigned char* output, uint64_t& outputLength, const unsigned char* source,
                   uint64_t sourceLength) const override {
        // uLong is 32 bits on some platforms; larger entries cannot be held there anyway.
        if (outputLength > std::numeric_limits<uLong>::max() ||
            sourceLength > std::numeric_limits<uLong>::max()) {
            outputLength = 0;
            return Z_MEM_ERROR;
        }
        uLong length = static_cast<uLong>(outputLength);
        const int result = uncompress(output, &length, source, static_cast<uLong>(sourceLength));
        outputLength = length;
        return result;
    }

    uint32_t Crc32(uint32_t crc, const unsigned char* data, std::size_t length) const override {
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
