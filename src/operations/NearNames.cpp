#include "operations/NearNames.h"

#include "services/PathText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

constexpr std::string_view kReservedCharacters = "&*/:`\"<>?\\|";

// Base letters of U+00C0..U+017F, lower case; '.' where the character is
// no letter (x, /) and '+' where it stands for two (ae, ss, th, oe).
constexpr std::string_view kLatin1Bases =
    "aaaaaa+ceeeeiiiidnooooo.ouuuuy++aaaaaa+ceeeeiiiidnooooo.ouuuuy+y";
constexpr std::string_view kLatinExtendedBases =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii++jjkkkllllllllllnnnnnnnnnoooooo++"
    "rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(kLatin1Bases.size() == 0x40 && kLatinExtendedBases.size() == 0x80);

std::string_view TwoLetterBase(char32_t code) {
    switch (code) {
    case 0xC6:
    case 0xE6:
        return "ae";
    case 0xDF:
        return "ss";
    case 0xDE:
    case 0xFE:
        return "th";
    case 0x132:
    case 0x133:
        return "ij";
    default:
        return "oe"; // U+0152, U+0153
    }
}

// Decodes one UTF-8 character at `at`, moving past it; a byte that starts
// no valid character stands for itself.
char32_t NextCharacter(std::string_view text, size_t& at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 ? 2 : 1;
    if (length == 1 || at + length > text.size()) {
        ++at;
        return byte;
    }
    char32_t code = byte & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return byte;
        }
        code = (code << 6) | (next & 0x3F);
    }
    at += length;
    return code;
}

// Latin letters lose their accents and their case; other scripts stay as
// `spelt`.
void AppendFolded(std::string& out, char32_t code, std::string_view spelt) {
    if (code < 0x80) {
        out += static_cast<char>(code >= 'A' && code <= 'Z' ? code - 'A' + 'a' : code);
        return;
    }
    // A combining accent (a name written on a Mac, or pasted) goes as the
    // accent of a precomposed letter does.
    if (code >= 0x300 && code < 0x370)
        return;
    const bool latin1 = code >= 0xC0 && code < 0x100;
    const bool extended = code >= 0x100 && code < 0x180;
    if (!latin1 && !extended) {
        out += spelt;
        return;
    }
    const char base = latin1 ? kLatin1Bases[code - 0xC0] : kLatinExtendedBases[code - 0x100];
    if (base == '+')
        out += TwoLetterBase(code);
    else if (base != '.')
        out += base;
}

std::string Folded(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t at = 0; at < name.size();) {
        const size_t start = at;
        const char32_t code = NextCharacter(name, at);
        if (code == '&')
            out += " and ";
        else
            AppendFolded(out, code, name.substr(start, at - start));
    }
    return out;
}

std::string WithoutBracketedTags(std::string_view text) {
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0)
            out += c;
    }
    return out;
}

// "legend of zelda, the" becomes "the legend of zelda".
std::string ArticleInFront(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    for (const std::string_view article : {"the", "a", "an"}) {
        const std::string tail = ", " + std::string(article);
        if (text.size() > tail.size() && text.ends_with(tail))
            return std::string(article) + " " + text.substr(0, text.size() - tail.size());
    }
    return text;
}

bool IsAsciiAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

constexpr std::array<std::string_view, 19> kRomanNumerals{
    "ii",  "iii",  "iv",  "v",  "vi",  "vii",  "viii",  "ix",  "x", "xi",
    "xii", "xiii", "xiv", "xv", "xvi", "xvii", "xviii", "xix", "xx"};

int NumberOfWord(std::string_view word) {
    if (std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::string_view digits = word.substr(0, 9); // no overflow
        int value = 0;
        for (const char c : digits)
            value = value * 10 + (c - '0');
        return value;
    }
    const auto roman = std::find(kRomanNumerals.begin(), kRomanNumerals.end(), word);
    return roman == kRomanNumerals.end() ? -1
                                         : static_cast<int>(roman - kRomanNumerals.begin()) + 2;
}

} // namespace

std::string WithReservedCharactersReplaced(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (kReservedCharacters.find(c) != std::string_view::npos)
            c = '_';
    return out;
}

std::string WithoutAccents(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (size_t at = 0; at < name.size();) {
        const size_t start = at;
        AppendFolded(out, NextCharacter(name, at), name.substr(start, at - start));
    }
    return out;
}

std::string_view ShortName(std::string_view name) {
    const size_t cut = std::min(name.find(" ("), name.find(" ["));
    return name.substr(0, cut);
}

std::string ComparisonKey(std::string_view name) {
    const std::string text = ArticleInFront(WithoutBracketedTags(Folded(name)));
    std::string key;
    for (const char c : text)
        if (IsAsciiAlphanumeric(c) || static_cast<unsigned char>(c) >= 0x80)
            key += c;
    return key;
}

int CloseNameScore(std::string_view a, std::string_view b, int floor) {
    const size_t longer = std::max(a.size(), b.size());
    if (longer == 0)
        return 100;
    const size_t allowed = longer * static_cast<size_t>(100 - std::clamp(floor, 0, 100)) / 100;
    const size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > allowed)
        return floor - 1;
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        size_t best = row[0];
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
            best = std::min(best, row[j]);
        }
        if (best > allowed)
            return floor - 1; // every path already costs more than the floor allows
    }
    const size_t distance = row[b.size()];
    if (distance > allowed)
        return floor - 1;
    return static_cast<int>(100 * (longer - distance) / longer);
}

std::vector<int> EpisodeNumbers(std::string_view lowerCasedName) {
    std::vector<int> numbers;
    std::string word;
    const auto endWord = [&] {
        const int number = word.empty() ? -1 : NumberOfWord(word);
        if (number >= 0)
            numbers.push_back(number);
        word.clear();
    };
    for (const char c : lowerCasedName) {
        if (IsAsciiAlphanumeric(c))
            word += c;
        else
            endWord();
    }
    endWord();
    return numbers;
}

CharacterCounts CountCharacters(std::string_view lowerCasedName) {
    CharacterCounts counts{};
    for (const char c : lowerCasedName) {
        const size_t slot = c >= 'a' && c <= 'z'   ? c - 'a'
                            : c >= '0' && c <= '9' ? 26 + c - '0'
                                                   : 36;
        if (counts[slot] < UINT8_MAX)
            ++counts[slot];
    }
    return counts;
}

size_t DistanceAtLeast(const CharacterCounts& a, const CharacterCounts& b) {
    size_t more = 0, fewer = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] > b[i])
            more += a[i] - b[i];
        else
            fewer += b[i] - a[i];
    }
    return std::max(more, fewer);
}
