#include "support/PictureBytes.h"

#include <zlib.h>

namespace {

void Put16(std::string& bytes, uint32_t value, bool bigEndian) {
    const char high = static_cast<char>((value >> 8) & 0xFF);
    const char low = static_cast<char>(value & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
}

// A JPEG segment: its marker, its length, its payload.
std::string Segment(unsigned char marker, const std::string& payload) {
    std::string bytes{'\xFF', static_cast<char>(marker)};
    Put16(bytes, static_cast<uint32_t>(payload.size() + 2), true);
    return bytes + payload;
}

// Entropy-coded bits, most significant first, 0xFF stuffed with 0x00.
class BitWriter {
  public:
    void Put(uint32_t value, int count) {
        for (int bit = count - 1; bit >= 0; --bit) {
            current_ = static_cast<unsigned char>((current_ << 1) | ((value >> bit) & 1));
            if (++filled_ == 8)
                Flush();
        }
    }
    std::string Finish() {
        while (filled_ != 0)
            Put(1, 1);
        return std::move(bytes_);
    }

  private:
    void Flush() {
        bytes_ += static_cast<char>(current_);
        if (current_ == 0xFF)
            bytes_ += '\0';
        current_ = 0;
        filled_ = 0;
    }
    std::string bytes_;
    unsigned char current_ = 0;
    int filled_ = 0;
};

std::string Scan(unsigned char first, unsigned char last, const std::string& data) {
    return Segment(0xDA,
                   std::string{1, 1, 0, static_cast<char>(first), static_cast<char>(last), 0}) +
           data;
}

} // namespace

std::string ProgressiveJpeg(uint32_t width, uint32_t height, int scans) {
    const uint64_t blocks = uint64_t{(width + 7) / 8} * ((height + 7) / 8);
    std::string jpeg("\xFF\xD8", 2);
    jpeg += Segment(0xDB, std::string(1, '\0') + std::string(64, '\1'));
    std::string frame{8};
    Put16(frame, height, true);
    Put16(frame, width, true);
    frame += std::string{1, 1, 0x11, 0};
    jpeg += Segment(0xC2, frame);
    // DC: one code, "0", for a difference of nothing.
    std::string dcTable{0x00, 1};
    dcTable += std::string(15, '\0') + std::string(1, '\0');
    jpeg += Segment(0xC4, dcTable);
    // AC: the end-of-band runs EOB0 to EOB14, four bits each.
    std::string acTable{0x10, 0, 0, 0, 15};
    acTable += std::string(12, '\0');
    for (int run = 0; run <= 14; ++run)
        acTable += static_cast<char>(run << 4);
    jpeg += Segment(0xC4, acTable);

    BitWriter dc;
    for (uint64_t i = 0; i < blocks; ++i)
        dc.Put(0, 1);
    jpeg += Scan(0, 0, dc.Finish());
    BitWriter ac;
    for (uint64_t left = blocks; left > 0;) {
        const uint64_t run = std::min<uint64_t>(left, 32767);
        int bits = 0;
        while ((run >> (bits + 1)) != 0)
            ++bits;
        ac.Put(static_cast<uint32_t>(bits), 4);
        ac.Put(static_cast<uint32_t>(run - (uint64_t{1} << bits)), bits);
        left -= run;
    }
    const std::string acScan = Scan(1, 63, ac.Finish());
    for (int i = 1; i < scans; ++i)
        jpeg += acScan;
    return jpeg + "\xFF\xD9";
}

std::string Gif(uint16_t screenWidth, uint16_t screenHeight, const std::vector<GifFrame>& frames) {
    std::string gif = "GIF89a";
    Put16(gif, screenWidth, false);
    Put16(gif, screenHeight, false);
    gif += std::string{'\x80', 0, 0}; // a global table of two colours
    gif += std::string("\0\0\0\xFF\xFF\xFF", 6);
    for (const GifFrame& frame : frames) {
        gif += std::string("\x21\xF9\x04\0\x0A\0\0\0", 8); // graphic control, delay 0.1 s
        gif += '\x2C';
        for (uint16_t value : {frame.left, frame.top, frame.width, frame.height})
            Put16(gif, value, false);
        gif += std::string("\0\x02\x01\x2C\0", 5); // no local table, clear + end of data
    }
    return gif + "\x3B";
}

namespace {

std::string BigEndian32(uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string PngChunk(const std::string& type, const std::string& data) {
    const std::string typed = type + data;
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    return BigEndian32(static_cast<uint32_t>(data.size())) + typed +
           BigEndian32(static_cast<uint32_t>(crc));
}

// The filtered rows of a grey picture: a filter byte and a byte a pixel,
// pass by pass when interlaced.
std::string GreyRows(uint32_t width, uint32_t height, bool interlaced) {
    if (!interlaced)
        return std::string(size_t{height} * (1 + width), '\0');
    const uint32_t passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                   {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::string rows;
    for (const auto& [x, y, dx, dy] : passes) {
        const uint32_t w = width > x ? (width - x + dx - 1) / dx : 0;
        const uint32_t h = height > y ? (height - y + dy - 1) / dy : 0;
        if (w > 0 && h > 0)
            rows += std::string(size_t{h} * (1 + w), '\0');
    }
    return rows;
}

} // namespace

std::string Png(uint32_t width, uint32_t height, bool interlaced) {
    const std::string rows = GreyRows(width, height, interlaced);
    std::string deflated(compressBound(static_cast<uLong>(rows.size())), '\0');
    uLongf length = static_cast<uLongf>(deflated.size());
    compress(reinterpret_cast<Bytef*>(deflated.data()), &length,
             reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()));
    deflated.resize(length);
    const std::string header = BigEndian32(width) + BigEndian32(height) +
                               std::string("\x08\0\0\0", 4) + static_cast<char>(interlaced ? 1 : 0);
    return std::string("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", deflated) + PngChunk("IEND", "");
}
