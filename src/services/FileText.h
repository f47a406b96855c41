#pragma once

#include <string>

// The settings and log files hold text in the system's ANSI code page on
// Windows, so files written by earlier versions of the program read the
// same; elsewhere they are UTF-8 and these change nothing. The program
// itself keeps UTF-8.

// `text` as the files hold it; `lossless` tells whether every character had
// a place in the code page (the others become "?").
std::string FileTextFromUtf8(const std::string& text, bool* lossless = nullptr);

std::string Utf8FromFileText(const std::string& text);
