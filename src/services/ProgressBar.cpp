#include "services/ProgressBar.h"

#include "services/ProgressCaption.h"
#include "services/ProgressGeometry.h"

namespace {

// How a drawing will look, down to the pixel: the same caption and bar end
// on the same scale in the same look give the same picture. Operations draw
// once per item, and over thousands of items most drawings repeat the last.
std::string DrawingKey(const ProgressSurface& box, int32_t maximum, int32_t barValue,
                       const std::string& caption, int32_t alignment, uint32_t foreColor,
                       uint32_t backColor, int32_t fillStyle, int32_t drawMode) {
    std::string key = caption;
    for (const int64_t number :
         {int64_t{maximum}, int64_t{box.PixelColumn(barValue, maximum)}, int64_t{alignment},
          int64_t{foreColor}, int64_t{backColor}, int64_t{fillStyle}, int64_t{drawMode}})
        key += '\x1f' + std::to_string(number);
    return key;
}

void PaintProgressBar(ProgressSurface& box, int32_t maximum, int32_t barValue,
                      const std::string& caption, int32_t alignment) {
    box.Cls();
    box.SetScaleWidth(maximum);
    const CaptionSpot spot = CaptionPosition(alignment, box.ScaleWidth(), box.ScaleHeight(),
                                             box.TextWidth(caption), box.TextHeight(caption));
    box.Print(spot.x, spot.y, caption);
    box.FillFromCorner(barValue, box.ScaleHeight());
}

} // namespace

void DrawProgressBar(ProgressSurface& box, int32_t value, int32_t maximum, std::string& caption,
                     bool showPercent, int32_t alignment, uint32_t foreColor, uint32_t backColor,
                     int32_t fillStyle, int32_t drawMode) {
    box.SetBackColor(backColor);
    box.SetDrawMode(drawMode);
    box.SetFillStyle(fillStyle);
    box.SetForeColor(foreColor);
    if (showPercent)
        caption = ProgressCaption(value, maximum, caption);
    const std::optional<int32_t> barValue = BarValue(value, maximum, box.ScaleWidth());
    if (!barValue)
        return;
    // The picture is drawn only when the window can show it: when its events
    // are due, and at the last step, which stays behind the result's box.
    // Drawn at every step, the text alone cost the Win32 window a sixth of
    // an install under Wine.
    const bool due = box.EventsDue();
    if (due || value >= maximum) {
        std::string key = DrawingKey(box, maximum, *barValue, caption, alignment, foreColor,
                                     backColor, fillStyle, drawMode);
        if (!box.ShowsDrawing(key)) {
            PaintProgressBar(box, maximum, *barValue, caption, alignment);
            box.RememberDrawing(std::move(key));
        }
    }
    if (due)
        box.DoEvents();
}

void DrawStandardProgress(ProgressSurface& box, int32_t value, int32_t maximum,
                          const std::string& caption) {
    std::string text = caption;
    DrawProgressBar(box, value, maximum, text, kStandardShowPercent, kStandardAlignment,
                    kStandardForeColor, kStandardBackColor, kStandardFillStyle, kStandardDrawMode);
}
