#pragma once

#include <cstdint>
#include <string>

// Whether a picture may be handed to a decoder: a picture file can be
// anything a user left in a folder (a FIFO that never ends, a device, a
// PNG whose header announces a picture of gigabytes), and the decoder must
// never wait on it nor allocate what it announces.

inline constexpr uint64_t kMaxPictureBytes = 64ULL * 1024 * 1024;
inline constexpr uint64_t kMaxPicturePixels = 16ULL * 1000 * 1000;
// A progressive JPEG's decoder walks every block once per scan: thousands of
// near-empty scans cost minutes. Ordinary files have up to a dozen.
inline constexpr int kMaxJpegScans = 64;

struct PictureSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

enum class PictureCheck {
    Fine,
    NotARegularFile, // nothing there, a folder, a FIFO, a device
    Unreadable,
    TooLarge,      // more than kMaxPictureBytes
    UnknownFormat, // not a PNG, JPEG, BMP or GIF header
    TooManyPixels, // more than kMaxPicturePixels, or no pixel at all, in any GIF frame too
    TooManyScans,  // a JPEG of more than kMaxJpegScans scans
};

// Reads `path` whole (no more than kMaxPictureBytes) and checks those
// bytes, a GIF's frames and a JPEG's scans to the end; `size` receives the
// dimensions when the header gives them, and `bytes` the file's bytes when
// the picture is fine. A decoder is handed these bytes, never the path.
PictureCheck ReadCheckedPicture(const std::string& path, std::string& bytes,
                                PictureSize* size = nullptr);
PictureCheck CheckPictureFile(const std::string& path, PictureSize* size = nullptr);

// The largest size of `picture`'s proportions that fits in `box`, never
// larger than the picture itself; at least one pixel each way.
PictureSize FittedSize(PictureSize picture, PictureSize box);
