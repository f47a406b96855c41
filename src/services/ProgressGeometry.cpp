#include "services/ProgressGeometry.h"

#include "services/TextNumbers.h"

namespace {

// Rounded first (a half to the even neighbour), then halved toward zero.
double HalfOfRounded(double length) {
    return static_cast<double>(RoundHalfEven(length) / 2);
}

} // namespace

CaptionSpot CaptionPosition(int32_t alignment, double scaleWidth, double scaleHeight,
                            double textWidth, double textHeight) {
    const double y = HalfOfRounded(scaleHeight - textHeight);
    switch (alignment) {
    case kAlignLeft:
        return {2, y};
    case kAlignCentre:
        return {HalfOfRounded(scaleWidth - textWidth), y};
    case kAlignRight:
        return {scaleWidth - textWidth - 3, y};
    default:
        return {};
    }
}

std::optional<int32_t> BarValue(int32_t value, int32_t maximum, double currentScaleWidth) {
    if (value > maximum)
        return std::nullopt;
    if (currentScaleWidth < value)
        return RoundHalfEven(currentScaleWidth);
    return value;
}
