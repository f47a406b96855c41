#pragma once

#include <string>
#include <windows.h>

// A window's text, and setting it, in the program's UTF-8.
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);
// How wide `text` is in `font`, in the pixels of `window`'s screen.
int TextWidthIn(HWND window, HFONT font, const std::string& text);
