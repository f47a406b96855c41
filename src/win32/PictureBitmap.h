#pragma once

#include "services/PictureFile.h"

#include <string>
#include <windows.h>

// The picture at `path` decoded by the system's imaging component (WIC, a
// DLL of Windows itself) and scaled to fit `box`, as a 32-bit bitmap the
// caller deletes; null when the file is not a picture this may show (see
// ReadCheckedPicture) or cannot be decoded.
HBITMAP LoadPictureBitmap(const std::string& path, PictureSize box);
