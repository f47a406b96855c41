#pragma once

#include <string>

// The program keeps text as UTF-8; Windows' W functions take UTF-16 and its
// A functions and older files the system's ANSI code page. These convert at
// that border. Bytes that are not valid UTF-8 become U+FFFD.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string Utf8FromWide(const wchar_t* text);

// `text` in the ANSI code page; `lossless` tells whether every character
// had a place there (the others become "?").
std::string AnsiFromUtf8(const std::string& text, bool* lossless = nullptr);
std::string Utf8FromAnsi(const std::string& text);
