#include "ProgressBox.h"

#include "ControlArgs.h"
#include "MessageLoop.h"
#include "WindowProcedure.h"
#include "services/WideText.h"

#include <algorithm>
#include <cmath>

namespace {

// The box's own horizontal unit before any drawing sets its scale.
constexpr double kTwipsPerPixel = 15.0;

} // namespace

void ProgressBox::RegisterWindowClass() {
    RegisterProgramClass(kPictureBoxClass,
                         WindowProcedure<ProgressBox, &ProgressBox::HandleMessage>, nullptr);
}

ProgressBox::ProgressBox(HWND window, HFONT font) : window_(window) {
    RECT inside;
    GetClientRect(window_, &inside);
    width_ = std::max<int>(1, inside.right);
    height_ = std::max<int>(1, inside.bottom);
    scaleWidth_ = width_ * kTwipsPerPixel;
    HDC screen = GetDC(window_);
    memory_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(window_, screen);
    oldBitmap_ = SelectObject(memory_, bitmap_);
    oldFont_ = SelectObject(memory_, font);
    AttachObject(window_, this);
    Cls();
}

ProgressBox::~ProgressBox() {
    if (IsWindow(window_))
        DetachObject(window_);
    SelectObject(memory_, oldFont_);
    SelectObject(memory_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
}

double ProgressBox::TextWidth(const std::string& text) const {
    const std::wstring wide = WideFromUtf8(text);
    SIZE extent{};
    GetTextExtentPoint32W(memory_, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent.cx * scaleWidth_ / width_;
}

double ProgressBox::TextHeight(const std::string& /*text*/) const {
    TEXTMETRICW metrics{};
    GetTextMetricsW(memory_, &metrics);
    return metrics.tmHeight;
}

void ProgressBox::Cls() {
    HBRUSH brush = CreateSolidBrush(backColor_);
    const RECT all{0, 0, width_, height_};
    FillRect(memory_, &all, brush);
    DeleteObject(brush);
    Changed();
}

void ProgressBox::Print(double x, double y, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    SetBkMode(memory_, TRANSPARENT);
    SetTextColor(memory_, foreColor_);
    TextOutW(memory_, PixelColumn(x, scaleWidth_), static_cast<int>(std::round(y)), wide.c_str(),
             static_cast<int>(wide.size()));
    Changed();
}

void ProgressBox::FillFromCorner(double right, double bottom) {
    const int columns = PixelColumn(right, scaleWidth_);
    const int rows = static_cast<int>(std::round(bottom));
    Changed();
    if (columns <= 0 || rows <= 0)
        return;
    // The pen's raster operation mixes the brush with the picture too; a
    // rectangle without a pen is one pixel smaller on its right and bottom.
    HBRUSH brush = CreateSolidBrush(foreColor_);
    const HGDIOBJ oldBrush = SelectObject(memory_, brush);
    const HGDIOBJ oldPen = SelectObject(memory_, GetStockObject(NULL_PEN));
    const int oldMode = SetROP2(memory_, drawMode_);
    Rectangle(memory_, 0, 0, columns + 1, rows + 1);
    SetROP2(memory_, oldMode);
    SelectObject(memory_, oldPen);
    SelectObject(memory_, oldBrush);
    DeleteObject(brush);
}

int ProgressBox::PixelColumn(double x, double scaleWidth) const {
    if (scaleWidth <= 0)
        return 0;
    return static_cast<int>(std::round(x * width_ / scaleWidth));
}

void ProgressBox::DoEvents() {
    ProcessPendingMessages();
}

void ProgressBox::Changed() {
    ForgetDrawing();
    InvalidateRect(window_, nullptr, FALSE);
}

void ProgressBox::Paint() {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window_, &paint);
    BitBlt(target, 0, 0, width_, height_, memory_, 0, 0, SRCCOPY);
    EndPaint(window_, &paint);
}

// The whole box is painted from its memory picture, so the background is
// never erased first.
LRESULT ProgressBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(window_, message, wParam, lParam);
}
