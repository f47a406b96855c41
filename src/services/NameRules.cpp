#include "services/NameRules.h"

#include "services/PathText.h"

#include <array>

bool IsWindowsDeviceName(std::string_view name) {
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kFixed = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kFixed)
        if (EqualsIgnoringCase(name, device))
            return true;
    const bool numbered = name.size() == 4 && name[3] >= '0' && name[3] <= '9';
    return numbered && (EqualsIgnoringCase(name.substr(0, 3), "COM") ||
                        EqualsIgnoringCase(name.substr(0, 3), "LPT"));
}
