#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// General-purpose flag: the name and comment are UTF-8.
inline constexpr uint16_t kUtf8NameFlag = 0x0800;

// An entry name as stored, as UTF-8 text. Without the UTF-8 flag the bytes
// are code page 437, the format's own default and what older Windows tools
// write; a flagged name that is no valid UTF-8 is read as code page 437 too,
// so every name can be shown and written.
std::string EntryNameText(std::string_view stored, uint16_t flags);

// Well-formed UTF-8: no overlong form, no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

std::string Cp437ToUtf8(std::string_view bytes);
