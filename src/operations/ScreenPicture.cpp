#include "operations/ScreenPicture.h"

#include "services/FileSystem.h"
#include "services/PngData.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace {

ScreenPicture KindOfFine(const std::string& bytes) {
    const std::string_view start(bytes);
    if (start.starts_with("\x89PNG")) {
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        return PngDataIsWhole(std::span(data, bytes.size())) ? ScreenPicture::Png
                                                             : ScreenPicture::Damaged;
    }
    if (start.starts_with("GIF"))
        return ScreenPicture::GifNamedPng;
    if (start.starts_with("BM"))
        return ScreenPicture::BmpNamedPng;
    return ScreenPicture::JpegNamedPng; // the only other format the check takes
}

bool IsEmptyFile(const std::string& path) {
    FileForReading::Opened outcome{};
    const auto file = FileForReading::Open(path, outcome);
    return file && file->Size() == 0;
}

ScreenPicture KindOfRefused(PictureCheck check, const std::string& path) {
    switch (check) {
    case PictureCheck::NotARegularFile:
        return ScreenPicture::Missing;
    case PictureCheck::Unreadable:
        return ScreenPicture::Unreadable;
    case PictureCheck::TooLarge:
    case PictureCheck::TooManyPixels:
    case PictureCheck::TooManyScans:
        return ScreenPicture::TooLarge;
    default:
        return IsEmptyFile(path) ? ScreenPicture::Empty : ScreenPicture::Damaged;
    }
}

} // namespace

PngEnds PngEndsOf(const FileEnds& ends) {
    static constexpr unsigned char kSignature[FileEnds::kHeadBytes] = {0x89, 'P',  'N',  'G',
                                                                       '\r', '\n', 0x1A, '\n'};
    // The IEND chunk: no data, its type and its CRC.
    static constexpr unsigned char kEnd[FileEnds::kTailBytes] = {0,   0,   0,    0,    'I',  'E',
                                                                 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    if (!ends.headRead || ends.size < FileEnds::kHeadBytes ||
        !std::equal(std::begin(kSignature), std::end(kSignature), ends.head))
        return PngEnds::NotAPng;
    if (!ends.tailRead || !std::equal(std::begin(kEnd), std::end(kEnd), ends.tail))
        return PngEnds::Cut;
    return PngEnds::Whole;
}

ScreenPictureVerdict JudgeScreenPicture(const std::string& path) {
    std::string bytes;
    PictureSize size;
    const PictureCheck check = ReadCheckedPicture(path, bytes, &size);
    if (check != PictureCheck::Fine)
        return {KindOfRefused(check, path), {}};
    const ScreenPicture kind = KindOfFine(bytes);
    return {kind, kind == ScreenPicture::Damaged ? PictureSize{} : size};
}
