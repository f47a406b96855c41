#pragma once

#include <string>
#include <windows.h>

// The program keeps its text in UTF-8; Windows is called with UTF-16.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// A window's text, and setting it, in UTF-8.
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);
