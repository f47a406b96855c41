#include "ProgressBar.h"

#include "ProgressBox.h"
#include "services/ProgressCaption.h"
#include "services/ProgressGeometry.h"

#include <QCoreApplication>

namespace {

void PaintProgressBar(ProgressBox& box, int32_t maximum, int32_t value, const std::string& caption,
                      int32_t alignment) {
    const std::optional<int32_t> barValue = BarValue(value, maximum, box.ScaleWidth());
    if (!barValue)
        return;
    box.Cls();
    box.SetScaleWidth(maximum);
    const QString text = QString::fromStdString(caption);
    const CaptionSpot spot = CaptionPosition(alignment, box.ScaleWidth(), box.ScaleHeight(),
                                             box.TextWidth(text), box.TextHeight(text));
    box.Print(spot.x, spot.y, text);
    box.FillFromCorner(*barValue, box.ScaleHeight());
    QCoreApplication::processEvents();
}

} // namespace

void DrawProgressBar(ProgressBox& box, int32_t value, int32_t maximum, std::string& caption,
                     bool showPercent, int32_t alignment, uint32_t foreColor, uint32_t backColor,
                     int32_t fillStyle, int32_t drawMode) {
    box.SetBackColor(backColor);
    box.SetDrawMode(drawMode);
    box.SetFillStyle(fillStyle);
    box.SetForeColor(foreColor);
    if (showPercent)
        caption = ProgressCaption(value, maximum, caption);
    PaintProgressBar(box, maximum, value, caption, alignment);
}
