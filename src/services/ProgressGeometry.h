#pragma once

#include <cstdint>
#include <optional>

// Where a progress drawing puts its caption and how far its bar reaches, in
// the progress box's own scale: horizontal units run from 0 to the scale width
// (the maximum of the drawing), vertical units from 0 to the scale height.

// Caption alignments of a progress drawing.
enum ProgressAlignment : int32_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

struct CaptionSpot {
    double x = 0;
    double y = 0;
};

// Top-left corner of a caption `textWidth` x `textHeight` in a box of
// `scaleWidth` x `scaleHeight`; an unknown alignment leaves it at (0, 0).
CaptionSpot CaptionPosition(int32_t alignment, double scaleWidth, double scaleHeight,
                            double textWidth, double textHeight);

// The value the bar is drawn to, or nothing when `value` exceeds `maximum`
// (then nothing is drawn at all). A value beyond the box's current scale
// width (the maximum of the previous drawing) is held to that width.
std::optional<int32_t> BarValue(int32_t value, int32_t maximum, double currentScaleWidth);
