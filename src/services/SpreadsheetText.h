#pragma once

#include <string>

// UTF-8 text as a spreadsheet program of this system reads it: on Windows
// with a byte-order mark (without one, spreadsheet programs take the ANSI
// code page and garble accents), elsewhere unchanged.
std::string SpreadsheetText(std::string utf8);
