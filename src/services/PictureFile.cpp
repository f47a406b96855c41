#include "services/PictureFile.h"

#include "services/FileSystem.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

using Header = std::array<unsigned char, 32>;

uint32_t BigEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

uint32_t LittleEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

bool StartsWith(const Header& header, std::string_view magic) {
    return std::equal(magic.begin(), magic.end(), header.begin(),
                      [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

// The frame header of a JPEG: walks the segments from the start, each
// read by offset, so an EXIF block of any length before it costs one read.
std::optional<PictureSize> JpegSize(const FileForReading& file) {
    uint64_t offset = 2;
    unsigned char segment[9];
    while (offset + 4 <= file.Size()) {
        if (!file.ReadAt(offset, segment, 4) || segment[0] != 0xFF)
            return std::nullopt;
        const unsigned char marker = segment[1];
        if (marker == 0xFF) { // fill byte
            ++offset;
            continue;
        }
        const uint32_t length = BigEndian(segment + 2, 2);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (!file.ReadAt(offset, segment, 9))
                return std::nullopt;
            return PictureSize{BigEndian(segment + 7, 2), BigEndian(segment + 5, 2)};
        }
        if (length < 2)
            return std::nullopt;
        offset += 2 + length;
    }
    return std::nullopt;
}

std::optional<PictureSize> SizeFromHeader(const FileForReading& file, const Header& header) {
    if (StartsWith(header, "\x89PNG\r\n\x1a\n") &&
        std::string_view(reinterpret_cast<const char*>(header.data()) + 12, 4) == "IHDR")
        return PictureSize{BigEndian(header.data() + 16, 4), BigEndian(header.data() + 20, 4)};
    if (StartsWith(header, "GIF87a") || StartsWith(header, "GIF89a"))
        return PictureSize{LittleEndian(header.data() + 6, 2), LittleEndian(header.data() + 8, 2)};
    if (StartsWith(header, "BM")) {
        const auto height = static_cast<int32_t>(LittleEndian(header.data() + 22, 4));
        const uint32_t rows =
            height < 0 ? 0U - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
        return PictureSize{LittleEndian(header.data() + 18, 4), rows};
    }
    if (StartsWith(header, "\xFF\xD8"))
        return JpegSize(file);
    return std::nullopt;
}

} // namespace

PictureCheck CheckPictureFile(const std::string& path, PictureSize* size) {
    FileForReading::Opened outcome{};
    const auto file = FileForReading::Open(path, outcome);
    if (!file)
        return outcome == FileForReading::Opened::Refused ? PictureCheck::Unreadable
                                                          : PictureCheck::NotARegularFile;
    if (file->Size() > kMaxPictureBytes)
        return PictureCheck::TooLarge;
    Header header{};
    if (file->Size() < header.size() || !file->ReadAt(0, header.data(), header.size()))
        return PictureCheck::UnknownFormat;
    const std::optional<PictureSize> found = SizeFromHeader(*file, header);
    if (!found)
        return PictureCheck::UnknownFormat;
    const uint64_t pixels = uint64_t{found->width} * found->height;
    if (pixels == 0 || pixels > kMaxPicturePixels)
        return PictureCheck::TooManyPixels;
    if (size)
        *size = *found;
    return PictureCheck::Fine;
}

PictureSize FittedSize(PictureSize picture, PictureSize box) {
    if (picture.width == 0 || picture.height == 0)
        return {1, 1};
    uint64_t width = std::min<uint64_t>(picture.width, box.width);
    uint64_t height = width * picture.height / picture.width;
    if (height > box.height) {
        height = box.height;
        width = height * picture.width / picture.height;
    }
    return {static_cast<uint32_t>(std::max<uint64_t>(width, 1)),
            static_cast<uint32_t>(std::max<uint64_t>(height, 1))};
}
