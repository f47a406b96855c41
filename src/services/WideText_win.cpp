#include "services/WideText.h"

#include <climits>
#include <cwchar>
#include <windows.h>

namespace {

// Two passes of the same conversion: the size, then the text.
template <typename Out, typename In, typename Convert>
Out Converted(const In& text, Convert convert) {
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int needed = convert(text.data(), length, nullptr, 0);
    if (needed <= 0)
        return {};
    Out result(static_cast<size_t>(needed), {});
    result.resize(static_cast<size_t>(convert(text.data(), length, result.data(), needed)));
    return result;
}

std::wstring WideFrom(UINT codePage, const std::string& text) {
    return Converted<std::wstring>(text,
                                   [codePage](const char* in, int size, wchar_t* out, int room) {
                                       return MultiByteToWideChar(codePage, 0, in, size, out, room);
                                   });
}

} // namespace

std::wstring WideFromUtf8(const std::string& text) {
    return WideFrom(CP_UTF8, text);
}

std::string Utf8FromWide(const std::wstring& text) {
    return Converted<std::string>(text, [](const wchar_t* in, int size, char* out, int room) {
        return WideCharToMultiByte(CP_UTF8, 0, in, size, out, room, nullptr, nullptr);
    });
}

std::string Utf8FromWide(const wchar_t* text) {
    return text ? Utf8FromWide(std::wstring(text)) : std::string();
}

std::string AnsiFromUtf8(const std::string& text, bool* lossless) {
    BOOL usedDefault = FALSE;
    // No best fit: "ł" must not quietly turn into "l" in a stored path.
    std::string result = Converted<std::string>(
        WideFromUtf8(text), [&usedDefault](const wchar_t* in, int size, char* out, int room) {
            return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, in, size, out, room, nullptr,
                                       &usedDefault);
        });
    if (lossless)
        *lossless = !usedDefault;
    return result;
}

std::string Utf8FromAnsi(const std::string& text) {
    return Utf8FromWide(WideFrom(CP_ACP, text));
}
