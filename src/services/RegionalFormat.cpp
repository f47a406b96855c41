#include "services/RegionalFormat.h"

#include <charconv>

std::string RegionalDecimalText(double value) {
    // to_chars ignores the process locale, so '.' is the only point to replace.
    char digits[64];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15).ptr;
    std::string result(digits, end);
    if (auto dot = result.find('.'); dot != std::string::npos)
        result.replace(dot, 1, RegionalDecimalSeparator());
    return result;
}

std::string RegionalWholeNumber(long long value) {
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    const std::string digits = std::to_string(magnitude);
    const std::string separator = RegionalThousandsSeparator();
    std::string result = value < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}
