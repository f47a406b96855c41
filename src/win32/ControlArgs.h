#pragma once

#include "shell/Form1Controls.h"

#include <string>
#include <windows.h>

// Everything a child control is created from, so that creating one is a
// filled struct rather than a long CreateWindowEx call.
struct ControlArgs {
    HWND parent = nullptr;
    const wchar_t* className = L"STATIC";
    DWORD style = 0;
    DWORD exStyle = 0;
    TwipRect pixels; // in the parent's client area
    int id = 0;
    HFONT font = nullptr;
    std::string text;
};

// A visible child control made from `args`.
HWND CreateControl(const ControlArgs& args);

// The window class and styles of a control kind of the main window.
const wchar_t* ClassOf(ControlKind kind);
DWORD StyleOf(ControlKind kind);
DWORD ExStyleOf(ControlKind kind);

// Registers a window class of this program with the arrow pointer.
void RegisterProgramClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                          HICON icon = nullptr);
