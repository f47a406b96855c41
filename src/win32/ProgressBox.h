#pragma once

#include "services/ProgressBar.h"

#include <windows.h>

inline constexpr const wchar_t* kPictureBoxClass = L"OrvanePictureBox";

// The main window's progress area drawn with GDI: the drawing is kept in a
// memory bitmap the size of the inside of the box and painted from it, so it
// survives being covered. The draw mode is the GDI raster operation of the
// same number (10 is R2_NOTXORPEN).
class ProgressBox final : public ProgressSurface {
  public:
    // Takes over `window`, a control of kPictureBoxClass.
    ProgressBox(HWND window, HFONT font);
    ~ProgressBox() override;
    ProgressBox(const ProgressBox&) = delete;
    ProgressBox& operator=(const ProgressBox&) = delete;

    static void RegisterWindowClass();

    // The drawing, kept in the memory bitmap.
    void Cls() override;
    void Print(double x, double y, const std::string& text) override;
    void FillFromCorner(double right, double bottom) override;
    void DoEvents() override;

    // The look: colours as COLORREF values, the draw mode as a ROP2 code;
    // every bar is solid.
    void SetBackColor(uint32_t color) override { backColor_ = color; }
    void SetForeColor(uint32_t color) override { foreColor_ = color; }
    void SetDrawMode(int32_t drawMode) override { drawMode_ = drawMode; }
    void SetFillStyle(int32_t /*fillStyle*/) override {}

    // The scale: twips across until a drawing sets it, pixels down.
    double ScaleWidth() const override { return scaleWidth_; }
    void SetScaleWidth(double width) override { scaleWidth_ = width; }
    double ScaleHeight() const override { return height_; }
    int PixelColumn(double x, double scaleWidth) const override;
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Changed();

    HWND window_;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    int width_ = 1;
    int height_ = 1;
    double scaleWidth_ = 0;
    uint32_t backColor_ = 0xFFFFFF;
    uint32_t foreColor_ = 0x000000;
    int32_t drawMode_ = R2_COPYPEN;
};
