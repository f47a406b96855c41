#pragma once

#include "services/EventPacing.h"

#include <cstdint>
#include <string>

// The picture box a progress bar is drawn into, as each window shell provides
// it. Horizontal positions are in the box's scale (0 to ScaleWidth() across
// the inner width, twips until a drawing sets it); vertical ones in pixels.
class ProgressSurface {
  public:
    virtual ~ProgressSurface() = default;

    // Colours are 0x00BBGGRR values; the draw mode is a raster operation
    // number (7 XOR pen, 10 NOT-XOR pen, 13 copy pen).
    virtual void SetBackColor(uint32_t color) = 0;
    virtual void SetForeColor(uint32_t color) = 0;
    virtual void SetDrawMode(int32_t drawMode) = 0;
    virtual void SetFillStyle(int32_t fillStyle) = 0;

    virtual double ScaleWidth() const = 0;
    virtual void SetScaleWidth(double width) = 0;
    virtual double ScaleHeight() const = 0;
    // Extent of `text` in the box's font and scale.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double TextHeight(const std::string& text) const = 0;

    // Fills the box with the background colour.
    virtual void Cls() = 0;
    // Writes `text` in the foreground colour with its top-left corner at (x, y).
    virtual void Print(double x, double y, const std::string& text) = 0;
    // A filled rectangle from the top-left corner to (right, bottom) in the
    // foreground colour, combined with the picture through the draw mode.
    virtual void FillFromCorner(double right, double bottom) = 0;
    // Pixel column of `x` in a scale `scaleWidth` wide across the picture.
    virtual int PixelColumn(double x, double scaleWidth) const = 0;

    // Lets the window process pending events once.
    virtual void DoEvents() = 0;
    // Whether the window's events are due, at the pace of EventPacing: a
    // run draws once per item.
    bool EventsDue() { return eventPacing_.Due(); }
    void PaceEventsWith(EventPacing pacing) { eventPacing_ = std::move(pacing); }

    // Identifies the last complete drawing, so that a caller can skip one
    // that would repeat it pixel for pixel. Any other drawing, a new size or
    // a new font forgets it.
    void RememberDrawing(std::string key) { drawingKey_ = std::move(key); }
    bool ShowsDrawing(const std::string& key) const {
        return !drawingKey_.empty() && drawingKey_ == key;
    }

  protected:
    void ForgetDrawing() const { drawingKey_.clear(); }

  private:
    mutable std::string drawingKey_;
    EventPacing eventPacing_;
};

// The look every operation draws its progress in: percentage shown, caption
// centred, black on white, solid fill, NOT-XOR pen (the bar inverts what lies
// under it, so the caption stays readable over both parts).
inline constexpr bool kStandardShowPercent = true;
inline constexpr int32_t kStandardAlignment = 1;
inline constexpr uint32_t kStandardForeColor = 0x000000;
inline constexpr uint32_t kStandardBackColor = 0xFFFFFF;
inline constexpr int32_t kStandardFillStyle = 0;
inline constexpr int32_t kStandardDrawMode = 10;

// Draws a bar for `value` of `maximum` with `caption` into `box`, then lets
// the window process pending events when EventPacing says it is time. With `showPercent`, `caption`
// receives the percentage (" 40%"). A value above the maximum draws nothing.
// `maximum` is at least 1.
void DrawProgressBar(ProgressSurface& box, int32_t value, int32_t maximum, std::string& caption,
                     bool showPercent, int32_t alignment, uint32_t foreColor, uint32_t backColor,
                     int32_t fillStyle, int32_t drawMode);

// DrawProgressBar in the standard look, as the operations draw.
void DrawStandardProgress(ProgressSurface& box, int32_t value, int32_t maximum,
                          const std::string& caption);
