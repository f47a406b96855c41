#include "Dpi.h"

#include <algorithm>

namespace {

// The control table was laid out for the classic dialog face at 8 points;
// wider faces would cut the longer captions.
constexpr const wchar_t* kDialogFontFace = L"Microsoft Sans Serif";
constexpr int kDialogFontPoints = 8;

// Calls of Windows 10 looked up at run time: the program still starts on
// older systems, where the system's dpi stands for every monitor.
template <class Function> Function UserCall(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int MonitorDpi(HMONITOR monitor) {
    using GetDpiForMonitorCall = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto call = reinterpret_cast<GetDpiForMonitorCall>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shcore.dll"), "GetDpiForMonitor")));
    UINT x = 0;
    UINT y = 0;
    if (call && monitor && call(monitor, 0, &x, &y) == S_OK && y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

} // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto call = UserCall<GetDpiForWindowCall>("GetDpiForWindow");
    if (call && window) {
        const UINT dpi = call(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int DpiAt(POINT point) {
    return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

HFONT DialogFont(int dpi, int percent) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -MulDiv(kDialogFontPoints, dpi, 72);
    font.lfWidth = 0;
    lstrcpynW(font.lfFaceName, kDialogFontFace, LF_FACESIZE);
    HFONT face = CreateFontIndirectW(&font);
    if (percent >= 100)
        return face;
    HDC screen = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(screen, face);
    TEXTMETRICW faceMetrics{};
    GetTextMetricsW(screen, &faceMetrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(face);
    font.lfWidth = MulDiv(faceMetrics.tmAveCharWidth, percent, 100);
    return CreateFontIndirectW(&font);
}

SIZE FrameSize(int width, int height, DWORD style, DWORD exStyle, bool menu, int dpi) {
    using AdjustCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto call = UserCall<AdjustCall>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, width, height};
    if (!call || !call(&frame, style, menu, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&frame, style, menu, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT InsideWorkArea(RECT frame) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    const RECT& work = info.rcWork;
    const LONG width = std::min(frame.right - frame.left, work.right - work.left);
    const LONG height = std::min(frame.bottom - frame.top, work.bottom - work.top);
    const LONG left = std::clamp(frame.left, work.left, work.right - width);
    const LONG top = std::clamp(frame.top, work.top, work.bottom - height);
    return {left, top, left + width, top + height};
}

RECT CentredOn(RECT around, SIZE size) {
    const LONG left = (around.left + around.right - size.cx) / 2;
    const LONG top = (around.top + around.bottom - size.cy) / 2;
    return InsideWorkArea({left, top, left + size.cx, top + size.cy});
}

void TakeSuggestedRect(HWND window, LPARAM lParam) {
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    const RECT place = InsideWorkArea(suggested);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
