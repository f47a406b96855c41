#include "support/HiddenEntry.h"

#include "services/WideText.h"

#include <stdexcept>
#include <windows.h>

void MarkHidden(const std::string& path) {
    if (!SetFileAttributesW(WideFromUtf8(path).c_str(), FILE_ATTRIBUTE_HIDDEN))
        throw std::runtime_error("cannot hide " + path);
}
