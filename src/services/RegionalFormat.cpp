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
