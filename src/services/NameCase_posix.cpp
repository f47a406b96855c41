#include "services/NameCase.h"

#include <climits>
#include <cstdint>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

// Simple (one-to-one) case folding, as a file system's case table works: "ß"
// stays apart from "ss".
static void AppendFolded(std::string& key, UChar32 character) {
    uint8_t folded[U8_MAX_LENGTH];
    int32_t length = 0;
    U8_APPEND_UNSAFE(folded, length, u_foldCase(character, U_FOLD_CASE_DEFAULT));
    key.append(reinterpret_cast<const char*>(folded), static_cast<size_t>(length));
}

std::string NameCaseKey(std::string_view utf8Name) {
    if (utf8Name.size() > INT32_MAX)
        return std::string(utf8Name);
    const auto* bytes = reinterpret_cast<const uint8_t*>(utf8Name.data());
    const auto length = static_cast<int32_t>(utf8Name.size());
    std::string key;
    key.reserve(utf8Name.size());
    for (int32_t next = 0; next < length;) {
        const int32_t start = next;
        UChar32 character = 0;
        U8_NEXT(bytes, next, length, character);
        if (character < 0)
            key.append(
                utf8Name.substr(static_cast<size_t>(start), static_cast<size_t>(next - start)));
        else
            AppendFolded(key, character);
    }
    return key;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return NameCaseKey(a) == NameCaseKey(b);
}
