#pragma once

#include <string>

// `path` (UTF-8) as the W functions of Windows take it. A path too long for
// the classic limit of 260 characters is given in its full `\\?\` form (or
// `\\?\UNC\` for a share), which those functions take at any length.
std::wstring WidePath(const std::string& path);
