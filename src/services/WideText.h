#pragma once

#include <string>

// The program keeps text as UTF-8; Windows' W functions take UTF-16 and its
// A functions and older files the system's ANSI code page. These convert at
// that border. Bytes that are not valid UTF-8 become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string Utf8FromWide(const wchar_t* text);

// The system's ANSI code page (CP_ACP); tests pass others such as 65001
// (UTF-8) and 932 (double byte).
inline constexpr unsigned kAnsiCodePage = 0;

// `text` in `codePage`; `lossless` tells whether every character had a place
// there and reads back the same (the others become "?"). A conversion that
// fails is never lossless.
std::string AnsiFromUtf8(const std::string& text, bool* lossless = nullptr,
                         unsigned codePage = kAnsiCodePage);
std::string Utf8FromAnsi(const std::string& text, unsigned codePage = kAnsiCodePage);

// False for the code pages that take no conversion flags (UTF-8, GB 18030,
// the ISO-2022 and ISCII families...): Windows fails a conversion given any,
// though Wine lets it pass.
bool TakesConversionFlags(unsigned codePage);
