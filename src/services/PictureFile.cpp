#include "services/PictureFile.h"

#include "services/FileCursor.h"
#include "services/FileSystem.h"

#include <algorithm>
#include <array>
#include <span>

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

bool IsFrameHeader(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers without a length: the restarts, TEM and SOI.
bool StandsAlone(unsigned char marker) {
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The next marker as a decoder finds it: bytes that are not one (a scan's
// coded data, stuffed 0xFF 0x00, fill bytes, garbage) are passed over.
bool NextJpegMarker(FileCursor& cursor, unsigned char& marker) {
    do {
        if (!cursor.SkipTo(0xFF))
            return false;
        do {
            if (!cursor.Next(marker))
                return false;
        } while (marker == 0xFF);
    } while (marker == 0x00);
    return true;
}

// The frame header's size, and every scan counted: segments are skipped by
// their stated length, a scan's data by looking for the next marker.
PictureCheck WalkJpeg(std::span<const unsigned char> file, PictureSize& size) {
    FileCursor cursor(file, 2);
    bool sized = false;
    int scans = 0;
    unsigned char marker = 0;
    while (NextJpegMarker(cursor, marker) && marker != 0xD9) {
        unsigned char bytes[7];
        if (StandsAlone(marker))
            continue;
        if (!cursor.Read(bytes, 2))
            break;
        const uint32_t length = BigEndian(bytes, 2);
        if (length < 2)
            return PictureCheck::UnknownFormat;
        uint32_t read = 2;
        if (IsFrameHeader(marker) && !sized) {
            if (length < 7 || !cursor.Read(bytes + 2, 5))
                return PictureCheck::UnknownFormat;
            size = PictureSize{BigEndian(bytes + 5, 2), BigEndian(bytes + 3, 2)};
            sized = true;
            read = 7;
        }
        if (marker == 0xDA && ++scans > kMaxJpegScans)
            return PictureCheck::TooManyScans;
        if (!cursor.Skip(length - read))
            break;
    }
    return sized ? PictureCheck::Fine : PictureCheck::UnknownFormat;
}

uint64_t ColorTableBytes(unsigned char flags) {
    return (flags & 0x80) ? 3ULL << ((flags & 0x07) + 1) : 0;
}

bool SkipSubBlocks(FileCursor& cursor) {
    unsigned char length = 0;
    while (cursor.Next(length) && length != 0)
        if (!cursor.Skip(length))
            return false;
    return length == 0;
}

// A decoder shows each frame at its own size and place, whatever the
// logical screen says: the canvas that holds the screen and every frame is
// what must fit the cap. The walk ends where a decoder's would.
PictureCheck WalkGif(std::span<const unsigned char> file, PictureSize& size) {
    FileCursor cursor(file, 6);
    unsigned char bytes[9];
    if (!cursor.Read(bytes, 7))
        return PictureCheck::UnknownFormat;
    uint64_t width = LittleEndian(bytes, 2);
    uint64_t height = LittleEndian(bytes + 2, 2);
    unsigned char introducer = 0;
    bool intact = cursor.Skip(ColorTableBytes(bytes[4]));
    while (intact && cursor.Next(introducer) && introducer != 0x3B) {
        if (introducer == 0x21) {
            intact = cursor.Next(introducer) && SkipSubBlocks(cursor);
            continue;
        }
        if (introducer != 0x2C || !cursor.Read(bytes, 9))
            break;
        width = std::max<uint64_t>(width, LittleEndian(bytes, 2) + LittleEndian(bytes + 4, 2));
        height =
            std::max<uint64_t>(height, LittleEndian(bytes + 2, 2) + LittleEndian(bytes + 6, 2));
        if (width * height > kMaxPicturePixels)
            return PictureCheck::TooManyPixels;
        intact = cursor.Skip(ColorTableBytes(bytes[8]) + 1) && SkipSubBlocks(cursor);
    }
    size = PictureSize{static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    return PictureCheck::Fine;
}

PictureCheck SizeFromHeader(std::span<const unsigned char> file, const Header& header,
                            PictureSize& size) {
    if (StartsWith(header, "\x89PNG\r\n\x1a\n") &&
        std::string_view(reinterpret_cast<const char*>(header.data()) + 12, 4) == "IHDR") {
        size = PictureSize{BigEndian(header.data() + 16, 4), BigEndian(header.data() + 20, 4)};
        return PictureCheck::Fine;
    }
    if (StartsWith(header, "GIF87a") || StartsWith(header, "GIF89a"))
        return WalkGif(file, size);
    if (StartsWith(header, "BM")) {
        const auto height = static_cast<int32_t>(LittleEndian(header.data() + 22, 4));
        const uint32_t rows =
            height < 0 ? 0U - static_cast<uint32_t>(height) : static_cast<uint32_t>(height);
        size = PictureSize{LittleEndian(header.data() + 18, 4), rows};
        return PictureCheck::Fine;
    }
    if (StartsWith(header, "\xFF\xD8"))
        return WalkJpeg(file, size);
    return PictureCheck::UnknownFormat;
}

PictureCheck CheckPictureBytes(std::span<const unsigned char> bytes, PictureSize& size) {
    Header header{};
    if (bytes.size() < header.size())
        return PictureCheck::UnknownFormat;
    std::copy_n(bytes.begin(), header.size(), header.begin());
    PictureSize found;
    if (const PictureCheck check = SizeFromHeader(bytes, header, found);
        check != PictureCheck::Fine)
        return check;
    const uint64_t pixels = uint64_t{found.width} * found.height;
    if (pixels == 0 || pixels > kMaxPicturePixels)
        return PictureCheck::TooManyPixels;
    size = found;
    return PictureCheck::Fine;
}

} // namespace

// The bytes are read once and checked in memory: a file changed or swapped
// after the check (a FIFO put in its place, say) never reaches a decoder.
PictureCheck ReadCheckedPicture(const std::string& path, std::string& bytes, PictureSize* size) {
    bytes.clear();
    FileForReading::Opened outcome{};
    const auto file = FileForReading::Open(path, outcome);
    if (!file)
        return outcome == FileForReading::Opened::Refused ? PictureCheck::Unreadable
                                                          : PictureCheck::NotARegularFile;
    if (file->Size() > kMaxPictureBytes)
        return PictureCheck::TooLarge;
    std::string read(static_cast<size_t>(file->Size()), '\0');
    if (!file->ReadAt(0, reinterpret_cast<unsigned char*>(read.data()), read.size()))
        return PictureCheck::Unreadable;
    PictureSize found;
    const PictureCheck check = CheckPictureBytes(
        {reinterpret_cast<const unsigned char*>(read.data()), read.size()}, found);
    if (check != PictureCheck::Fine)
        return check;
    if (size)
        *size = found;
    bytes = std::move(read);
    return check;
}

PictureCheck CheckPictureFile(const std::string& path, PictureSize* size) {
    std::string bytes;
    return ReadCheckedPicture(path, bytes, size);
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
