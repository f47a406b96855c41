#pragma once

#include "services/PictureFile.h"

#include <string>

// What a screen really is, as the view tells the user: a PNG that shows,
// or the reason it would not.
enum class ScreenPicture {
    Png,          // a whole PNG; its size is known
    JpegNamedPng, // pictures of other formats that only carry the name
    GifNamedPng,
    BmpNamedPng,
    Empty,      // a file of no byte
    Damaged,    // its header or its data do not decode
    TooLarge,   // beyond the caps a picture is read with
    Unreadable, // the system refuses to read it
    Missing,    // nothing there, or no regular file
};

struct ScreenPictureVerdict {
    ScreenPicture kind = ScreenPicture::Missing;
    PictureSize size; // for a PNG or a picture of another format
};

// Reads the screen at `path` once (within the picture caps) and judges it.
ScreenPictureVerdict JudgeScreenPicture(const std::string& path);

// True when the front-end shows the screen: only a whole PNG does.
inline bool WouldShow(ScreenPicture kind) {
    return kind == ScreenPicture::Png;
}
