#include "services/NameRules.h"

#include "services/PathText.h"

#include <array>

namespace {

// Windows counts the superscript one, two and three (U+00B9, U+00B2,
// U+00B3) as digits of a device name: "COM²" is a serial port.
bool IsDeviceDigit(std::string_view digit) {
    if (digit.size() == 1)
        return digit[0] >= '0' && digit[0] <= '9';
    return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

} // namespace

bool IsWindowsDeviceName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kFixed = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kFixed)
        if (EqualsIgnoringCase(name, device))
            return true;
    const bool numbered = name.size() >= 4 && IsDeviceDigit(name.substr(3));
    return numbered && (EqualsIgnoringCase(name.substr(0, 3), "COM") ||
                        EqualsIgnoringCase(name.substr(0, 3), "LPT"));
}
