#pragma once

#include <string>
#include <string_view>

// File names compared the way a case-insensitive file system compares them:
// letter case is ignored in every script, one character for one character;
// accents, widths and normal forms still tell names apart.

// A text that two UTF-8 names share exactly when they are the same name
// ignoring letter case; use it as a lookup key, never show it. Bytes that
// are not UTF-8 stand for themselves.
std::string NameCaseKey(std::string_view utf8Name);

bool SameNameIgnoringCase(std::string_view a, std::string_view b);
