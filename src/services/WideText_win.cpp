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

bool TakesConversionFlags(unsigned codePage) {
    if (codePage == CP_ACP)
        codePage = GetACP();
    return !(codePage == CP_UTF7 || codePage == CP_UTF8 || codePage == 42 || codePage == 52936 ||
             codePage == 54936 || (codePage >= 50220 && codePage <= 50229) ||
             (codePage >= 57002 && codePage <= 57011));
}

std::string AnsiFromUtf8(const std::string& text, bool* lossless, unsigned codePage) {
    const std::wstring wide = WideFromUtf8(text);
    // No best fit: "ł" must not quietly turn into "l" in a stored path.
    const DWORD flags = TakesConversionFlags(codePage) ? WC_NO_BEST_FIT_CHARS : 0;
    std::string result = Converted<std::string>(
        wide, [codePage, flags](const wchar_t* in, int size, char* out, int room) {
            return WideCharToMultiByte(codePage, flags, in, size, out, room, nullptr, nullptr);
        });
    // Reading the result back tells what was lost, in every code page,
    // including those that cannot report the characters they replaced.
    if (lossless)
        *lossless = WideFrom(codePage, result) == wide;
    return result;
}

std::string Utf8FromAnsi(const std::string& text, unsigned codePage) {
    return Utf8FromWide(WideFrom(codePage, text));
}
