#pragma once

#include <windows.h>

// Pixels per inch of the monitor `window` is on (the system's when the
// system cannot tell per monitor), and what follows from it: the dialog
// font at that size and the frame placed inside that monitor's work area.

int WindowDpi(HWND window);
// The dpi of the monitor the point is on, for a window not yet created.
int DpiAt(POINT point);

inline int ScaledBy(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

// The dialog face at 8 points for `dpi`, squeezed to `percent` of its
// usual width when `percent` is under 100.
HFONT DialogFont(int dpi, int percent = 100);

// The outer rectangle of a window of `style` whose client area is `width` x
// `height` at `dpi`, with a menu bar when `menu`.
SIZE FrameSize(int width, int height, DWORD style, DWORD exStyle, bool menu, int dpi);

// `frame` moved (and shrunk when larger) so that it lies inside the work
// area of the monitor it is mostly on: its caption and its buttons stay
// within reach above the taskbar.
RECT InsideWorkArea(RECT frame);

// `size` centred on `around`, then kept inside the work area.
RECT CentredOn(RECT around, SIZE size);

// WM_DPICHANGED: the window takes the rectangle the system suggests.
void TakeSuggestedRect(HWND window, LPARAM lParam);
