#include "services/TextNumbers.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipDigits(const std::string& text, size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// Length of the decimal number at the start of `text` (after `start`).
size_t NumberEnd(const std::string& text, size_t start) {
    size_t at = start;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        ++at;
    const size_t digitsStart = at;
    at = SkipDigits(text, at);
    if (at < text.size() && text[at] == '.')
        at = SkipDigits(text, at + 1);
    if (at == digitsStart || (at == digitsStart + 1 && text[digitsStart] == '.'))
        return start;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent]))
            at = SkipDigits(text, exponent);
    }
    return at;
}

} // namespace

double LeadingNumber(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    const size_t end = NumberEnd(text, start);
    if (end == start)
        return 0.0;
    // from_chars ignores the process locale: stored numbers always use '.'.
    size_t digits = start;
    const bool negative = text[digits] == '-';
    if (text[digits] == '+' || text[digits] == '-')
        ++digits;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + digits, text.data() + end, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

int32_t RoundHalfEven(double value) {
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // default mode: ties to even
    if (rounded <= lowest)
        return std::numeric_limits<int32_t>::min();
    if (rounded >= highest)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}
