#include "services/NameCase.h"

#include "services/WideText.h"

#include <climits>
#include <windows.h>

namespace {

// Nothing when `name` is not UTF-8: such bytes stand for themselves.
bool IsUtf8(std::string_view name) {
    return name.size() <= INT_MAX &&
           (name.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                                                static_cast<int>(name.size()), nullptr, 0) > 0);
}

std::string AsciiUpper(std::string_view name) {
    std::string result(name);
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

} // namespace

// The file system's own rule: each character upper-cased on its own, the
// same for every user whatever the language (the invariant locale).
std::string NameCaseKey(std::string_view utf8Name) {
    if (!IsUtf8(utf8Name))
        return AsciiUpper(utf8Name);
    std::wstring wide = WideFromUtf8(std::string(utf8Name));
    if (!wide.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(),
                      static_cast<int>(wide.size()), wide.data(), static_cast<int>(wide.size()),
                      nullptr, nullptr, 0);
    return Utf8FromWide(wide);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (!IsUtf8(a) || !IsUtf8(b))
        return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
    const std::wstring wideA = WideFromUtf8(std::string(a));
    const std::wstring wideB = WideFromUtf8(std::string(b));
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}
