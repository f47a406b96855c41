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
