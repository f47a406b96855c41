#pragma once

#include <span>

// Whether a PNG file would show whole: its chunks are complete with their
// CRCs, its header holds a valid picture, and its image data inflates to
// exactly the rows that header announces, up to the end chunk. A picture
// cut short, or whose data were changed, fails here, where checking only
// the header would take it; the pixels are not kept (memory stays small).
bool PngDataIsWhole(std::span<const unsigned char> file);
