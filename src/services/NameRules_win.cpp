#include "services/NameRules.h"

#include <string_view>

bool NameOpensADevice(std::string_view name) {
    return IsWindowsDeviceName(name);
}

bool FileNamesRefuse(char c) {
    return (c > 0 && c < 32) || std::string_view("<>\"|?*").find(c) != std::string_view::npos;
}

bool NamesDropAtEnd(char c) {
    return c == ' ' || c == '.';
}
