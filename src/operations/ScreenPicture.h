#pragma once

#include "services/FileSystem.h"
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

// What a look at a file's first and last bytes tells of it, for the
// install, which reads a screen no further than its copy does.
enum class PngEnds {
    Whole,   // the PNG signature first and an IEND chunk last
    NotAPng, // no PNG signature (another format, an empty file, no file)
    Cut,     // a PNG signature but no IEND chunk at its end
};
PngEnds PngEndsOf(const FileEnds& ends);

// True when the front-end shows the screen: only a whole PNG does.
inline bool WouldShow(ScreenPicture kind) {
    return kind == ScreenPicture::Png;
}
