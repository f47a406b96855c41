#include "support/HiddenEntry.h"

#include <stdexcept>

void MarkHidden(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (path.compare(slash == std::string::npos ? 0 : slash + 1, 1, ".") != 0)
        throw std::invalid_argument("a hidden entry's name starts with '.': " + path);
}
