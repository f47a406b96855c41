#include "frmUnZip.h"

#include "ControlArgs.h"
#include "Dpi.h"
#include "MessageBoxes.h"
#include "MessageLoop.h"
#include "WindowProcedure.h"
#include "WindowText.h"
#include "app/Texts.h"
#include "operations/UnzipHelpers.h"
#include "services/WideText.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kUnzipClass = L"frmUnZip";
constexpr DWORD kUnzipStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The window's outer rectangle for its client area, centred on its owner
// and inside the work area of its monitor.
RECT CentredOnOwner(HWND owner, int clientWidth, int clientHeight, int dpi) {
    RECT around;
    GetWindowRect(owner, &around);
    return CentredOn(around, FrameSize(clientWidth, clientHeight, kUnzipStyle, 0, false, dpi));
}

} // namespace

void frmUnZip::RegisterWindowClass() {
    RegisterProgramClass(kUnzipClass, WindowProcedure<frmUnZip, &frmUnZip::HandleMessage>,
                         GetSysColorBrush(COLOR_BTNFACE));
}

frmUnZip::frmUnZip(ProgramState& program, HWND owner, HFONT font, int dpi)
    : frmUnZipLogic(program), owner_(owner), shape1_(ToPixels(kUnzipShape1, dpi)) {
    const TwipRect client = ToPixels(kUnzipClient, dpi);
    const RECT frame = CentredOnOwner(owner, client.width, client.height, dpi);
    window_ = CreateWindowExW(0, kUnzipClass, WideFromUtf8(FixedText(kFixedUnzipTitle)).c_str(),
                              kUnzipStyle, frame.left, frame.top, frame.right - frame.left,
                              frame.bottom - frame.top, owner, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    AttachObject(window_, this);
    ControlArgs label;
    label.parent = window_;
    label.style = SS_LEFT | SS_NOPREFIX;
    label.pixels = ToPixels(kUnzipLabel1, dpi);
    label.font = font;
    label1_ = CreateControl(label);
    loadedWidth_ = shape1_.width;
    Form_Load(shape1_.width, LinkedZlib());
}

frmUnZip::~frmUnZip() {
    Form_Unload();
    DetachObject(window_);
    DestroyWindow(window_);
    if (font_)
        DeleteObject(font_);
    // Hiding an owned window hands the activation back to its owner.
    if (IsWindow(owner_))
        SetActiveWindow(owner_);
}

void frmUnZip::SetBarWidth(int32_t width) {
    barWidth_ = width;
    RECT bar{shape1_.left, shape1_.top, shape1_.left + shape1_.width, shape1_.top + shape1_.height};
    InvalidateRect(window_, &bar, TRUE);
}

void frmUnZip::SetStatusText(const std::string& text) {
    SetWindowTextUtf8(label1_, text);
}

void frmUnZip::ShowError(const std::string& text) {
    ShowMessageBox(window_, text, MessageIcon::Critical);
}

void frmUnZip::ShowWindow() {
    ::ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void frmUnZip::YieldToWindow() {
    ProcessPendingMessages();
}

void frmUnZip::Paint() {
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window_, &paint);
    if (barWidth_ > 0) {
        // The logic counts in the bar's width of when it loaded.
        const int width = MulDiv(barWidth_, shape1_.width, std::max(loadedWidth_, 1));
        const RECT bar{shape1_.left, shape1_.top, shape1_.left + width,
                       shape1_.top + shape1_.height};
        FillRect(target, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    }
    EndPaint(window_, &paint);
}

// On a monitor of another dpi the window, its bar and its line keep their
// size in points; the bar keeps its share of the way.
void frmUnZip::OnDpiChanged(int dpi, const RECT& suggested) {
    shape1_ = ToPixels(kUnzipShape1, dpi);
    const TwipRect client = ToPixels(kUnzipClient, dpi);
    const SIZE frame = FrameSize(client.width, client.height, kUnzipStyle, 0, false, dpi);
    const RECT place = InsideWorkArea(
        {suggested.left, suggested.top, suggested.left + frame.cx, suggested.top + frame.cy});
    SetWindowPos(window_, nullptr, place.left, place.top, frame.cx, frame.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const TwipRect label = ToPixels(kUnzipLabel1, dpi);
    MoveWindow(label1_, label.left, label.top, label.width, label.height, TRUE);
    const HFONT old = font_;
    font_ = DialogFont(dpi);
    SendMessageW(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    if (old)
        DeleteObject(old);
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT frmUnZip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE: // the window stays while the engine works
        return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

bool UnzipArchive(ProgramState& program, const std::string& archive, std::string& destination,
                  bool hidden, HWND owner, HFONT font, int dpi) {
    PrepareUnzip(program, archive, destination);
    frmUnZip window(program, owner, font, dpi);
    return window.ExtractAllShown(hidden);
}
