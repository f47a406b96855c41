#include "frmUnZip.h"

#include "ControlArgs.h"
#include "MessageBoxes.h"
#include "MessageLoop.h"
#include "WindowProcedure.h"
#include "WindowText.h"
#include "app/Texts.h"
#include "operations/UnzipHelpers.h"
#include "services/WideText.h"

namespace {

constexpr const wchar_t* kUnzipClass = L"frmUnZip";
constexpr DWORD kUnzipStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

// The window's outer rectangle for its client area, centred on its owner.
RECT CentredOn(HWND owner, int clientWidth, int clientHeight) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kUnzipStyle, FALSE, 0);
    RECT around;
    GetWindowRect(owner, &around);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (around.left + around.right - width) / 2;
    const int top = (around.top + around.bottom - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace

void frmUnZip::RegisterWindowClass() {
    RegisterProgramClass(kUnzipClass, WindowProcedure<frmUnZip, &frmUnZip::HandleMessage>,
                         GetSysColorBrush(COLOR_BTNFACE));
}

frmUnZip::frmUnZip(ProgramState& program, HWND owner, HFONT font, int dpi)
    : frmUnZipLogic(program), owner_(owner), shape1_(ToPixels(kUnzipShape1, dpi)) {
    const TwipRect client = ToPixels(kUnzipClient, dpi);
    const RECT frame = CentredOn(owner, client.width, client.height);
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
    Form_Load(shape1_.width, LinkedZlib());
}

frmUnZip::~frmUnZip() {
    Form_Unload();
    DetachObject(window_);
    DestroyWindow(window_);
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
        const RECT bar{shape1_.left, shape1_.top, shape1_.left + barWidth_,
                       shape1_.top + shape1_.height};
        FillRect(target, &bar, GetSysColorBrush(COLOR_ACTIVECAPTION));
    }
    EndPaint(window_, &paint);
}

LRESULT frmUnZip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
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
