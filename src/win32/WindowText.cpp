#include "WindowText.h"

#include "services/WideText.h"

std::string WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

void SetWindowTextUtf8(HWND window, const std::string& text) {
    SetWindowTextW(window, WideFromUtf8(text).c_str());
}

int TextWidthIn(HWND window, HFONT font, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    HDC screen = GetDC(window);
    const HGDIOBJ old = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &extent);
    SelectObject(screen, old);
    ReleaseDC(window, screen);
    return static_cast<int>(extent.cx);
}
