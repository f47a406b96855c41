#include "services/PngData.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <zlib.h>

namespace {

constexpr size_t kSignatureBytes = 8;
constexpr size_t kChunkFrameBytes = 12; // length, type, CRC

uint32_t BigEndian(const unsigned char* bytes) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
           bytes[3];
}

struct Chunk {
    std::span<const unsigned char> type;
    std::span<const unsigned char> data;
};

// The chunk at `at`, moving past it; nothing when it is cut or its CRC fails.
std::optional<Chunk> NextChunk(std::span<const unsigned char> file, size_t& at) {
    if (file.size() - at < kChunkFrameBytes)
        return std::nullopt;
    const uint64_t length = BigEndian(&file[at]);
    if (length > file.size() - at - kChunkFrameBytes)
        return std::nullopt;
    const std::span<const unsigned char> typed = file.subspan(at + 4, 4 + length);
    const uint32_t crc = BigEndian(&file[at + 8 + length]);
    if (crc32(0, typed.data(), static_cast<uInt>(typed.size())) != crc)
        return std::nullopt;
    at += kChunkFrameBytes + length;
    return Chunk{typed.first(4), typed.subspan(4)};
}

bool IsType(const Chunk& chunk, const char* type) {
    return std::memcmp(chunk.type.data(), type, 4) == 0;
}

int ChannelsOf(int colorType, int depth) {
    const auto depthIn = [depth](std::initializer_list<int> allowed) {
        for (const int d : allowed)
            if (d == depth)
                return true;
        return false;
    };
    switch (colorType) {
    case 0:
        return depthIn({1, 2, 4, 8, 16}) ? 1 : 0;
    case 2:
        return depthIn({8, 16}) ? 3 : 0;
    case 3:
        return depthIn({1, 2, 4, 8}) ? 1 : 0;
    case 4:
        return depthIn({8, 16}) ? 2 : 0;
    case 6:
        return depthIn({8, 16}) ? 4 : 0;
    default:
        return 0;
    }
}

uint64_t RowsBytes(uint64_t width, uint64_t height, uint64_t bitsPerPixel) {
    return width == 0 || height == 0 ? 0 : height * (1 + (width * bitsPerPixel + 7) / 8);
}

// The bytes the image data inflate to, filter bytes included; nothing when
// the header is no valid picture.
std::optional<uint64_t> ExpectedImageBytes(const Chunk& header) {
    if (!IsType(header, "IHDR") || header.data.size() != 13)
        return std::nullopt;
    const unsigned char* h = header.data.data();
    const uint64_t width = BigEndian(h), height = BigEndian(h + 4);
    const int channels = ChannelsOf(h[9], h[8]);
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX || channels == 0 ||
        h[10] != 0 || h[11] != 0 || h[12] > 1)
        return std::nullopt;
    const uint64_t bits = uint64_t{h[8]} * static_cast<uint64_t>(channels);
    if (h[12] == 0)
        return RowsBytes(width, height, bits);
    // Interlaced: seven passes over ever finer grids.
    constexpr std::array<std::array<uint64_t, 4>, 7> kPasses{{{0, 0, 8, 8},
                                                              {4, 0, 8, 8},
                                                              {0, 4, 4, 8},
                                                              {2, 0, 4, 4},
                                                              {0, 2, 2, 4},
                                                              {1, 0, 2, 2},
                                                              {0, 1, 1, 2}}};
    uint64_t total = 0;
    for (const auto& [x, y, dx, dy] : kPasses)
        total += RowsBytes(width > x ? (width - x + dx - 1) / dx : 0,
                           height > y ? (height - y + dy - 1) / dy : 0, bits);
    return total;
}

// Inflates the image data as they come, counting what they give.
class ImageDataCount {
  public:
    ImageDataCount() { ready_ = inflateInit(&stream_) == Z_OK; }
    ~ImageDataCount() { inflateEnd(&stream_); }
    ImageDataCount(const ImageDataCount&) = delete;
    ImageDataCount& operator=(const ImageDataCount&) = delete;

    // False once the data are damaged or give more than `limit` bytes.
    bool Feed(std::span<const unsigned char> data, uint64_t limit) {
        stream_.next_in = const_cast<unsigned char*>(data.data()); // zlib only reads it
        stream_.avail_in = static_cast<uInt>(data.size());
        while (ready_ && !ended_ && stream_.avail_in > 0) {
            stream_.next_out = scratch_.data();
            stream_.avail_out = static_cast<uInt>(scratch_.size());
            const int status = inflate(&stream_, Z_NO_FLUSH);
            produced_ += scratch_.size() - stream_.avail_out;
            ended_ = status == Z_STREAM_END;
            ready_ = (status == Z_OK || ended_) && produced_ <= limit;
        }
        return ready_;
    }
    bool EndedWith(uint64_t bytes) const { return ready_ && ended_ && produced_ == bytes; }

  private:
    z_stream stream_{};
    std::array<unsigned char, 16384> scratch_{};
    uint64_t produced_ = 0;
    bool ready_ = false;
    bool ended_ = false;
};

} // namespace

bool PngDataIsWhole(std::span<const unsigned char> file) {
    if (file.size() < kSignatureBytes || std::memcmp(file.data(), "\x89PNG\r\n\x1a\n", 8) != 0)
        return false;
    size_t at = kSignatureBytes;
    const std::optional<Chunk> header = NextChunk(file, at);
    const std::optional<uint64_t> expected = header ? ExpectedImageBytes(*header) : std::nullopt;
    if (!expected)
        return false;
    ImageDataCount image;
    while (const std::optional<Chunk> chunk = NextChunk(file, at)) {
        if (IsType(*chunk, "IEND"))
            return image.EndedWith(*expected);
        if (IsType(*chunk, "IDAT") && !image.Feed(chunk->data, *expected))
            return false;
    }
    return false; // cut before its end chunk
}
