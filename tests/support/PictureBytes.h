#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures built byte by byte, to try the picture check and the decoders
// with what no image library writes.

// A grey progressive JPEG: a DC scan, then `scans - 1` AC scans that each
// cost a decoder a walk over every block and the file a few bytes.
std::string ProgressiveJpeg(uint32_t width, uint32_t height, int scans);

struct GifFrame {
    uint16_t left = 0;
    uint16_t top = 0;
    uint16_t width = 1;
    uint16_t height = 1;
};

// A GIF of the given logical screen, with a colour table, and each frame
// after a graphic control extension, its pixel data an empty LZW stream.
std::string Gif(uint16_t screenWidth, uint16_t screenHeight, const std::vector<GifFrame>& frames);

// A whole grey 8-bit PNG of black pixels, its data deflated by zlib, each
// chunk with its CRC.
std::string Png(uint32_t width, uint32_t height, bool interlaced = false);
